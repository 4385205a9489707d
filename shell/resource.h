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
// + 6 and + 7: the framework's two prompts (AFX_IDP_PARSE_INT, numbered in
// CMakeLists.txt), which would otherwise take a string block of their own.
#define IDS_ABOUT_CAPTION       (IDS_ABOUT_WORDS + 14)

// What the countdown says on the taskbar and to screen readers. The About box
// has words for its two controls only, so these share its block: a block of
// their own would cost some 60 bytes in every language. Their inserts are
// FormatMessage's, which a translation may put in any order.
#define IDS_END_AT              (IDS_ABOUT_WORDS + 2)  // %1 the action's name, %2 its clock time
#define IDS_LAST_MINUTE         (IDS_ABOUT_WORDS + 3)  // %1 the action's name, %2 the time left
// The time left's units after a number, as "in 5 minutes" takes them:
// one|few|many|other (see PluralRule.h).
#define IDS_SECONDS_LEFT        (IDS_ABOUT_WORDS + 4)
#define IDS_MINUTES_LEFT        (IDS_ABOUT_WORDS + 5)
