#pragma once

namespace cursovia::win32 {

// Raises a flag for a scope and puts back what it was, also on an exception.
// Marks changes a window makes to itself, so the notifications they cause are
// not taken for the user's input.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = was_; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    bool& flag_;
    bool was_;
};

} // namespace cursovia::win32
