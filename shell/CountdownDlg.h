#pragma once

#include "AccessibleNames.h"
#include "CountdownHost.h"
#include "LastMinute.h"
#include "PowerRequest.h"
#include "TaskbarProgress.h"
#include "afxwin.h"

// What the two main dialogs share: the countdown timer, the countdown's view
// of the window and of its taskbar button, the warning in the last minute,
// the end of the session, the accessible names, the About entry and the icon.
class CCountdownDlg : public CDialog, protected CountdownHost {
public:
    // Before the window opens: Windows' language. (shutdown's dialog lets its
    // settings file have a say.)
    static void UseLanguage();

protected:
    // nIDLayout: the main window's controls in a font for every script, for
    // a language other than English (0: none).
    CCountdownDlg(UINT nIDTemplate, CWnd* pParentWnd, UINT nIDLayout = 0);

    // The icon drawn when minimized and set on the window.
    virtual HICON GetIcon() const = 0;

    // The entry a final tick now would call; PE_COUNT for none.
    virtual PowerEntry EntryAtZero() const { return PE_COUNT; }
    bool WouldActAtZero() const { return EntryAtZero() != PE_COUNT; }
    // The action of that entry (a PowerAction); kNoAction for none.
    int ActionAtZero() const;
    // Names the dialog's fields through NameControl and NameCountField.
    virtual void NameControls() {}

    // Registers the taskbar's message, then the framework's initialisation;
    // names the fields at once when a screen reader runs.
    BOOL OnInitDialog() override;
    // Clears the taskbar button's bar, then the framework's cancel.
    void OnCancel() override;

    // Installs timer 1 at the given period; 0 when the system refused it.
    // While the timer runs the machine is kept from sleeping on its own, for
    // the reason of the action given (a PowerAction, or kNoAction), the
    // taskbar button shows the share of the nSteps left, and the window
    // surfaces nWarnSeconds before the end (0: never). A missing library, or
    // a missing entry that the end would call, is reported right after, in
    // the box the end would show.
    UINT_PTR StartCountdownTimer(UINT nPeriodMs, int nSteps, int nAction, int nWarnSeconds);
    void StopCountdownTimer();
    // After each tick: the taskbar button follows the count, and the window
    // surfaces once the end is near.
    void ShowCountdownProgress(int nStepsLeft);
    // The end on the taskbar: after each tick, and whenever the action boxes
    // or the force change.
    void ShowEndOnTaskbar();
    // Once the session has ended, no tick counts any more.
    bool IsSessionEnded() const { return m_bSessionEnded; }

    // The names, if a screen reader has shown up; again whenever a text they
    // are made of changes.
    void UpdateAccessibleNames();
    // The count field's name: the caption of the group box that frames it
    // (the control before it), then the unit, such as "Shutdown In: Minutes".
    void NameCountField(int nCountID, LPCSTR pszUnit);

    // The end of OnInitDialog: About entry in the system menu, window icons.
    void SetUpSystemMenuAndIcons();

    // "Cannot Install Timer", with the default caption.
    void ReportTimerRefused();

    // Posted by the start, so that it comes once the library is bound (the
    // automatic start precedes the binding) and the window shows.
    LRESULT OnReportMissingAtStart(WPARAM, LPARAM);

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();

    // The taskbar button's bar (CTaskbarProgress). Virtual so that tests can
    // watch it without COM.
    virtual void ConnectTaskbar();
    virtual void ShowOnTaskbar(TBPFLAG state, int nStepsLeft, int nStepsAtStart);
    virtual void ShowTipOnTaskbar(LPCWSTR pwszTip);
    LRESULT OnTaskbarButtonCreated(WPARAM, LPARAM);

    // The second timer of the warning, for minutes and hours, when the moment
    // falls between two ticks. (The window calls are in g_lastMinuteOs.)
    void OnLastMinuteTimer();

    // The accessible names. Virtual so that tests can watch them: Wine does
    // not implement the annotation.
    virtual bool IsScreenReaderRunning() const;
    virtual void NameControl(int nID, LPCSTR pszName);
    LRESULT OnGetObject(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);

    // Log-off, restart, shutdown, the Restart Manager: never in the way, and
    // nothing is called once the session ends.
    LRESULT OnQueryEndSession(WPARAM, LPARAM);
    LRESULT OnEndSession(WPARAM bEnding, LPARAM);

    // CountdownHost
    void Beep(unsigned frequency, unsigned durationMs) override;
    void Push() override;
    void StopTimer() override;
    void CloseDialog() override;
    void ReportMissingEntry(PowerEntry entry, bool libraryLoaded) override;
    void DefaultProcessing() override;

    DECLARE_MESSAGE_MAP()

    // While the countdown runs toward an action, the thumbnail's tooltip says
    // which and at what clock time (shutdown; drowsel's few seconds need none).
    bool m_bEndOnTaskbar = false;

private:
    void SetTaskbarState(TBPFLAG state, int nStepsLeft);
    // The window surfaces, and a screen reader says what comes in how long.
    void SurfaceForLastMinute(ULONGLONG nMsLeft);
    static void CALLBACK LastMinuteTimerProc(HWND hWnd, UINT, UINT_PTR, DWORD);

    bool m_bRunning = false;  // timer 1 installed by us and not yet stopped
    CPowerRequest m_awake;
    CTaskbarProgress m_taskbar;
    // What the bar shows, again when a new taskbar button asks.
    TBPFLAG m_taskbarState = TBPF_NOPROGRESS;
    int m_nStepsLeft = 0;
    int m_nStepsAtStart = 0;
    UINT m_nPeriodMs = 0;
    bool m_bTipShown = false;  // the thumbnail's tooltip is ours, not the title
    CLastMinute m_lastMinute;
    bool m_bLastMinuteTimer = false;  // the second timer is set
    bool m_bSessionEnded = false;
    bool m_bNamesWanted = false;      // an assistive technology has shown up
    CAccessibleNames m_names;
};
