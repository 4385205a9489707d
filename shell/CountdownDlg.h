#pragma once

#include "CountdownHost.h"
#include "PowerRequest.h"
#include "TaskbarProgress.h"
#include "afxwin.h"

// What the two main dialogs share: the countdown timer, the countdown's view
// of the window and of its taskbar button, the About entry and the icon.
class CCountdownDlg : public CDialog, protected CountdownHost {
protected:
    CCountdownDlg(UINT nIDTemplate, CWnd* pParentWnd);

    // The icon drawn when minimized and set on the window.
    virtual HICON GetIcon() const = 0;

    // Registers the taskbar's message, then the framework's initialisation.
    BOOL OnInitDialog() override;
    // Clears the taskbar button's bar, then the framework's cancel.
    void OnCancel() override;

    // Installs timer 1 at the given period; 0 when the system refused it.
    // While the timer runs the machine is kept from sleeping on its own, for
    // the reason of the action named (null: none chosen), and the taskbar
    // button shows the share of the nSteps left.
    UINT_PTR StartCountdownTimer(UINT nPeriodMs, int nSteps, LPCSTR pszAction);
    void StopCountdownTimer();
    // After each tick: the taskbar button follows the count.
    void ShowCountdownProgress(int nStepsLeft);

    // The end of OnInitDialog: About entry in the system menu, window icons.
    void SetUpSystemMenuAndIcons();

    // "Cannot Install Timer", with the default caption.
    void ReportTimerRefused();

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();

    // The taskbar button's bar (CTaskbarProgress). Virtual so that tests can
    // watch it without COM.
    virtual void ConnectTaskbar();
    virtual void ShowOnTaskbar(TBPFLAG state, int nStepsLeft, int nStepsAtStart);
    LRESULT OnTaskbarButtonCreated(WPARAM, LPARAM);

    // CountdownHost
    void Beep(unsigned frequency, unsigned durationMs) override;
    void Push() override;
    void StopTimer() override;
    void CloseDialog() override;
    void ReportMissingEntry(PowerEntry entry, bool libraryLoaded) override;
    void DefaultProcessing() override;

    DECLARE_MESSAGE_MAP()

private:
    void SetTaskbarState(TBPFLAG state, int nStepsLeft);

    bool m_bRunning = false;  // timer 1 installed by us and not yet stopped
    CPowerRequest m_awake;
    CTaskbarProgress m_taskbar;
    // What the bar shows, again when a new taskbar button asks.
    TBPFLAG m_taskbarState = TBPF_NOPROGRESS;
    int m_nStepsLeft = 0;
    int m_nStepsAtStart = 0;
};
