// drowsel's own resources; the shared ones are in shell/resource.h.
#define IDD_MAIN        102
#define IDC_COUNT       1000
#define IDC_FORCE       1003
#define IDC_SUSPEND     1005
#define IDC_HIBERNATE   1006
#define IDC_SHUTDOWN    1007
