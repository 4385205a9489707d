#pragma once

#include "CmdTarget.h"

// Message maps in the framework's spelling. In the class:
//     DECLARE_MESSAGE_MAP()
// and in its .cpp:
//     BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//         ON_WM_TIMER()
//         ON_BN_CLICKED(IDC_FORCE, OnForce)
//     END_MESSAGE_MAP()
// The table is a static const array; CCmdTarget::FindMessageEntry scans it.
// The thunks are lambdas inside the class's own member function, so they may
// call protected handlers.

#define DECLARE_MESSAGE_MAP()                      \
protected:                                         \
    static const AFX_MSGMAP* GetThisMessageMap();  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                 \
    const AFX_MSGMAP* theClass::GetMessageMap() const          \
    {                                                          \
        return GetThisMessageMap();                            \
    }                                                          \
    const AFX_MSGMAP* theClass::GetThisMessageMap()            \
    {                                                          \
        typedef theClass ThisClass;                            \
        typedef baseClass TheBaseClass;                        \
        static const AFX_MSGMAP_ENTRY s_entries[] = {

#define END_MESSAGE_MAP()                                                              \
        {0, 0, 0, nullptr}};                                                           \
        static const AFX_MSGMAP s_map = {&TheBaseClass::GetThisMessageMap, s_entries}; \
        return &s_map;                                                                 \
    }

#define AFX_THIS(p) static_cast<ThisClass*>(p)

#define ON_WM_TIMER()                                                     \
    {WM_TIMER, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM) -> LRESULT {     \
         AFX_THIS(p)->OnTimer(static_cast<UINT_PTR>(w));                  \
         return 0;                                                        \
     }},

#define ON_WM_SYSCOMMAND()                                                \
    {WM_SYSCOMMAND, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l) -> LRESULT { \
         AFX_THIS(p)->OnSysCommand(static_cast<UINT>(w), l);              \
         return 0;                                                        \
     }},

#define ON_WM_PAINT()                                                     \
    {WM_PAINT, 0, 0, [](CCmdTarget* p, WPARAM, LPARAM) -> LRESULT {       \
         AFX_THIS(p)->OnPaint();                                          \
         return 0;                                                        \
     }},

#define ON_WM_QUERYDRAGICON()                                             \
    {WM_QUERYDRAGICON, 0, 0, [](CCmdTarget* p, WPARAM, LPARAM) -> LRESULT { \
         return reinterpret_cast<LRESULT>(AFX_THIS(p)->OnQueryDragIcon()); \
     }},

// A message of the program's own, such as WM_APP + n: LRESULT memberFxn(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn)                                    \
    {message, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l) -> LRESULT {    \
         return AFX_THIS(p)->memberFxn(w, l);                             \
     }},

#define ON_CONTROL(code, id, memberFxn)                                   \
    {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id),          \
     [](CCmdTarget* p, WPARAM, LPARAM) -> LRESULT {                       \
         AFX_THIS(p)->memberFxn();                                        \
         return 0;                                                        \
     }},

// A message numbered at run time by RegisterWindowMessage. The row keeps the
// address of the variable the number goes into; the handler takes
// (WPARAM, LPARAM) and returns the LRESULT.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                \
    {0, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l) -> LRESULT {          \
         return AFX_THIS(p)->memberFxn(w, l);                             \
     }, &(nMessageVariable)},

// A menu or accelerator command has code 0, the same as BN_CLICKED.
#define ON_COMMAND(id, memberFxn) ON_CONTROL(0, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
