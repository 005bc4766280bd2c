#include "SystemError.h"

#include "Utf16.h"

#include <memory>

namespace cursovia::win32 {
namespace {

struct LocalRelease {
    void operator()(wchar_t* memory) const { LocalFree(memory); }
};

} // namespace

std::string systemMessage(DWORD code) {
    wchar_t* allocated = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<wchar_t*>(&allocated), 0, nullptr);
    const std::unique_ptr<wchar_t, LocalRelease> buffer(allocated);
    std::wstring text = length && buffer ? std::wstring(buffer.get(), length) : std::wstring();
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
    if (text.empty()) return "error " + std::to_string(code);
    return narrow(text);
}

} // namespace cursovia::win32
