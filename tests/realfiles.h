#pragma once

// Real files and the real program, for the tests that need no window.
#include <QCoreApplication>
#include <QFile>
#include <QProcess>

// A file of these bytes, whether it was written; a file's bytes, or "(missing)".
[[nodiscard]] inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}
inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

// The real program, in `folder`, given `input` on its standard input.
inline QProcess *drava(const QString &folder, const QStringList &arguments, const QByteArray &input = {})
{
    auto *p = new QProcess;
    p->setWorkingDirectory(folder);
    p->start(QCoreApplication::applicationDirPath() + "/../drava", arguments);
    p->write(input);
    p->closeWriteChannel();
    return p;
}

// Runs a shell command; its standard output, or a null string if it failed.
inline QString shell(const QString &command)
{
    QProcess p;
    p.start("sh", {"-c", command});
    const bool ok = p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    return ok ? QString::fromUtf8(p.readAllStandardOutput() + '\n') : QString();
}

// What the real program did: its exit status (-1 for a crash), what it printed.
struct CommandResult
{
    int status;
    QByteArray out, err;
};

// The real program, given `input` on its standard input.
inline CommandResult run(const QStringList &arguments, const QByteArray &input = {})
{
    QProcess p;
    p.start(QCoreApplication::applicationDirPath() + "/../drava", arguments);
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}
