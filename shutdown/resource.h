// shutdown's own resources; the shared ones are in shell/resource.h.
#define IDD_MAIN        102
#define IDC_COUNT       1000
#define IDC_FORCE       1003
#define IDC_SUSPEND     1005
#define IDC_HIBERNATE   1006
#define IDC_SHUTDOWN    1007
#define IDC_LOGOFF      1008
#define IDC_REBOOT      1009
#define IDC_UNITS       1010

// The unit words, and the unit field's accessible name.
#define IDS_SECONDS     300
#define IDS_MINUTES     301
#define IDS_HOURS       302
#define IDS_UNIT_NAME   303
