// Holds a file open as a virus scanner or a second copy of a program would:
// shared for reading only, so other processes cannot delete or replace it.
// Prints "held" once the file is open, then waits until it is ended.
//
//   hold_file.exe FILE
//
// Exit code 1 when the file cannot be opened, 2 on a wrong command line.

#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: hold_file.exe FILE\n");
        return 2;
    }
    const HANDLE file = CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        std::fprintf(stderr, "cannot open the file: error %lu\n", GetLastError());
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(INFINITE);
    return 0;
}
