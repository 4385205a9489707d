// The framework tests' own dialogs (ids apart from the programs' resources).
#define IDD_FW_TEST        200
#define IDD_FW_INNER       201
#define IDC_FW_FIRST       1001
#define IDC_FW_COUNT       1000
#define IDC_FW_SECOND      1005
#define IDC_FW_THIRD       1006
#define IDC_FW_TEXT        1010
