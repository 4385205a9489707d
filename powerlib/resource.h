// The library's texts, in every language. Each action has a caption (what the
// user chose) and a sentence (what did not happen).
#define IDS_SUSPEND             100
#define IDS_HIBERNATE           101
#define IDS_SHUTDOWN            102
#define IDS_LOGOFF              103
#define IDS_REBOOT              104
#define IDS_SUSPEND_FAILED      110
#define IDS_HIBERNATE_FAILED    111
#define IDS_SHUTDOWN_FAILED     112
#define IDS_LOGOFF_FAILED       113
#define IDS_REBOOT_FAILED       114
#define IDS_NO_REASON           120
#define IDS_NOT_ALLOWED         121
#define IDS_ERROR_NUMBER        122  // %lu: the error's number
#define IDS_NO_HIBERNATION      123
#define IDS_CANNOT_SLEEP        124
