#pragma once

// A dialog over the framework that records what reaches it, and helpers to
// find and answer the boxes this thread opens.

#include "FrameworkTestRes.h"
#include "afxwin.h"

#include <functional>
#include <string>
#include <vector>

// A message map row for a message of our own (the framework needs none).
#define FWTEST_ON_MESSAGE(msg, memberFxn)                               \
    {msg, 0, 0, [](CCmdTarget* p, WPARAM w, LPARAM l) -> LRESULT {      \
         return AFX_THIS(p)->memberFxn(w, l);                           \
     }},

constexpr UINT WM_FWTEST_RUN = WM_APP + 1;
constexpr UINT_PTR kWatchdogTimer = 99;

// Visible dialog-class windows of this thread other than the one given, such
// as a message box or a nested dialog; the most recently created first.
std::vector<HWND> ThreadBoxes(HWND hExclude = nullptr);
std::string WindowTextOf(HWND hWnd);
// The text of a message box (its static control).
std::string MessageBoxText(HWND hBox);
// Posted, as a click on the button would be.
void AnswerBox(HWND hBox, int nID = IDOK);

class CFwTestDlg : public CDialog {
public:
    explicit CFwTestDlg(UINT nIDTemplate = IDD_FW_TEST, CWnd* pParent = nullptr);

    // In exchange order.
    int m_bFirst = 0;
    int m_nCount = 0;
    int m_bSecond = 0;
    int m_bThird = 0;
    CString m_strText;

    // What reached the handlers, in order: "OnOK", "OnCancel", "EN_CHANGE count",
    // "EN_CHANGE text", "BN_CLICKED first", "BN_CLICKED second", "SYSCOMMAND n".
    std::vector<std::string> m_calls;
    int Count(const std::string& call) const;

    // Runs inside the modal loop once the window is up (posted from
    // OnInitDialog). Ending the dialog is up to it.
    std::function<void(CFwTestDlg&)> m_onRunning;
    // Runs at each WM_TIMER, with the id.
    std::function<void(CFwTestDlg&, UINT_PTR)> m_onTimer;
    // Runs inside DoDataExchange right after the member with this index
    // (0 first, 1 count, 2 second, 3 third, 4 text) was exchanged.
    std::function<void(CFwTestDlg&, int)> m_duringExchange;
    // The result OnOK/OnCancel pass to the base class is its own; these only
    // say whether to call it.
    bool m_bBaseOK = true;
    bool m_bBaseCancel = true;
    HICON m_hDragIcon = nullptr;
    // A watchdog ends a dialog (and answers any box) that hangs; -2 then.
    UINT m_nWatchdogMs = 15000;
    bool m_bWatchdogFired = false;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;

    void OnTimer(UINT_PTR nIDEvent);
    void OnSysCommand(UINT nID, LPARAM lParam);
    HCURSOR OnQueryDragIcon();
    void OnChangeCount() { m_calls.push_back("EN_CHANGE count"); }
    void OnChangeText() { m_calls.push_back("EN_CHANGE text"); }
    void OnClickFirst() { m_calls.push_back("BN_CLICKED first"); }
    void OnClickSecond() { m_calls.push_back("BN_CLICKED second"); }
    LRESULT OnRun(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()
};

// Records the message boxes the framework shows, instead of showing them.
struct MessageBoxRecord {
    HWND hOwner;
    std::string text;
    std::string caption;
    UINT nType;
};

class ScopedMessageBoxRecorder {
public:
    // Each box is answered with nAnswer; pfnDuring, if set, runs while the
    // "box" is up (it may run a nested loop of its own).
    explicit ScopedMessageBoxRecorder(int nAnswer = IDOK);
    ~ScopedMessageBoxRecorder();
    const std::vector<MessageBoxRecord>& Boxes() const;
    std::function<void(const MessageBoxRecord&)> m_onBox;

private:
    AFX_MSGBOX_HOOK m_pfnOld;
};
