// Keeps Wine's desktop process up between the timed runs, as Windows'
// shell is always up: without it, every run would pay for the desktop's
// start and the figures would measure Wine, not the programs.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    GetDesktopWindow();
    Sleep(INFINITE);
    return 0;
}
