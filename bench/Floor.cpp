// The floor of the benchmark: the least a dialog program can be. One dialog
// from a template, run by the system's own DialogBoxParam, no framework, no
// settings, no library. Same compile and link flags and the same manifest as
// shutdown and drowsel, so what they cost beyond this is theirs.
#include <windows.h>

#include "floor_resource.h"

namespace {

INT_PTR CALLBACK FloorProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            ::EndDialog(hWnd, LOWORD(wParam));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    return static_cast<int>(::DialogBoxParamA(hInstance, MAKEINTRESOURCEA(IDD_FLOOR), nullptr, FloorProc, 0));
}
