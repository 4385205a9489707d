#define IDD_FLOOR   102
#define IDC_COUNT   1000
