#pragma once

#include "CountdownHost.h"
#include "PowerRequest.h"
#include "afxwin.h"

// What the two main dialogs share: the countdown timer, the countdown's view
// of the window, the About entry and the icon.
class CCountdownDlg : public CDialog, protected CountdownHost {
protected:
    CCountdownDlg(UINT nIDTemplate, CWnd* pParentWnd);

    // The icon drawn when minimized and set on the window.
    virtual HICON GetIcon() const = 0;

    // Installs timer 1 at the given period; 0 when the system refused it.
    // While the timer runs the machine is kept from sleeping on its own, for
    // the reason of the action named (null: none chosen).
    UINT_PTR StartCountdownTimer(UINT nPeriodMs, LPCSTR pszAction);
    void StopCountdownTimer();

    // The end of OnInitDialog: About entry in the system menu, window icons.
    void SetUpSystemMenuAndIcons();

    // "Cannot Install Timer", with the default caption.
    void ReportTimerRefused();

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();

    // CountdownHost
    void Beep(unsigned frequency, unsigned durationMs) override;
    void Push() override;
    void StopTimer() override;
    void CloseDialog() override;
    void ReportMissingEntry(PowerEntry entry, bool libraryLoaded) override;
    void DefaultProcessing() override;

    DECLARE_MESSAGE_MAP()

private:
    CPowerRequest m_awake;
};
