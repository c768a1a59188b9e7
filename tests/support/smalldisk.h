#pragma once

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <unistd.h>

// Real file-system faults: a small tmpfs that can be filled to the last byte,
// and files or folders made unwritable even for root, by read-only mounts.
// Mounting needs root; tests that need it skip otherwise.
class SmallDisk
{
public:
    static bool available() { return ::geteuid() == 0; }

    explicit SmallDisk(int kilobytes = 64)
    {
        mounted = run({"mount", "-t", "tmpfs", "-o", QString("size=%1k").arg(kilobytes), "tmpfs",
                       dir.path()});
    }
    ~SmallDisk()
    {
        for (auto it = binds.rbegin(); it != binds.rend(); ++it)
            run({"umount", *it});
        if (mounted)
            run({"umount", dir.path()});
    }

    bool ok() const { return mounted; }
    QString path() const { return dir.path(); }

    // Takes up every free byte of the disk.
    bool fill()
    {
        return run({"sh", "-c", QString("dd if=/dev/zero of='%1/filler' bs=1k 2>/dev/null; "
                                        "dd if=/dev/zero of='%1/filler2' bs=1 2>/dev/null; true")
                                    .arg(dir.path())});
    }

    // Makes `path` (a file or folder) read-only for everyone, root included.
    bool makeReadOnly(const QString &path)
    {
        if (!run({"mount", "--bind", path, path}))
            return false;
        binds << path;
        return run({"mount", "-o", "remount,ro,bind", path});
    }

private:
    static bool run(const QStringList &command)
    {
        QProcess p;
        p.start(command.first(), command.mid(1));
        return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

    QTemporaryDir dir;
    bool mounted = false;
    QStringList binds;
};
