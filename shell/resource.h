// Resources shared by both programs.
#define IDR_MAINFRAME   128
#define IDD_ABOUTBOX    100
#define IDS_ABOUTBOX    101
#define IDM_ABOUTBOX    0x0010
#ifndef IDC_STATIC
#define IDC_STATIC      (-1)
#endif
