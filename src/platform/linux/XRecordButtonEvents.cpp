#include "XRecordButtonEvents.h"

#include <QSocketNotifier>

#include <cerrno>
#include <chrono>

#include <poll.h>

#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/record.h>

namespace cursovia::qtx11 {
namespace {

using namespace std::chrono_literals;

// How long stopping waits for the server's end-of-data reply: a round trip
// takes well under a millisecond, so only a server that stopped answering
// ever reaches it.
constexpr auto ReplyWait = 2s;

void intercept(XPointer closure, XRecordInterceptData* recorded) {
    reinterpret_cast<XRecordButtonEvents*>(closure)->onReply(recorded->category, recorded->data);
    XRecordFreeData(recorded);
}

} // namespace

XRecordButtonEvents::XRecordButtonEvents() = default;

bool XRecordButtonEvents::connect() {
    if (control_ && data_) return true;
    control_ = openXDisplay();
    data_ = openXDisplay();
    int major = 0, minor = 0;
    if (control_ && data_ && XRecordQueryVersion(control_.get(), &major, &minor)) return true;
    control_.reset();
    data_.reset();
    return false;
}

XRecordButtonEvents::~XRecordButtonEvents() { stop(); }

bool XRecordButtonEvents::start(Handler handler) {
    if (!connect()) return false;
    handler_ = std::move(handler);
    if (started()) return true;

    Display* control = control_.get();
    XRecordRange* range = XRecordAllocRange();
    if (!range) return false;
    // Presses and releases only: the pointer's motion would be most of the stream.
    range->device_events.first = ButtonPress;
    range->device_events.last = ButtonRelease;
    XRecordClientSpec clients = XRecordAllClients;
    context_ = XRecordCreateContext(control, 0, &clients, 1, &range, 1);
    XFree(range);
    // The data connection must know the context before it enables it.
    XSync(control, False);
    if (!context_) return false;

    ended_ = false;
    // Returns once the server's start-of-data reply is read: events the server
    // processes from then on are all recorded.
    if (!XRecordEnableContextAsync(data_.get(), context_, intercept, reinterpret_cast<XPointer>(this))) {
        endContext();
        return false;
    }
    notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(data_.get()), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readEvents(); });
    // Xlib may hold replies read along with the start-of-data, which the
    // socket will not tell of: they are read once the caller is done.
    QMetaObject::invokeMethod(notifier_.get(), [this] { readEvents(); }, Qt::QueuedConnection);
    return true;
}

void XRecordButtonEvents::stop() {
    if (!started()) return;
    notifier_.reset();
    endContext();
    received_.clear();
}

void XRecordButtonEvents::endContext() {
    Display* control = control_.get();
    XRecordDisableContext(control, context_);
    XSync(control, False);
    // Events recorded before the disable still come, up to the end-of-data
    // reply: read here and dropped by stop(), they cannot reach the handler
    // of the next start (Xlib would hand them over while enabling again).
    if (recording_) waitForEndOfData();
    XRecordFreeContext(control, context_);
    XSync(control, False);
    context_ = 0;
    recording_ = false;
}

void XRecordButtonEvents::onReply(int category, const unsigned char* data) {
    switch (category) {
    case XRecordStartOfData: recording_ = true; return;
    case XRecordEndOfData: ended_ = true; return;
    case XRecordFromServer: break;
    default: return;
    }
    // A device event as the server sent it to windows, in our byte order.
    const auto* event = reinterpret_cast<const xEvent*>(data);
    const int type = event->u.u.type & 0x7f;
    if (type != ButtonPress && type != ButtonRelease) return;
    received_.push_back(RecordedButtonEvent{type == ButtonPress, event->u.u.detail, event->u.keyButtonPointer.rootX,
                                            event->u.keyButtonPointer.rootY});
}

void XRecordButtonEvents::waitForEndOfData() {
    Display* data = data_.get();
    const auto deadline = std::chrono::steady_clock::now() + ReplyWait;
    XRecordProcessReplies(data);
    while (!ended_) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left <= 0ms) return;
        pollfd socket{ConnectionNumber(data), POLLIN, 0};
        if (poll(&socket, 1, static_cast<int>(left.count()) + 1) < 0 && errno != EINTR) return;
        XRecordProcessReplies(data);
    }
}

void XRecordButtonEvents::readEvents() {
    XRecordProcessReplies(data_.get());
    std::vector<RecordedButtonEvent> events;
    events.swap(received_);
    // A handler may stop the recording; the rest of the events are then dropped.
    for (const RecordedButtonEvent& event : events) {
        if (!started()) return;
        handler_(event);
    }
}

} // namespace cursovia::qtx11
