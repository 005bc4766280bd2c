#pragma once
#include "base/Dialogs.h"

#include <functional>

namespace cursovia {

// Runs `handler` where the platform calls into the program: a window
// procedure, a Qt slot, a hook or a socket notifier. No exception may travel
// back into the platform's code, so whatever escapes `handler` ends here: it
// is written to the standard error stream with its text and `procedure`
// ("Form1.ListView1_DblClick"), and, given `dialogs`, shown as the error
// report under `procedure`, the handler's whole body counting as its
// statement 100. Without `dialogs` (where a message box cannot be shown, such
// as inside the keyboard hook) it is only written.
void runAtCallbackBoundary(const char* procedure, Dialogs* dialogs, const std::function<void()>& handler) noexcept;

} // namespace cursovia
