#pragma once
#include <QtGlobal>

#include <exception>

namespace cursovia::x11 {

// Runs `f` from an X or Qt callback: no exception may travel back through
// the toolkit, so anything that escapes the presenter's own reports is logged
// and dropped here.
template <typename F>
void noThrow(const char* where, F&& f) noexcept {
    try {
        f();
    } catch (const std::exception& e) {
        qWarning("cursovia: %s failed: %s", where, e.what());
    } catch (...) {
        qWarning("cursovia: %s failed", where);
    }
}

} // namespace cursovia::x11
