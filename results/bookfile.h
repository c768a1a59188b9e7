#pragma once

#include "resultsbook.h"

#include "files/regularfile.h"

#include <QString>

// The results book's file, as the window and --import keep it: read only as
// a regular file, read afresh before each change so that what another copy
// wrote is not lost, and written whole or not at all. Each call may wait on
// the disk: the window makes them on a thread of its own.
namespace BookFile {
struct Read
{
    ResultsBook book;
    FileIdentity identity; // of the file as read
    int error = 0;         // as RegularFile tells it; a book not made yet is an empty one
};
Read read(const QString &path);

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
