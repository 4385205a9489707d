#pragma once

#include "Platform.h"

#include <windows.h>

#include <functional>
#include <string>

// Drives a dialog of another process as a user would: posted clicks and keys,
// posted timer messages, and reads of its controls. Nothing is sent that could
// block the test on a modal box inside the program.
class DialogDriver {
public:
    explicit DialogDriver(HWND hWnd) : m_hWnd(hWnd) {}

    HWND Window() const { return m_hWnd; }
    HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }
    std::string Text(int id) const;
    static std::string TextOf(HWND hWnd);  // any window's, such as a control without an id
    bool Checked(int id) const;
    bool Enabled(int id) const;
    bool Visible(int id) const;

    void Click(int id) const;              // BM_CLICK, posted
    void Type(int id, const std::string& chars) const;  // WM_CHAR each, posted; '\b' erases
    void CaretToEnd(int id) const;
    void PostTick(UINT_PTR id = 1) const;  // the handler ignores the id
    void PostCommand(int id) const;        // WM_COMMAND as from an accelerator
    void PostSysCommand(UINT id) const;

    // A visible dialog-class window of the same process other than ours, such
    // as a message box; null if none came within the time.
    HWND WaitForBox(DWORD timeoutMs = kWaitLimitMs) const;
    static std::string BoxCaption(HWND hBox);
    static std::string BoxText(HWND hBox);  // the message of a message box
    static void AnswerBox(HWND hBox, int id = IDOK);  // posted, like a click

private:
    HWND m_hWnd;
};

// The first visible top-level window of the process that matches; null if none.
HWND FindTopWindowOf(DWORD pid, const std::function<bool(HWND)>& match);
