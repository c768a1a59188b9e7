#include "support.h"
#include "app/appfolder.h"

namespace {
// The files of the root folder and of the working one, with their sizes and
// times: a save that strays there changes them, whatever earlier runs left.
QStringList strayTargets()
{
    QStringList found;
    for (const char *folder : {"/", "."})
        for (const QFileInfo &info : QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::System))
            found << info.absoluteFilePath() + ' ' + QString::number(info.size()) + ' '
                         + info.lastModified().toString(Qt::ISODateWithMs);
    return found;
}
// 40 bytes short of a whole page: on a full disk the records fit in part.
const QByteArray oldLog = QByteArray("2026/12/05,20:00:00,A,1,2,3,4,5,6\r\n").repeated(115)
                          + "2026/12/05,20:00:00,A,1,2,3,4\r\n";
const QByteArray oldBatch = "2026/12/06,09:05\r\nearlier save\r\n";
} // namespace

// Save, the two log files and the repeat run, byte for byte on real files.
class TestFiles : public QObject
{
    Q_OBJECT
private slots:
    // Steps as the scenario player takes them; then every file of the
    // program folder with its bytes. The draws are the same in every run.
    void scenarios_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QByteArray>("files");
        const QByteArray batch = "== 261206_0905.csv\n2026/12/06,09:05\r\n", log = "== KelpLog.csv\n";
        const QByteArray a = "2026/12/06,09:05:03,A,18,42,7,41,1,30\r\n";
        const QByteArray c = "2026/12/06,09:05:12,C,24,43,34,19,41,33\r\n";
        QTest::newRow("save before any draw") << "Save" << log;
        QTest::newRow("twice in a row") << "A C Save Save" << batch + a + c + log + a + c + a + c;
        QTest::newRow("drawn E, a minute on A and C: saved A, C, E in E's batch")
            << "E +60000 A C Save"
            << batch + "2026/12/06,09:06:12,A,24,43,34,19,41,33\r\n2026/12/06,09:06:24,C,19,14,20,15,24,7\r\n"
                       "2026/12/06,09:05:03,E,18,42,7,41,1,30\r\n"
                   + log + "2026/12/06,09:06:12,A,24,43,34,19,41,33\r\n2026/12/06,09:06:24,C,19,14,20,15,24,7\r\n"
                           "2026/12/06,09:05:03,E,18,42,7,41,1,30\r\n";
        QTest::newRow("sort then save")
            << "B D Sort Save"
            << batch + "2026/12/06,09:05:03,B,1,7,18,30,41,42\r\n2026/12/06,09:05:12,D,19,24,33,34,41,43\r\n"
                   + log + "2026/12/06,09:05:03,B,1,7,18,30,41,42\r\n2026/12/06,09:05:12,D,19,24,33,34,41,43\r\n";
        QTest::newRow("the batch file holds the last save")
            << "B Save Sort Save"
            << batch + "2026/12/06,09:05:03,B,1,7,18,30,41,42\r\n" + log
                   + "2026/12/06,09:05:03,B,18,42,7,41,1,30\r\n2026/12/06,09:05:03,B,1,7,18,30,41,42\r\n";
        QTest::newRow("new batch a minute on")
            << "A Save Clr +60000 B Save"
            << batch + a + "== 261206_0906.csv\n2026/12/06,09:06\r\n2026/12/06,09:06:12,B,24,43,34,19,41,33\r\n" + log
                   + a + "2026/12/06,09:06:12,B,24,43,34,19,41,33\r\n";
        QTest::newRow("same minute, same file") << "A Save Clr C Save" << batch + c + log + a + c;
        QTest::newRow("save right after Clear") << "A Save Clr Save" << batch + a + log + a;
        QTest::newRow("Clear during the machine's draw") << "A Save 1000:Clr S Save" << batch + a + log + a;
        const QByteArray cde = "2026/12/06,09:05:21,C,1,29,34,35,41,43\r\n2026/12/06,09:05:31,D,4,5,24,33,34,36\r\n"
                               "2026/12/06,09:05:39,E,3,4,17,27,28,39\r\n";
        const QByteArray cycle = "2026/12/06,09:05:04,A,1,2,12,20,22,41\r\n2026/12/06,09:05:12,B,6,9,13,18,29,43\r\n" + cde;
        QTest::newRow("a cycle; Clear between cycles stops the run")
            << "Deb saved +600 Clr +100000" << batch + cycle + log + cycle;
        QTest::newRow("Clear in a cycle's pause empties A and B")
            << "Deb 18300:Clr saved +600 Clr" << batch + cde + log + cde;
    }
    void scenarios()
    {
        QFETCH(QString, steps);
        QFETCH(QByteArray, files);
        VirtualForm w;
        w.play(steps);
        QCOMPARE(w.files(), files);
        QVERIFY(w.form.notice->isHidden());
    }

    // The faults, on a real file system. What was on disk stays whole, the
    // user is told which file was not written, and the window goes on.
    void faults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("batchWritten"); // the log never is
        QTest::addColumn<QString>("notice");
        QTest::newRow("folder read-only") << "folder" << false
            << "保存できませんでした: KelpLog.csv (Read-only file system), 261206_0905.csv (Read-only file system)";
        QTest::newRow("log read-only") << "log read-only" << true << "保存できませんでした: KelpLog.csv (Read-only file system)";
        QTest::newRow("disk full") << "full" << false
            << "保存できませんでした: KelpLog.csv (No space left on device), 261206_0905.csv (No space left on device)";
        QTest::newRow("no folder can be told") << "none" << false << "保存できませんでした: 保存先のフォルダがわかりません";
    }
    void faults()
    {
        QFETCH(QString, fault);
        QFETCH(bool, batchWritten);
        QFETCH(QString, notice);
        if (::geteuid() != 0)
            QSKIP("needs root to mount a small file system");
        // A small tmpfs to fill to the last byte; read-only bind mounts, since
        // root ignores file permissions.
        QTemporaryDir disk;
        // The read-only bind lies on the tmpfs at the same place: take off both.
        const auto unmount = qScopeGuard([&] { shell("while umount -R " + disk.path() + "; do :; done 2>/dev/null"); });
        QVERIFY(!shell("mount -t tmpfs -o size=64k tmpfs " + disk.path()).isNull());
        const auto readOnly = [](const QString &path) { return shell(QString("mount --bind %1 %1 && mount -o remount,ro,bind %1").arg(path)); };
        const QString log = disk.path() + "/KelpLog.csv", batch = disk.path() + "/261206_0905.csv";
        QVERIFY(writeFile(log, oldLog));
        QVERIFY(writeFile(batch, oldBatch));

        const QStringList elsewhere = strayTargets();
        VirtualForm w({QDate(2026, 12, 6), QTime(9, 5, 3)}, 1000000, fault == "none" ? "" : disk.path());
        w.play("A B");
        if (fault == "folder")
            QVERIFY(!readOnly(disk.path()).isNull());
        else if (fault == "log read-only")
            QVERIFY(!readOnly(log).isNull());
        else if (fault == "full")
            shell(QString("dd if=/dev/zero of=%1/a bs=1k; dd if=/dev/zero of=%1/b bs=1").arg(disk.path()));
        w.play("Save");
        QCOMPARE(readFile(log), oldLog);
        QCOMPARE(readFile(batch), batchWritten ? QByteArray("2026/12/06,09:05\r\n2026/12/06,09:05:03,A,18,42,7,41,1,30\r\n"
                                                        "2026/12/06,09:05:12,B,24,43,34,19,41,33\r\n")
                                           : oldBatch);
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).filter("csv.").size(), 0);
        QCOMPARE(strayTargets(), elsewhere);
        QCOMPARE(w.form.notice->text(), notice);
        QVERIFY(!w.form.notice->isHidden());
        QVERIFY(!w.form.frameGeometry().intersects(w.form.notice->geometry())); // it hides nothing
        w.play("+7999");
        QVERIFY(!w.form.notice->isHidden());
        w.play("+1 C"); // it goes by itself after eight seconds, and the program draws on
        QVERIFY(w.form.notice->isHidden());
        QVERIFY(!w.numbers(2).contains("  "));
    }

    // What a save cut off before its rename left behind goes at the next
    // start, and only that. A program in the root saves there, a copy beside
    // itself; an installed one (root too), or one that may not write its
    // folder, in the user's data folder.
    void leftoversAndFolders()
    {
        QTemporaryDir dir;
        const QStringList names{"261206_2352.csv", "261206_2352.csv.nfxRyp", "261206_2352.csv.nfxRy", "a.csv.nfxRyp",
                                "x261206_2352.csv.nfxRyp"};
        for (const QString &name : names)
            QVERIFY(writeFile(dir.filePath(name), "kept"));
        VirtualForm w({QDate(2026, 12, 6), QTime(9, 5, 3)}, 1000000, dir.path());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 (QStringList{"261206_2352.csv", "261206_2352.csv.nfxRy", "a.csv.nfxRyp", "x261206_2352.csv.nfxRyp"}));
        QCOMPARE(programFolder("/drava"), QString("/"));
        QCOMPARE(logFolder("/home/u/drava/", Writable, "/home/u/.local/share/drava"), QString("/home/u/drava/"));
        QCOMPARE(logFolder("/usr/bin/", Installed | Writable, "/root/.local/share/drava"), QString("/root/.local/share/drava/"));
        QCOMPARE(logFolder("/opt/drava/", {}, "/home/u/.local/share/drava"), QString("/home/u/.local/share/drava/"));
        QCOMPARE(logFolder("", {}, ""), QString());
        // Installed is told from the program's own folder, never from the one
        // it was started in, though that holds the desktop entry's path.
        QTemporaryDir started;
        const QString entry = started.path() + "/games/" DRAVA_DESKTOP_ENTRY;
        QVERIFY(QDir().mkpath(started.path() + "/games") && QDir().mkpath(QFileInfo(entry).absolutePath()));
        QVERIFY(writeFile(entry, "[Desktop Entry]\n"));
        const QString before = QDir::currentPath();
        QDir::setCurrent(started.path() + "/games");
        QCOMPARE(runningLogFolder(), QCoreApplication::applicationDirPath() + "/");
        QDir::setCurrent(before);
    }
};

QTEST_MAIN(TestFiles)
#include "tst_files.moc"
