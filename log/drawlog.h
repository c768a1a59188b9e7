#pragma once

#include "model/controls.h"
#include "model/formstate.h"
#include "model/gate.h"
#include "model/tell.h"

// Save: every stamped line goes, as one record each, onto the end of the
// master log "KelpLog.csv" and into the batch file named after the batch
// stamp, which every save writes anew.
class DrawLog
{
public:
    DrawLog(Controls &controls, FormState &state, Gate &gate, TellUser tellUser);

    void CommandSave_Click();
    // Also run by the repeat cycle, which does not ask the gate.
    void SaveDraws();
    // Removes what saves that were cut off left behind; run at start-up.
    void RemoveLeftovers();

    static const QString masterLogName;

private:
    // Each says why it failed in `why`.
    bool AppendLogFile(QString &why);
    bool WriteBatchFile(QString &why);

    Controls &controls;
    FormState &state;
    Gate &gate;
    TellUser tellUser;
};
