#pragma once
#include "XDisplay.h"

#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;

namespace cursovia::qtx11 {

// One button press or release as the server processed it.
struct RecordedButtonEvent {
    bool pressed = false;
    // X's button number.
    int button = 0;
    // Where the pointer stood on the root window when the event happened.
    int rootX = 0, rootY = 0;
};

// Every button press and release of the whole X display, from the RECORD
// extension: a control connection owns the recording context, a second
// connection receives the recorded events, its socket watched by the Qt event
// loop. Recording is passive: nothing is grabbed and no event waits for us, so
// each still reaches its window at once; each carries the position it
// happened at, however far the pointer has moved since. Events synthesised
// with XTest arrive like real ones. Under Wayland it sees only what XWayland sees.
class XRecordButtonEvents {
public:
    using Handler = std::function<void(const RecordedButtonEvent&)>;

    XRecordButtonEvents();
    ~XRecordButtonEvents();
    XRecordButtonEvents(const XRecordButtonEvents&) = delete;
    XRecordButtonEvents& operator=(const XRecordButtonEvents&) = delete;

    // Starts handing every event to `handler`, on the user-interface thread;
    // the server records from before it returns. False without a display,
    // without the RECORD extension, or if the server would not record.
    bool start(Handler handler);
    // Returns once the server has stopped recording for us.
    void stop();
    bool started() const { return notifier_ != nullptr; }

    // Called by Xlib with each reply on the data connection (public only for
    // the callback in the source file, which Xlib calls without an object).
    void onReply(int category, const unsigned char* data);

private:
    // Opens the two connections at the first start: a program that never
    // records keeps none.
    bool connect();
    void waitForEndOfData();
    void readEvents();
    void endContext();

    XDisplay control_;
    XDisplay data_;
    unsigned long context_ = 0;
    // Between the server's start-of-data and end-of-data replies.
    bool recording_ = false;
    bool ended_ = false;
    // Events taken from Xlib's replies, handed on once Xlib is done with
    // them: a handler may then stop the recording, which talks to Xlib again.
    std::vector<RecordedButtonEvent> received_;
    std::unique_ptr<QSocketNotifier> notifier_;
    Handler handler_;
};

} // namespace cursovia::qtx11
