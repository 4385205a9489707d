// Resources shared by both programs.
#define IDR_MAINFRAME   128
#define IDD_ABOUTBOX    100
#define IDD_ABOUTBOX_LAYOUT 110  // the same in the shell font, for translations
#define IDS_ABOUTBOX    101
#define IDM_ABOUTBOX    0x0010
#ifndef IDC_STATIC
#define IDC_STATIC      (-1)
#endif

// Texts of both programs, in every language, beside IDS_ABOUTBOX: a string
// table keeps sixteen ids in one block, so they stay together.
#define IDS_TIMER_REFUSED       102
#define IDS_LIBRARY_MISSING     103
#define IDS_ENTRY_MISSING       104  // %s: the entry's name
// The reason Windows shows for keeping the machine awake: none chosen, or
// IDS_REASON_FORMAT with the action's name (IDS_ACTION_NAME + action, in the
// action boxes' order).
#define IDS_REASON_NONE         105
#define IDS_REASON_FORMAT       106  // %s: the action's name
#define IDS_ACTION_NAME         107  // to 111

// Words of the dialogs in a translation (see AfxSetDlgWords): each dialog's
// block of sixteen, control i at + i, the caption at + 14, the width at + 15.
#define IDS_MAIN_WORDS          0x2000
#define IDS_ABOUT_WORDS         0x2010
#define IDS_ABOUT_OK            (IDS_ABOUT_WORDS + 1)
// + 2 and + 3: the framework's two prompts (AFX_IDP_PARSE_INT, numbered in
// CMakeLists.txt), which would otherwise take a string block of their own.
#define IDS_ABOUT_CAPTION       (IDS_ABOUT_WORDS + 14)
