#pragma once

#include <windows.h>

// A non-owning wrapper of a menu handle.
class CMenu {
public:
    CMenu() : m_hMenu(nullptr) {}
    static CMenu FromHandle(HMENU hMenu);

    HMENU GetSafeHmenu() const { return m_hMenu; }
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr);

    HMENU m_hMenu;
};
