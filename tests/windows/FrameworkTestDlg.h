#pragma once

// A dialog over the framework that records what reaches it, and helpers to
// find and answer the boxes this thread opens.

#include "BoxRecorder.h"
#include "Boxes.h"
#include "FrameworkTestRes.h"
#include "Platform.h"
#include "afxwin.h"

#include <functional>
#include <string>
#include <vector>

constexpr UINT WM_FWTEST_RUN = WM_APP + 1;
const char kAppName[] = "framework_tests";  // this program's file name

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
    // Runs at each WM_TIMER while a box of this thread is up, with the box.
    std::function<void(CFwTestDlg&, HWND hBox)> m_onTickInBox;
    // Runs inside DoDataExchange right after the member with this index
    // (0 first, 1 count, 2 second, 3 third, 4 text) was exchanged.
    std::function<void(CFwTestDlg&, int)> m_duringExchange;
    // The result OnOK/OnCancel pass to the base class is its own; these only
    // say whether to call it.
    bool m_bBaseOK = true;
    bool m_bBaseCancel = true;
    HICON m_hDragIcon = nullptr;
    // The kit's watchdog ended a dialog that hung, with -2.
    bool m_bWatchdogFired = false;

    INT_PTR DoModal() override;

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
