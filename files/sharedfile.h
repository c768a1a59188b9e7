#pragma once

#include "regularfile.h"

#include <QLockFile>
#include <QString>

#include <functional>
#include <optional>
#include <string>

// A file of records that several copies of the program change, as the
// results book and the tickets are: read only as a regular file, whole or
// not at all, and known from its first lines when it is a file of another
// kind, which is then never written over; changed under a lock beside it,
// and written whole or not at all, with the mode it had.
namespace SharedFile {
// Why a file is not read: none of its first lines is one of its records.
constexpr int notOfItsKind = -2;
// Whether whole lines from a file's start make a file of its kind.
using Kind = std::function<bool(const char *data, size_t size)>;

struct Read
{
    std::string bytes;
    FileIdentity identity; // of the file as read
    int error = 0;         // as RegularFile tells it, EFBIG past the limit, or notOfItsKind
};
// Reads the file at `path` whole, up to `limit` bytes, if its head is of
// `kind`: a master log of hundreds of megabytes given in its place is known
// from its first 64 KiB, not read on.
Read read(const QString &path, size_t limit, const Kind &kind);

// Reads the file at `path` into `made`, as `make` makes it from bytes, when
// `isOfKind` finds what it makes of the file's head, and then of the whole,
// to be of the file's kind; `identity` is the file's as read. Returns the
// error as Read has it.
template <typename Made, typename Make, typename IsOfKind>
int readAs(const QString &path, size_t limit, Make make, IsOfKind isOfKind, Made &made, FileIdentity &identity)
{
    const Read file = read(path, limit, [&](const char *head, size_t size) { return std::invoke(isOfKind, make(head, size)); });
    identity = file.identity;
    if (file.error)
        return file.error;
    made = make(file.bytes.data(), file.bytes.size());
    return std::invoke(isOfKind, made) ? 0 : notOfItsKind;
}

// Whether the file at `path` is still the one `known` was taken of, when
// there is one: a file unchanged need not be read again.
bool unchanged(const QString &path, const std::optional<FileIdentity> &known);

// How long a change waits for another copy's to end before it gives up.
constexpr int lockWaitMsec = 5000;
// The lock beside the file, `path` + ".lock", held from its making to its
// end: seen by copies on other machines that share the folder too, and one
// left by a copy that was killed is taken over. The file's folder is made if
// need be.
class Lock
{
public:
    explicit Lock(const QString &path);
    bool isHeld() const { return why.isEmpty(); }
    // Why it could not be taken: "in use by drava, process 4242 on host".
    QString failure() const { return why; }

private:
    QLockFile file;
    QString why;
};

// Puts `bytes` in the file's place, whole or not at all, with its mode; a
// file larger than `limit` is refused, so that what is written is read back.
// "", or why not in the system's words.
QString write(const QString &path, const std::string &bytes, size_t limit);
} // namespace SharedFile
