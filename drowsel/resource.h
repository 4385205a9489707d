// drowsel's own resources; the shared ones are in shell/resource.h.
#define IDD_MAIN        102
#define IDD_MAIN_LAYOUT 112  // the same in the shell font, for translations
#define IDC_COUNT       1000
#define IDC_FORCE       1003
#define IDC_SUSPEND     1005
#define IDC_HIBERNATE   1006
#define IDC_SHUTDOWN    1007

// A translation's words for IDD_MAIN_LAYOUT, by the place of each control.
#define IDS_MAIN_GO         (IDS_MAIN_WORDS + 0)
#define IDS_MAIN_CANCEL     (IDS_MAIN_WORDS + 1)
#define IDS_MAIN_GROUP      (IDS_MAIN_WORDS + 2)
#define IDS_MAIN_SECONDS    (IDS_MAIN_WORDS + 4)
#define IDS_MAIN_FORCE      (IDS_MAIN_WORDS + 5)
#define IDS_MAIN_SUSPEND    (IDS_MAIN_WORDS + 6)
#define IDS_MAIN_HIBERNATE  (IDS_MAIN_WORDS + 7)
#define IDS_MAIN_SHUTDOWN   (IDS_MAIN_WORDS + 8)
#define IDS_MAIN_WIDTH      (IDS_MAIN_WORDS + 15)  // in dialog units; English: 96
