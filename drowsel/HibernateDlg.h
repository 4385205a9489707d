#pragma once

#include "CountdownDlg.h"
#include "CountdownState.h"
#include "PowerAction.h"

// The window of drowsel: ten 600 ms steps from the moment it opens, then
// forced hibernation, unless "Cancel".
class CHibernateDlg : public CCountdownDlg, public BasicCountdownState {
public:
    explicit CHibernateDlg(CWnd* pParent = nullptr);

    // BasicCountdownState's five fields come first, then:
    HICON m_hIcon;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override {}  // the hidden "GO!" does nothing
    void OnCancel() override;
    HICON GetIcon() const override { return m_hIcon; }
    int ActionAtZero() const override;
    void NameControls() override;

    void OnTimer(UINT_PTR nIDEvent);
    void OnPull();
    void OnSuspend() { SelectAction(PA_SUSPEND); }
    void OnHibernate() { SelectAction(PA_HIBERNATE); }
    void OnShutdown() { SelectAction(PA_SHUTDOWN); }
    // One of three: the clicked action only, then push and pull.
    void SelectAction(PowerAction action);

    DECLARE_MESSAGE_MAP()
};
