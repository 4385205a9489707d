#include "WinApp.h"

// The entry point of a framework program: everything happens in the app object.
// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name): mingw names it nShowCmd
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
