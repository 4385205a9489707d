#include "DialogDriver.h"

namespace {

struct BoxSearch {
    DWORD pid;
    HWND exclude;
    HWND found;
};

BOOL CALLBACK FindBox(HWND hWnd, LPARAM lParam)
{
    auto* s = reinterpret_cast<BoxSearch*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    char cls[32] = "";
    ::GetClassNameA(hWnd, cls, sizeof cls);
    if (pid == s->pid && hWnd != s->exclude && ::IsWindowVisible(hWnd) && lstrcmpA(cls, "#32770") == 0) {
        s->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

std::string WindowText(HWND hWnd)
{
    char text[1024] = "";
    // WM_GETTEXT across processes is marshalled; a hung target would block,
    // so give up after a while.
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                          &result);
    return text;
}

} // namespace

std::string DialogDriver::Text(int id) const
{
    return WindowText(Item(id));
}

bool DialogDriver::Checked(int id) const
{
    DWORD_PTR state = 0;
    ::SendMessageTimeoutA(Item(id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
    return state == BST_CHECKED;
}

bool DialogDriver::Enabled(int id) const
{
    return ::IsWindowEnabled(Item(id)) != FALSE;
}

bool DialogDriver::Visible(int id) const
{
    return (::GetWindowLongA(Item(id), GWL_STYLE) & WS_VISIBLE) != 0;
}

void DialogDriver::Click(int id) const
{
    ::PostMessageA(Item(id), BM_CLICK, 0, 0);
}

void DialogDriver::Type(int id, const std::string& chars) const
{
    for (char c : chars)
        ::PostMessageA(Item(id), WM_CHAR, static_cast<unsigned char>(c), 1);
}

void DialogDriver::CaretToEnd(int id) const
{
    ::PostMessageA(Item(id), EM_SETSEL, 0x7FFF, 0x7FFF);
}

void DialogDriver::PostTick(UINT_PTR id) const
{
    ::PostMessageA(m_hWnd, WM_TIMER, id, 0);
}

void DialogDriver::PostCommand(int id) const
{
    ::PostMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void DialogDriver::PostSysCommand(UINT id) const
{
    ::PostMessageA(m_hWnd, WM_SYSCOMMAND, id, 0);
}

bool DialogDriver::WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    for (DWORD waited = 0;; waited += 10) {
        if (condition())
            return true;
        if (waited >= timeoutMs)
            return false;
        ::Sleep(10);
    }
}

HWND DialogDriver::WaitForBox(DWORD timeoutMs) const
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(m_hWnd, &pid);
    BoxSearch s = {pid, m_hWnd, nullptr};
    WaitUntil(
        [&] {
            ::EnumWindows(FindBox, reinterpret_cast<LPARAM>(&s));
            return s.found != nullptr;
        },
        timeoutMs);
    return s.found;
}

std::string DialogDriver::BoxCaption(HWND hBox)
{
    return WindowText(hBox);
}

std::string DialogDriver::BoxText(HWND hBox)
{
    // A message box shows its text in the static control with id 0xFFFF.
    return WindowText(::GetDlgItem(hBox, 0xFFFF));
}

void DialogDriver::AnswerBox(HWND hBox, int id)
{
    ::PostMessageA(hBox, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hBox, id)));
}
