#pragma once

#include "tidings.h"

#include "threads/background.h"

#include <QDateTime>
#include <QObject>

#include <functional>

// Tells the player what the tickets came to, each thing once, however many
// copies run: what was told is kept in the tickets file, changed under its
// lock behind the window's thread. Wins and reminders go to the desktop as
// notifications too; all of it stays in the window's list until seen.
class WinTeller : public QObject
{
    Q_OBJECT
public:
    WinTeller(const QString &ticketsPath, const QString &bookPath, QObject *parent = nullptr);

    // The clock today is taken from: the system's unless set.
    void setClock(std::function<QDateTime()> now) { clock = std::move(now); }

    // After draws entered the book: whatever the tickets did in them.
    void tellNews();
    // At start: the wins whose last day to claim draws near.
    void remind();

    enum class Kind { News, Reminders };
    struct Taken
    {
        std::vector<Tiding> tidings;
        QString failure; // why the tickets or the book could not be read or written
    };
    // Takes what is to be told from the files, marking it told; waits on
    // the disk and the lock, so not on the window's thread.
    static Taken take(const QString &ticketsPath, const QString &bookPath, int today, Kind kind);

    // Told and not yet seen in the window, oldest first.
    const std::vector<Tiding> &unseen() const { return fresh; }
    void setSeen();

signals:
    void told(const std::vector<Tiding> &tidings);
    void unseenChanged();

private:
    void look(Kind kind);

    QString tickets, book;
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    std::vector<Tiding> fresh;
    Background work{this};
};
