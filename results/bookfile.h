#pragma once

#include "resultsbook.h"

#include <QString>

// The results book's file, as the window and --import keep it: read only as
// a regular file, read afresh before each change so that what another copy
// wrote is not lost, and written whole or not at all. Each call may wait on
// the disk: the window makes them on a thread of its own.
namespace BookFile {
// Which file was read, and as it then was: one that has not changed need not
// be read again.
struct Stamp
{
    uint64_t device = 0, inode = 0, size = 0;
    int64_t modified = 0; // nanoseconds
    bool operator==(const Stamp &other) const;
};

struct Read
{
    ResultsBook book;
    Stamp stamp;
    int error = 0; // as RegularFile tells it; a book not made yet is an empty one
};
Read read(const QString &path);
// The stamp alone.
Stamp stampOf(const QString &path);

struct Update
{
    Read read;                     // the book as it then stands
    ResultsBook::Merging merging;
    QString failure;               // why it could not be read or written, in the system's words
};
// Takes `draws` into the book and writes it, in a folder made if need be,
// when that changed it. A book that cannot be read is left as it is.
Update merge(const QString &path, std::vector<DrawResult> draws);
} // namespace BookFile
