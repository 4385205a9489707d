#pragma once

#include "afxwin.h"

#include <functional>

// Runs the dialog modally; once its loop runs, `during` gets the window and is
// expected to end it (a click on "Cancel", say). A dialog still open after
// giveUpMs ends with -2, so a broken test fails instead of hanging.
INT_PTR RunModal(CDialog& dlg, std::function<void(HWND)> during, UINT giveUpMs = 10000);
