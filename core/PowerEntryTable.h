#pragma once

// The entries of the power-control library, in the order they are looked up.
// Each action's plain entry is followed by its _Force twin.
enum PowerEntry {
    PE_SUSPEND,
    PE_SUSPEND_FORCE,
    PE_HIBERNATE,
    PE_HIBERNATE_FORCE,
    PE_SHUTDOWN,
    PE_SHUTDOWN_FORCE,
    PE_LOGOFF,
    PE_LOGOFF_FORCE,
    PE_REBOOT,
    PE_REBOOT_FORCE,
    PE_COUNT
};

// shutdown binds all ten; drowsel only Suspend to Shutdown_Force.
constexpr int kShutdownEntryCount = PE_COUNT;
constexpr int kDrowselEntryCount = PE_SHUTDOWN_FORCE + 1;

// The library's entries take nothing and return nothing we look at.
typedef void (*PowerEntryFn)();

struct PowerEntryTable {
    void* m_hPowerLib;               // module handle; null when the load failed
    PowerEntryFn m_pfn[PE_COUNT];    // null where the name was not found
};

// The one table of the process, written once while the main dialog opens.
extern PowerEntryTable g_PowerEntries;

// The exported name of an entry, e.g. "Hibernate_Force".
const char* PowerEntryName(PowerEntry entry);
