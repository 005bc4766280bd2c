#pragma once
#include <windows.h>

#include <utility>

namespace cursovia::win32 {

// Owns one handle and releases it with `Release` when it goes; moves, never copies.
template <typename Handle, auto Release>
class Unique {
public:
    Unique() = default;
    explicit Unique(Handle handle) : handle_(handle) {}
    ~Unique() { reset(); }
    Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, Handle{});
        }
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }
    void reset(Handle handle = Handle{}) {
        if (handle_) Release(handle_);
        handle_ = handle;
    }

private:
    Handle handle_{};
};

using UniqueHook = Unique<HHOOK, &UnhookWindowsHookEx>;
using UniqueKey = Unique<HKEY, &RegCloseKey>;
using UniqueIcon = Unique<HICON, &DestroyIcon>;
using UniqueCursor = Unique<HCURSOR, &DestroyCursor>;
using UniqueFont = Unique<HFONT, &DeleteObject>;
using UniqueBrush = Unique<HBRUSH, &DeleteObject>;
using UniqueHandle = Unique<HANDLE, &CloseHandle>; // kernel objects: timers, processes, threads

} // namespace cursovia::win32
