#pragma once

#include "app/controls.h"
#include "app/formstate.h"

#include <functional>

// Save: every stamped line goes, as one record each, onto the end of the
// master log "KelpLog.csv" and into the batch file named after the batch
// stamp, which every save writes anew.
class DrawLog
{
public:
    // `notify` tells the user which files could not be written.
    DrawLog(Controls &ui, FormState &state, std::function<void(const QString &)> notify);

    void CommandSave_Click();
    void SaveDraws();

    static const QString masterLogName;

private:
    bool AppendLogFile();
    bool WriteBatchFile();

    Controls &ui;
    FormState &st;
    std::function<void(const QString &)> notify;
};
