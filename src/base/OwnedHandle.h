#pragma once
#include <utility>

namespace cursovia {

// Owns one handle of the operating system (a window handle, a registry key, a
// file descriptor) and releases it with `Release` when it goes; `Empty` is
// the value that holds nothing. Moves, never copies.
template <typename Handle, auto Release, Handle Empty = Handle{}>
class OwnedHandle {
public:
    OwnedHandle() = default;
    explicit OwnedHandle(Handle handle) : handle_(handle) {}
    ~OwnedHandle() { reset(); }
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, Empty)) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, Empty);
        }
        return *this;
    }
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Empty; }
    void reset(Handle handle = Empty) {
        if (handle_ != Empty) Release(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Empty;
};

} // namespace cursovia
