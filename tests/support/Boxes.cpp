#include "Boxes.h"

std::vector<HWND> ThreadBoxes(HWND hExclude)
{
    struct Search {
        HWND hExclude;
        std::vector<HWND> found;
    } s = {hExclude, {}};
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND h, LPARAM l) -> BOOL {
            auto* p = reinterpret_cast<Search*>(l);
            char cls[32] = "";
            ::GetClassNameA(h, cls, sizeof cls);
            if (h != p->hExclude && ::IsWindowVisible(h) && lstrcmpA(cls, "#32770") == 0)
                p->found.push_back(h);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::string WindowTextOf(HWND hWnd)
{
    char text[1024] = "";
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}

std::string MessageBoxText(HWND hBox)
{
    // Windows gives the message's static control id 0xFFFF.
    std::string text = WindowTextOf(::GetDlgItem(hBox, 0xFFFF));
    if (text.empty()) {
        // Wine's box template numbers it differently: take the longest static.
        for (HWND h = ::GetWindow(hBox, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
            char cls[32] = "";
            ::GetClassNameA(h, cls, sizeof cls);
            std::string t = WindowTextOf(h);
            if (lstrcmpiA(cls, "Static") == 0 && t.size() > text.size())
                text = t;
        }
    }
    return text;
}

void PostButton(HWND hDlg, int nID)
{
    ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(hDlg, nID)));
}
