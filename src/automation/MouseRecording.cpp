#include "automation/MouseRecording.h"

namespace cursovia {

bool MouseRecording::start() {
    if (recorder_) return true;
    recorder_.emplace(source_.clickLimits());
    if (source_.install(*this)) return true;
    recorder_.reset();
    return false;
}

void MouseRecording::trayClicked(MouseButton button) {
    if (recorder_) recorder_->dropLastClick(button);
}

std::vector<Action> MouseRecording::end(MonotonicTime at) {
    if (!recorder_) return {};
    source_.remove();
    std::vector<Action> rows = recorder_->rows(at);
    recorder_.reset();
    return rows;
}

void MouseRecording::onMouseEvent(const MouseEvent& event) {
    if (recorder_) recorder_->add(event);
}

} // namespace cursovia
