// Prints a file's version resource as Windows reads it (GetFileVersionInfoW,
// what Explorer's Details tab shows): the fixed file and product versions,
// then the strings of the file's first translation, one "Name=value" a line.
//
//   version_info.exe FILE
//
// Exit code 1 when the file has no version resource, 2 on a wrong command line.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The string values a release's file properties carry.
constexpr const wchar_t* kStringNames[] = {
    L"CompanyName",    L"FileDescription",  L"FileVersion", L"InternalName",
    L"LegalCopyright", L"OriginalFilename", L"ProductName", L"ProductVersion",
};

void printLine(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), size, nullptr, nullptr);
    std::printf("%s\n", utf8.c_str());
}

std::wstring dotted(DWORD high, DWORD low) {
    return std::to_wstring(HIWORD(high)) + L"." + std::to_wstring(LOWORD(high)) + L"." +
           std::to_wstring(HIWORD(low)) + L"." + std::to_wstring(LOWORD(low));
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: version_info.exe FILE\n");
        return 2;
    }
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(argv[1], &ignored);
    std::vector<BYTE> block(size);
    if (size == 0 || !GetFileVersionInfoW(argv[1], 0, size, block.data())) {
        std::fprintf(stderr, "no version resource (error %lu)\n", GetLastError());
        return 1;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
        printLine(L"FILEVERSION=" + dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS));
        printLine(L"PRODUCTVERSION=" + dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS));
    }
    struct Translation {
        WORD language;
        WORD codePage;
    }* translations = nullptr;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                        &length) ||
        length < sizeof(Translation))
        return 0;
    wchar_t prefix[64];
    swprintf(prefix, 64, L"\\StringFileInfo\\%04x%04x\\", translations->language, translations->codePage);
    for (const wchar_t* name : kStringNames) {
        wchar_t* value = nullptr;
        if (VerQueryValueW(block.data(), (std::wstring(prefix) + name).c_str(), reinterpret_cast<void**>(&value),
                           &length) &&
            value)
            printLine(std::wstring(name) + L"=" + value);
    }
    return 0;
}
