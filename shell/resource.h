// Resources shared by both programs.
#define IDR_MAINFRAME   128
#define IDD_ABOUTBOX    100
#define IDS_ABOUTBOX    101
#define IDM_ABOUTBOX    0x0010
#ifndef IDC_STATIC
#define IDC_STATIC      (-1)
#endif

// Texts of both programs, in every language.
#define IDS_TIMER_REFUSED       200
#define IDS_LIBRARY_MISSING     201
#define IDS_ENTRY_MISSING       202  // %s: the entry's name
// The reason Windows shows for keeping the machine awake: none chosen, then
// one per action in the action boxes' order (IDS_REASON_ACTION + action).
#define IDS_REASON_NONE         203
#define IDS_REASON_ACTION       204  // to 208
