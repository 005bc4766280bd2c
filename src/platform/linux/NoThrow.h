#pragma once
#include "base/CallbackBoundary.h"

namespace cursovia::x11 {

// Runs `f` from a Qt callback that has no handler of the presenter's behind
// it: what escapes is logged at the core's callback boundary, never rethrown.
template <typename F>
void noThrow(const char* where, F&& f) noexcept {
    runAtCallbackBoundary(where, nullptr, f);
}

} // namespace cursovia::x11
