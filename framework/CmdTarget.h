#pragma once

#include <windows.h>

class CCmdTarget;

// One row of a message map. The handler is a small thunk that the ON_ macros
// generate, so every call is type-checked against the class that declares it.
typedef LRESULT (*AFX_PMSG_THUNK)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;       // WM_ message; WM_COMMAND for commands and notifications
    UINT nCode;          // notification code (WM_COMMAND only)
    UINT nID;            // control or command id (WM_COMMAND only)
    AFX_PMSG_THUNK pfn;  // null ends the table
    // ON_REGISTERED_MESSAGE only: the variable that holds the message's number
    // once registered, read at each look-up.
    const UINT* pnRegistered = nullptr;
};

// A class's table and the way to its base class's. Both are constants, so the
// maps need no run-time initialisation (and no thread-safe static guards).
struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Anything that has a message map: windows and the application.
class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // The first row, walking up the class chain, that handles this message.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};
