// The Repeat and Randomness options. Each writes its setting the moment its
// value changes; start-up restores them without writing anything.
#include "app/Form1.h"
#include "app/Form1Parts.h"
#include "base/SettingsKeys.h"

namespace cursovia {
namespace {

std::string key(const settings::Key& k) { return std::string(k.name); }

struct RepeatChoice {
    ControlId option;
    RepeatMode mode;
    std::string_view stored;
};
constexpr RepeatChoice RepeatChoices[] = {
    {ControlId::optUntilStopped, RepeatMode::UntilStopped, settings::UntilStopped},
    {ControlId::optRepeatTimes, RepeatMode::Times, settings::Times},
    {ControlId::optRepeatFor, RepeatMode::For, settings::For},
};

// A box holding one whole-number option: its setting, its range and whether
// it shows a duration (h:mm:ss) rather than a plain number.
struct NumberBox {
    ControlId box;
    const settings::Key& key;
    OptionRange range;
    std::int32_t RunOptions::*value;
    bool duration;

    std::string shown(std::int32_t v) const { return duration ? durationText(v) : std::to_string(v); }
    std::optional<std::int64_t> typed(const std::string& text) const {
        return duration ? durationFromText(text) : wholeNumberFromText(text);
    }
};
const NumberBox NumberBoxes[] = {
    {ControlId::txtRepeatCount, settings::RepeatCount, RepeatCountRange, &RunOptions::count, false},
    {ControlId::txtRepeatDuration, settings::RepeatDuration, RepeatDurationRange, &RunOptions::durationSeconds, true},
    {ControlId::txtPositionJitter, settings::PositionJitter, PositionJitterRange, &RunOptions::positionJitter, false},
    {ControlId::txtWaitJitter, settings::WaitJitter, WaitJitterRange, &RunOptions::waitJitter, false},
};

const NumberBox* numberBox(ControlId box) {
    for (const NumberBox& b : NumberBoxes)
        if (b.box == box) return &b;
    return nullptr;
}

} // namespace

void Form1::restoreRunOptions(ErrorReport& report) {
    SettingsStore& store = ports_.settings;
    report.at(162, [&] {
        const std::string stored = store.read(key(settings::RepeatMode), "");
        RepeatChoice chosen = RepeatChoices[0];
        for (const RepeatChoice& c : RepeatChoices)
            if (stored == c.stored) chosen = c;
        runOptions_.mode = chosen.mode;
        selectOption(chosen.option, true);
    });
    int line = 164;
    for (const NumberBox& b : NumberBoxes) {
        report.at(line, [&] {
            // A stored value in whole seconds, for the duration too.
            const std::optional<std::int64_t> stored = wholeNumberFromText(store.read(key(b.key), ""));
            runOptions_.*b.value = stored ? b.range.clamp(*stored) : b.range.fallback;
            setCaption(b.box, b.shown(runOptions_.*b.value));
        });
        line += 2;
    }
}

void Form1::RepeatMode_Click() {
    for (const RepeatChoice& c : RepeatChoices)
        if (control(c.option).value) {
            runOptions_.mode = c.mode;
            ports_.settings.write(key(settings::RepeatMode), std::string(c.stored));
        }
}

void Form1::textTyped(ControlId box, const std::string& text) noexcept {
    if (box == ControlId::Text1) return Text1_Typed(text);
    const std::string procedure = handlerName(box, "Change");
    atInput(procedure, [&] {
        ErrorReport(ports_.dialogs, procedure).at(100, [&] {
            if (state(box).caption == text) return;
            state(box).caption = text;
            controlChanged(box);
            RunOptionBox_Change(box);
        });
    });
}

// A text that is no value leaves the option as it was; a value beyond the
// range counts as its nearest end.
void Form1::RunOptionBox_Change(ControlId box) {
    const NumberBox* b = numberBox(box);
    if (!b) return;
    const std::optional<std::int64_t> typed = b->typed(control(box).caption);
    if (!typed) return;
    const std::int32_t value = b->range.clamp(*typed);
    if (value == runOptions_.*b->value) return;
    runOptions_.*b->value = value;
    ports_.settings.write(key(b->key), std::to_string(value));
}

void Form1::textGotFocus(ControlId box) noexcept {
    if (box == ControlId::Text1) return Text1_GotFocus();
    atInput(handlerName(box, "GotFocus"), [&] {
        ControlState& s = state(box);
        s.selectionStart = 0;
        s.selectionLength = static_cast<int>(s.caption.size());
        controlChanged(box);
    });
}

// Leaving a box shows the value in effect, as it will be used and stored.
void Form1::textLostFocus(ControlId box) noexcept {
    if (box == ControlId::Text1) return Text1_LostFocus();
    atInput(handlerName(box, "LostFocus"), [&] {
        const NumberBox* b = numberBox(box);
        if (!b) return;
        // The selection made on entering goes with the focus.
        state(box).selectionStart = state(box).selectionLength = 0;
        setCaption(box, b->shown(runOptions_.*b->value));
    });
}

void Form1::showRunProgress(const std::string& progress) {
    parts_->tray.setTrayTip(progress.empty() ? std::string(ProductName) : ProductName + std::string(" - ") + progress);
}

} // namespace cursovia
