#pragma once

#include "CountdownHost.h"
#include "afxwin.h"

// What the two main dialogs share: the countdown timer, the countdown's view
// of the window, the About entry and the icon.
class CCountdownDlg : public CDialog, protected CountdownHost {
protected:
    CCountdownDlg(UINT nIDTemplate, CWnd* pParentWnd);

    // The icon drawn when minimized and set on the window.
    virtual HICON GetIcon() const = 0;

    // Installs timer 1 at the given period; 0 when the system refused it.
    // While the timer runs the machine is kept from sleeping on its own.
    UINT_PTR StartCountdownTimer(UINT nPeriodMs);
    void StopCountdownTimer();

    // The end of OnInitDialog: About entry in the system menu, window icons.
    void SetUpSystemMenuAndIcons();

    // "Cannot Install Timer", with the default caption.
    void ReportTimerRefused();

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();

    // Keeps the system awake (TRUE) or lets it sleep again (FALSE). Virtual so
    // that tests can watch it.
    virtual void KeepSystemAwake(BOOL bAwake);

    // CountdownHost
    void Beep(unsigned frequency, unsigned durationMs) override;
    void Push() override;
    void StopTimer() override;
    void CloseDialog() override;
    void ReportMissingEntry(PowerEntry entry, bool libraryLoaded) override;
    void DefaultProcessing() override;

    DECLARE_MESSAGE_MAP()

private:
    bool m_bKeepingAwake = false;
};
