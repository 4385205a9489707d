#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The boxes a dialog of this thread opens: message boxes and nested dialogs.

// What one message box would have shown, for a stand-in that records it
// instead (the framework's hook, or a fake of MessageBoxA).
struct BoxRecord {
    HWND hOwner;
    std::string text;
    std::string caption;
    UINT nType;
};

// Visible dialog-class windows of this thread other than the one given.
std::vector<HWND> ThreadBoxes(HWND hExclude = nullptr);
std::string WindowTextOf(HWND hWnd);
// The text of a message box (its static control).
std::string MessageBoxText(HWND hBox);
// A click on the dialog's button as its notification, posted: answers a
// message box, or presses a button of any dialog, also in another process.
void PostButton(HWND hDlg, int nID = IDOK);
