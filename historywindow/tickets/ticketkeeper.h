#pragma once

#include "history/logreader.h"
#include "tickets/ticketfile.h"
#include "threads/background.h"

#include <QFileSystemWatcher>
#include <QObject>

#include <optional>

// Keeps the tickets file read behind the window's thread, and makes its
// changes there, each under the file's lock, one after another. It follows
// the file: what any copy writes to it is read again. It reports by signals,
// on the window's thread.
class TicketKeeper : public QObject
{
    Q_OBJECT
public:
    explicit TicketKeeper(const QString &path, QObject *parent = nullptr);

    const QString &path() const { return filePath; }

    // A ticket of `lines` as the player names them ("2026/12/06,09:05:03,A;
    // 3,7,12,25,31,40"), their logged lines found in `log`, recorded at
    // `now` (yyyymmddhhmmss); its first draw by number, or 0 to follow from
    // its moment.
    void record(const QString &lines, int units, int draws, int firstDraw, SettledLines log, int64_t now);
    void remove(int ticket);
    void setReceived(int ticket, int draw, bool received);

signals:
    // The tickets as read: whenever the file changed, and at first.
    void ticketsRead(const TicketFile::Read &read);
    // What a change came to: "" when made, else why not; the tickets as
    // they then stand. `recorded` is the number a ticket was given, or 0.
    void changed(const QString &failure, const TicketFile::Read &read, int recorded);

private:
    void load();
    void change(TicketFile::Change change);
    void took(const QString &failure, const TicketFile::Update &update);

    QString filePath;
    QFileSystemWatcher watcher;
    // Of the file as last read or written; none before it is first read, or
    // once a change failed.
    std::optional<FileIdentity> identity;
    Background work{this};
};
