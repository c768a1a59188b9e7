#pragma once

#include "resultsbook.h"

#include "files/sharedfile.h"

#include <QString>

// The results book's file, as the window and --import keep it: read only as
// a regular file, read afresh before each change so that what another copy
// wrote is not lost, and written whole or not at all. Each call may wait on
// the disk, or on another copy's change: the window makes them on a thread
// of its own.
namespace BookFile {
// A book is never this large; a file that is, is refused, so that a book
// an import wrote is always read back.
constexpr size_t mostBytes = size_t(1) << 30;

struct Read
{
    ResultsBook book;
    FileIdentity identity; // of the file as read
    // Why it could not be read: as RegularFile tells it, or notABook (none
    // of its first 64 KiB of lines, or of its lines at all, is a record). A
    // book not made yet (ENOENT) is an empty one.
    int error = 0;
};
constexpr int notABook = SharedFile::notOfItsKind;
Read read(const QString &path);
// Why a book cannot be read, in a few words: "Is a directory", "not a
// results book".
QString reason(int error);

struct Update
{
    Read read;                     // the book as it then stands
    ResultsBook::Merging merging;
    QString failure;               // why it could not be read or written, in the system's words
};
// Takes `draws` into the book and writes it, in a folder made if need be,
// when that changed it: under a lock beside it, for as long as it reads,
// merges and writes, so that the changes of several copies follow one
// another. A book that cannot be read, or is none, is left as it is.
Update merge(const QString &path, std::vector<DrawResult> draws);
} // namespace BookFile
