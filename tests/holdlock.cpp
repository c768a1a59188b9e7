// Takes the lock beside the file named, as a change to the results book
// does, says so, and holds it until it is killed.
#include <QCoreApplication>
#include <QLockFile>

#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QLockFile lock(QString::fromLocal8Bit(argv[argc - 1]) + ".lock");
    if (argc != 2 || !lock.lock())
        return 1;
    std::puts("locked");
    std::fflush(stdout);
    for (;;)
        ::pause();
}
