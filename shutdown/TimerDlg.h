#pragma once

#include "CountdownDlg.h"
#include "CountdownState.h"
#include "PowerAction.h"

// The window of shutdown: the count, the unit, five actions and "Force Close?",
// started by "GO!" or by the settings file.
class CTimerDlg : public CCountdownDlg, public CountdownState {
public:
    explicit CTimerDlg(CWnd* pParent = nullptr);

    // Before the window opens: the language of the settings file's Language
    // key if it is one of ours, else Windows'.
    static void UseLanguage();

    // CountdownState's seven fields come first, then:
    CString m_strUnits;  // "Seconds", "Minutes", "Hours" (in the user's language, in the form for the count) or empty
    HICON m_hIcon;
    int m_nWarnSeconds = 60;  // how long before the end the window surfaces; 0 or less never

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;      // the start
    void OnCancel() override;
    HICON GetIcon() const override { return m_hIcon; }
    PowerEntry EntryAtZero() const override;
    void NameControls() override;
    // The unit shown, if any, in the form for m_nCount.
    void FitUnitToCount();

    void OnTimer(UINT_PTR nIDEvent);
    void OnChangeCount();
    void OnForce();
    void OnSuspend() { SelectAction(PA_SUSPEND); }
    void OnHibernate() { SelectAction(PA_HIBERNATE); }
    void OnShutdown() { SelectAction(PA_SHUTDOWN); }
    void OnLogOff() { SelectAction(PA_LOGOFF); }
    void OnReboot() { SelectAction(PA_REBOOT); }
    // One of five: the clicked action only, then push and pull.
    void SelectAction(PowerAction action);

    DECLARE_MESSAGE_MAP()
};
