#pragma once

#include "PowerEntryTable.h"

// What the countdown needs from the dialog that runs it. The dialogs implement it
// over the window; the unit tests implement it with a recorder.
class CountdownHost {
public:
    virtual void Beep(unsigned frequency, unsigned durationMs) = 0;
    virtual void Push() = 0;              // members into controls
    virtual void StopTimer() = 0;         // kill the countdown timer
    virtual void CloseDialog() = 0;       // the base dialog's cancel, never the override
    // The selected entry is empty: nothing can be called.
    virtual void ReportMissingEntry(PowerEntry entry, bool libraryLoaded) = 0;
    virtual void DefaultProcessing() = 0; // hand the timer message on

protected:
    ~CountdownHost() = default;
};
