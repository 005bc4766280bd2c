#pragma once
#include "automation/ClickRecorder.h"
#include "automation/MouseEvents.h"
#include "base/EventLoop.h"

#include <optional>
#include <vector>

namespace cursovia {

// A recording under way: the desktop's mouse events go into a ClickRecorder
// from start() until end(), which hands over the rows.
class MouseRecording : private MouseSink {
public:
    explicit MouseRecording(MouseEventSource& source) : source_(source) {}

    // Returns false, recording nothing, when the platform refuses to report the mouse.
    bool start();
    bool active() const { return recorder_.has_value(); }
    // The click on the tray icon that ends the recording is not part of it.
    void trayClicked(MouseButton button);
    // Stops listening; the rows recorded, the last waiting until `at`. None when not active.
    std::vector<Action> end(MonotonicTime at);

private:
    void onMouseEvent(const MouseEvent& event) override;

    MouseEventSource& source_;
    std::optional<ClickRecorder> recorder_;
};

} // namespace cursovia
