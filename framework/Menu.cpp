#include "Menu.h"

CMenu CMenu::FromHandle(HMENU hMenu)
{
    CMenu menu;
    menu.m_hMenu = hMenu;
    return menu;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem)
{
    return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}
