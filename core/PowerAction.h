#pragma once

// The five actions in their fixed order: the order of the action boxes, of the
// settings file's DefaultMode values (1 to 5) and of the library's entries.
enum PowerAction {
    PA_SUSPEND,
    PA_HIBERNATE,
    PA_SHUTDOWN,
    PA_LOGOFF,
    PA_REBOOT,
};
