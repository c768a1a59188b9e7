#pragma once

#include "ticketbook.h"

#include "files/sharedfile.h"

#include <QString>

#include <functional>

// The tickets file, as the window and the command line keep it: read only as
// a regular file, and changed by reading it afresh under a lock beside it,
// "KelpTickets.csv.lock", changing it and writing it whole or not at all, so
// that the changes of several copies follow one another. Each call may wait
// on the disk, or on another copy's change: the window makes them on a
// thread of its own.
namespace TicketFile {
// No tickets file is ever this large: one that is, is refused.
constexpr size_t mostBytes = size_t(64) << 20;

struct Read
{
    TicketBook tickets;
    FileIdentity identity; // of the file as read
    // Why it could not be read: as RegularFile tells it (ENOENT: there is
    // none yet), EFBIG, or notTickets.
    int error = 0;
};
constexpr int notTickets = SharedFile::notOfItsKind;
Read read(const QString &path);
// Why a file cannot be read, in a few words: "Is a directory", "not a tickets file".
QString reason(int error);

// A change to the tickets as they then stand: false when it cannot be made
// (no such ticket), and then nothing is written.
using Change = std::function<bool(TicketBook &tickets)>;
struct Update
{
    Read read;        // the tickets as changed, or as they stood
    bool made = false;
    QString failure;  // why it could not be read or written
};
// Makes `change`, in a file and a folder made if need be.
Update change(const QString &path, const Change &change);
} // namespace TicketFile
