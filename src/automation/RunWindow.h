#pragma once
#include "automation/RunOptions.h"
#include "base/EventLoop.h"

#include <string>

namespace cursovia {

// What a run and the global keys ask of the main window: its start/stop
// button, its start-from options, its Repeat and Randomness options, hiding
// and showing it, the tray icon's tip, the position labels, the captions
// that name the keys and the end of a recording.
class RunWindow {
public:
    virtual ~RunWindow() = default;
    // The program's own message: OK only, no icon, the application title.
    virtual void showMessage(const std::string& text) = 0;
    // The start/stop button's caption; the start text means no run is active.
    virtual const std::string& buttonCaption() const = 0;
    virtual void setButtonCaption(const std::string& caption) = 0;
    // The start-from options: the first row, or the selected row.
    virtual bool startsFromFirstRow() const = 0;
    virtual bool startsFromSelectedRow() const = 0;
    // Minimising hides the window in the tray.
    virtual void minimise() = 0;
    virtual void showWindow() = 0;
    // Brings the window to the front with the keyboard focus.
    virtual void focusWindow() = 0;
    // The window is out of the tray again.
    virtual void clearTrayHidden() = 0;
    // The Repeat and Randomness options as they stand.
    virtual RunOptions runOptions() const = 0;
    // How far a limited run is ("pass 3 of 10, row 2 of 5"), for the tray
    // icon's tip; empty when the run has ended.
    virtual void showProgress(const std::string& progress) = 0;
    // The X and Y labels, written by the capture key.
    virtual void showPosition(const std::string& x, const std::string& y) = 0;
    // A global key changed, or its choosing began or ended: the captions that name them follow.
    virtual void keysChanged() = 0;
    // The stop or start/stop key ended the recording at `at`.
    virtual void endRecording(MonotonicTime at) = 0;
};

} // namespace cursovia
