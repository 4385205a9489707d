// The shell tests' own dialog, apart from shutdown's resources.
#define IDD_SHELL_SYSMENU  300
