// Qt's pool and futures hand a job, what it returns and their shared state
// from thread to thread under Qt's own locks, built without the sanitizer,
// which so cannot see them. The test is linked with these in place of the
// calls the reader's code makes on a future (ld --wrap, tests/CMakeLists.txt):
// each tells the sanitizer that the future's state passes there, as it would
// under a lock of its own, and does what Qt does.
#include <QFutureInterfaceBase>

#include <sanitizer/tsan_interface.h>

namespace {
void handOff(const QFutureInterfaceBase *future)
{
    __tsan_release(&future->mutex());
    __tsan_acquire(&future->mutex());
}
} // namespace

using Future = QFutureInterfaceBase;

extern "C" {
// Handed to the pool; taken up there.
void __real__ZN20QFutureInterfaceBase13reportStartedEv(Future *);
void __wrap__ZN20QFutureInterfaceBase13reportStartedEv(Future *future)
{
    handOff(future);
    __real__ZN20QFutureInterfaceBase13reportStartedEv(future);
}
bool __real__ZNK20QFutureInterfaceBase10isCanceledEv(const Future *);
bool __wrap__ZNK20QFutureInterfaceBase10isCanceledEv(const Future *future)
{
    const bool canceled = __real__ZNK20QFutureInterfaceBase10isCanceledEv(future);
    handOff(future);
    return canceled;
}
// Done, with what it returns; waited for.
void __real__ZN20QFutureInterfaceBase14reportFinishedEv(Future *);
void __wrap__ZN20QFutureInterfaceBase14reportFinishedEv(Future *future)
{
    handOff(future);
    __real__ZN20QFutureInterfaceBase14reportFinishedEv(future);
    handOff(future);
}
void __real__ZN20QFutureInterfaceBase13waitForResultEi(Future *, int);
void __wrap__ZN20QFutureInterfaceBase13waitForResultEi(Future *future, int index)
{
    __real__ZN20QFutureInterfaceBase13waitForResultEi(future, index);
    handOff(future);
}
void __real__ZN20QFutureInterfaceBase15waitForFinishedEv(Future *);
void __wrap__ZN20QFutureInterfaceBase15waitForFinishedEv(Future *future)
{
    __real__ZN20QFutureInterfaceBase15waitForFinishedEv(future);
    handOff(future);
}
// Let go of, by the job and by its taker: the last one frees it.
bool __real__ZNK20QFutureInterfaceBase6derefTEv(const Future *);
bool __wrap__ZNK20QFutureInterfaceBase6derefTEv(const Future *future)
{
    handOff(future);
    return __real__ZNK20QFutureInterfaceBase6derefTEv(future);
}
void __real__ZN20QFutureInterfaceBaseD2Ev(Future *);
void __wrap__ZN20QFutureInterfaceBaseD2Ev(Future *future)
{
    handOff(future);
    __real__ZN20QFutureInterfaceBaseD2Ev(future);
}
}
