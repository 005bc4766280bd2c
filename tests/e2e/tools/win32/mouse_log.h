// Line-per-event log shared by the Win32 test targets. Each line is flushed at
// once so a test can poll the file while the target keeps running.
#pragma once

#include <windows.h>

#include <cstdio>
#include <memory>

namespace e2e {

// Mouse messages the targets report, by the name written to the log.
inline const char* mouseMessageName(UINT message) {
    struct Entry {
        UINT message;
        const char* name;
    };
    static constexpr Entry kNames[] = {
        {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},     {WM_LBUTTONUP, "WM_LBUTTONUP"},
        {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"}, {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"},
        {WM_RBUTTONUP, "WM_RBUTTONUP"},         {WM_RBUTTONDBLCLK, "WM_RBUTTONDBLCLK"},
        {WM_MBUTTONDOWN, "WM_MBUTTONDOWN"},     {WM_MBUTTONUP, "WM_MBUTTONUP"},
        {WM_MBUTTONDBLCLK, "WM_MBUTTONDBLCLK"},
    };
    for (const auto& entry : kNames) {
        if (entry.message == message) return entry.name;
    }
    return nullptr;
}

class MouseLog {
public:
    // Appends to the file; check isOpen() before use.
    explicit MouseLog(const wchar_t* path) : file_(_wfopen(path, L"a")) {}

    bool isOpen() const { return file_ != nullptr; }

    void write(const char* name) {
        std::fprintf(file_.get(), "%s\n", name);
        std::fflush(file_.get());
    }

    // `time` is the message's own, GetMessageTime(): milliseconds on the
    // system's tick count, stamped when the input arrived.
    void write(const char* name, POINT screen, LONG time) {
        std::fprintf(file_.get(), "%s %ld %ld %lu\n", name, screen.x, screen.y, static_cast<unsigned long>(time));
        std::fflush(file_.get());
    }

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
};

}  // namespace e2e
