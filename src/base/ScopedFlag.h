#pragma once

namespace cursovia {

// Raises a flag for a scope and puts back what it was, also on an exception.
// The windows mark the changes they make to themselves with it, so the
// notifications those changes cause are not taken for the user's input.
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

} // namespace cursovia
