#pragma once

#include "afxwin.h"

// The About box, opened from the main window's system menu.
class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};
