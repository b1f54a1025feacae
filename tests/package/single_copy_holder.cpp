// Stands in for a running copy of the program: holds the named mutex every
// copy holds, prints "holding", and lets go when its input closes.
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: single_copy_holder MUTEX-NAME\n", stderr);
        return 2;
    }
    HANDLE mutex = CreateMutexW(nullptr, FALSE, argv[1]);
    if (mutex == nullptr) return 1;
    std::puts("holding");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    CloseHandle(mutex);
    return 0;
}
