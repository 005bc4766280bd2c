#include "FileReplacementAdapter.h"

#include "Handles.h"
#include "SystemError.h"
#include "Utf16.h"

#include <algorithm>
#include <random>
#include <stdexcept>

namespace cursovia::win32 {
namespace {

[[noreturn]] void fail(const std::string& what, DWORD error) {
    const std::string reason = systemMessage(error);
    throw std::runtime_error(what.empty() ? reason : what + ": " + reason);
}

// The file a link leads to, as the system follows it; the path itself when
// it is no link, or a link to nothing yet.
std::wstring finalPath(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return path;
    const UniqueHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return path;
    std::wstring target(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(file.get(), target.data(), static_cast<DWORD>(target.size()),
                                                       FILE_NAME_NORMALIZED);
        if (length == 0) return path;
        if (length < target.size()) return target.substr(0, length);
        target.resize(length);
    }
}

// A temporary beside the target under a name nobody chose before.
std::pair<HANDLE, std::wstring> createTemporary(const std::wstring& file) {
    std::random_device entropy;
    for (int attempt = 0;; ++attempt) {
        const std::wstring name = file + L".tmp" + std::to_wstring(entropy() % 1000000000u);
        const HANDLE handle =
            CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) return {handle, name};
        const DWORD error = GetLastError();
        if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt == 100) fail("", error);
    }
}

void writeAll(HANDLE file, const std::string& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr))
            fail("writing failed (is the disk full?)", GetLastError());
        done += written;
    }
}

} // namespace

void WindowsFileReplacement::replace(const std::string& utf8File, const std::string& bytes, bool keepFormer) {
    const std::wstring file = finalPath(widen(utf8File));
    auto [handle, temporary] = createTemporary(file);
    try {
        writeAll(handle, bytes);
        if (!FlushFileBuffers(handle)) fail("flushing the file to the disk failed", GetLastError());
        const BOOL closed = CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
        if (!closed) fail("writing failed", GetLastError());
        const BOOL placed =
            keepFormer ? ReplaceFileW(file.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                      nullptr, nullptr)
                       : MoveFileExW(temporary.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (!placed) fail("", GetLastError());
    } catch (...) {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
        DeleteFileW(temporary.c_str());
        throw;
    }
}

} // namespace cursovia::win32
