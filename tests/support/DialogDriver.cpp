#include "DialogDriver.h"

#include "Boxes.h"

std::string DialogDriver::TextOf(HWND hWnd)
{
    char text[1024] = "";
    // WM_GETTEXT across processes is marshalled; a hung target would block,
    // so give up after a while.
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                          &result);
    return text;
}

std::string DialogDriver::Text(int id) const
{
    return TextOf(Item(id));
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

HWND FindTopWindowOf(DWORD pid, const std::function<bool(HWND)>& match)
{
    struct Search {
        DWORD pid;
        const std::function<bool(HWND)>& match;
        HWND found;
    } s = {pid, match, nullptr};
    ::EnumWindows(
        [](HWND h, LPARAM l) -> BOOL {
            auto* p = reinterpret_cast<Search*>(l);
            DWORD pid = 0;
            ::GetWindowThreadProcessId(h, &pid);
            if (pid != p->pid || !::IsWindowVisible(h) || !p->match(h))
                return TRUE;
            p->found = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND DialogDriver::WaitForBox(DWORD timeoutMs) const
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(m_hWnd, &pid);
    HWND hBox = nullptr;
    WaitUntil(
        [&] {
            hBox = FindTopWindowOf(pid, [this](HWND h) {
                char cls[32] = "";
                ::GetClassNameA(h, cls, sizeof cls);
                return h != m_hWnd && lstrcmpA(cls, "#32770") == 0;
            });
            return hBox != nullptr;
        },
        timeoutMs);
    return hBox;
}

std::string DialogDriver::BoxCaption(HWND hBox)
{
    return TextOf(hBox);
}

std::string DialogDriver::BoxText(HWND hBox)
{
    // A message box shows its text in the static control with id 0xFFFF.
    return TextOf(::GetDlgItem(hBox, 0xFFFF));
}

void DialogDriver::AnswerBox(HWND hBox, int id)
{
    PostButton(hBox, id);
}
