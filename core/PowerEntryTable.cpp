#include "PowerEntryTable.h"

PowerEntryTable g_PowerEntries;

const char* PowerEntryName(PowerEntry entry)
{
    static const char* const s_names[PE_COUNT] = {
        "Suspend",  "Suspend_Force",  "Hibernate", "Hibernate_Force",
        "Shutdown", "Shutdown_Force", "LogOff",    "LogOff_Force",
        "Reboot",   "Reboot_Force",
    };
    return (entry >= 0 && entry < PE_COUNT) ? s_names[entry] : "";
}
