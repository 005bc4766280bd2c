// The Record button: the user's clicks anywhere on the desktop become rows
// at the end of the list, with the waits between them.
#include "app/Form1.h"
#include "app/Form1Parts.h"

namespace cursovia {
namespace {

const std::string RecordCaption = "Record";
const std::string StopRecordingCaption = "Stop Recording";
const std::string CannotRecord = "The mouse cannot be watched on this desktop, so nothing can be recorded.";
const std::string StopRunFirst = "Stop the run before recording.";

// The balloon names the keys that end the recording; without either key a
// click on the tray icon still does.
std::string recordingBalloon(const GlobalKeys& keys) {
    std::string ends;
    for (const KeyRole role : {KeyRole::Stop, KeyRole::Start})
        if (keys[role].key != Key::None) ends += (ends.empty() ? "" : " or ") + combinationText(keys[role]);
    ends += ends.empty() ? "Click this icon" : ", or click this icon,";
    return "Recording your clicks.\r\n" + ends + " to end it.";
}

} // namespace

void Form1::PushButton11_Click(ErrorReport& report) {
    Automation& automation = parts_->automation;
    if (automation.recording.active()) return endRecording(ports_.loop.now());
    if (report.test(100, [&] { return automation.run.running(); })) {
        report.at(102, [&] { showMessage(StopRunFirst); });
        return;
    }
    if (!report.test(104, [&] { return automation.recording.start(); })) {
        report.at(106, [&] { showMessage(CannotRecord); });
        return;
    }
    setCaption(ControlId::PushButton11, StopRecordingCaption);
    // Out of the way of the clicks, as a run is, with its own balloon.
    setWindowVisible(false);
    trayHidden_ = true;
    report.at(108, [&] { parts_->tray.ShowBalloon(recordingBalloon(automation.keys), ProductName, 5, false); });
}

void Form1::endRecording(MonotonicTime at) {
    if (!parts_->automation.recording.active()) return;
    std::vector<Action> rows = parts_->automation.recording.end(at);
    setCaption(ControlId::PushButton11, RecordCaption);
    ErrorReport report(ports_.dialogs, handlerName(ControlId::PushButton11, "Click"));
    if (!rows.empty()) parts_->editing.addAll(report, std::move(rows));
    comeBack();
}

} // namespace cursovia
