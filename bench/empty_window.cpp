// The yardstick for start-up: an empty window, built and started the way
// Tavrin.exe is.
#include "plain_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    ShowWindow(MakePlainWindow(instance, L"EmptyWindow"), SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
