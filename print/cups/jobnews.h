#pragma once

#include <QString>
#include <QStringList>

// What CUPS says of a print queue: its printer-state (3 idle, 4 printing,
// 5 stopped), printer-state-reasons and printer-state-message.
struct QueueLook
{
    int state = 3;
    QStringList reasons;
    QString message;
};

// What CUPS says of a job it has taken, and of its queue, at one look.
struct JobLook
{
    int state = 0; // job-state: 3 pending, 4 held, 5 printing, 6 stopped, 7 cancelled, 8 aborted, 9 done; 0 unseen
    bool tried = false; // it has gone to the printer at least once
    QString message;    // job-printer-state-message
    QueueLook queue;
};

// What to tell the user at a new look at a job sent, or nothing. The first
// look (`before` unseen) says whether it waits in a queue that cannot print,
// and why; every look, whether it will not be printed after all.
QString jobNews(const JobLook &before, const JobLook &now);

// Whether the job is over: no later look can tell anything new.
bool jobSettled(const JobLook &look);
