#pragma once

#include "PowerEntryTable.h"

// Loads Shutdown.dll by its bare name and looks up the first nEntries names,
// in table order. Nothing is checked or reported here: an entry that could not
// be found stays empty, and the countdown reports it when it would be called.
void BindPowerLibrary(PowerEntryTable& table, int nEntries);
