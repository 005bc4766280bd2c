#pragma once
// Recording fakes of the core's ports: each logs what the core asked of the
// world, so tests compare what happened, in order.
#include "actions/FileReplacement.h"
#include "actions/TextEncoding.h"
#include "base/Dialogs.h"
#include "base/SettingsStore.h"
#include "base/EventLoop.h"
#include "automation/KeyEvents.h"
#include "automation/MouseEvents.h"
#include "automation/Pointer.h"
#include "desktop/AutostartEntry.h"
#include "desktop/Skin.h"
#include "desktop/TrayShell.h"
#include "guidance/ShellOpen.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace cursovia::fakes {

// In-memory settings; keys compare without letter case. `writes` lists "key=value" in order.
class MemorySettings : public SettingsStore {
public:
    std::string read(const std::string& key, const std::string& fallback) override;
    void write(const std::string& key, const std::string& text) override;
    std::optional<std::string> value(const std::string& key) const;
    void set(const std::string& key, const std::string& text) { values_[lower(key)] = text; }

    std::vector<std::string> writes;
    std::string failWritesTo; // a key whose writes throw
    std::string failWritesOfKeysStartingWith;
    std::string failReadsOf;  // a key whose reads throw

private:
    static std::string lower(std::string s);
    std::map<std::string, std::string> values_;
};

// Message boxes are recorded and answered from a queue (Ok / No by default).
class RecordingDialogs : public Dialogs {
public:
    struct Shown {
        std::string text, title;
        MessageButtons buttons;
        MessageIcon icon;
    };
    MessageAnswer messageBox(const std::string& text, const std::string& title, MessageButtons buttons,
                             MessageIcon icon) override;
    FileDialogResult openFile(const FileDialogRequest& request) override;
    FileDialogResult saveFile(const FileDialogRequest& request) override;

    std::vector<Shown> shown;
    std::deque<MessageAnswer> answers;
    std::vector<FileDialogRequest> fileRequests;
    FileDialogResult nextFile;
    std::function<void()> whileOpen; // runs inside every message box, as window events would
    std::vector<std::string> texts() const;
};

// A fake clock with events scheduled on it. waitUntil jumps the clock to the
// next event or the deadline, whichever comes first, and runs due events.
class FakeEventLoop : public EventLoop {
public:
    MonotonicTime now() override { return now_; }
    void processPendingEvents() override;
    void waitUntil(MonotonicTime deadline) override;
    void endProcess() override { ended = true; }
    // Runs at the next yield or wait.
    void post(std::function<void()> task) override { at(now_, std::move(task)); }

    // Runs `event` once the clock reaches `at` (inside a yield or a wait).
    void at(MonotonicTime at, std::function<void()> event);
    void after(std::chrono::duration<double> delay, std::function<void()> event);
    // Runs `event` at the n-th yield or wait from now (1 = the next one).
    void onYield(int n, std::function<void()> event);

    void advance(MonotonicTime by) { now_ += by; }

    int yields = 0; // processPendingEvents and waitUntil calls
    bool ended = false;
    // A clock that moves by this much at every yield, as a real one does.
    MonotonicTime tickPerYield{0};

private:
    void runDue();
    MonotonicTime now_{std::chrono::hours(1000)};
    std::multimap<MonotonicTime, std::function<void()>> events_;
    std::multimap<int, std::function<void()>> yieldEvents_;
};

// Logs one entry per call, in order: "move X,Y"; an injection of button
// events as "click" (a left press and release), "right click", "middle
// click", or its events one by one ("left down", "right up ..."); "wheel up",
// "wheel down".
class RecordingPointer : public Pointer {
public:
    void moveTo(ScreenPoint at) override;
    void buttons(std::span<const ButtonEvent> events) override;
    void wheel(WheelStep step) override { log.push_back(step == WheelStep::Up ? "wheel up" : "wheel down"); }
    void settle() override { settledAfter.push_back(log.size()); }
    ScreenPoint position() override { return at; }
    std::vector<ScreenArea> screens() override { return screenAreas; }
    std::vector<std::string> log;
    // For each settle, how many calls the log held then.
    std::vector<std::size_t> settledAfter;
    ScreenPoint at;
    std::vector<ScreenArea> screenAreas{{0, 0, 1920, 1080}};
    // Which buttons are down after the calls so far.
    bool down[3]{};
};

class FakeKeySource : public KeyEventSource {
public:
    bool install(KeySink& s) override {
        sink = &s;
        return !refuse;
    }
    void remove() override { sink = nullptr; }
    bool isKeyDown(Key key) override;
    void send(Key key, bool down);
    void press(Key key) {
        send(key, true);
        send(key, false);
    }
    // The modifier keys held down, `key` pressed and released, the modifiers released.
    void press(std::initializer_list<Key> modifiers, Key key) {
        for (Key m : modifiers) send(m, true);
        press(key);
        for (Key m : modifiers) send(m, false);
    }

    KeySink* sink = nullptr;
    bool refuse = false;
    std::vector<Key> heldAtInstall;
};

// A desktop whose mouse events the test sends.
class FakeMouseEvents : public MouseEventSource {
public:
    bool install(MouseSink& s) override {
        if (refuse) return false;
        sink = &s;
        return true;
    }
    void remove() override { sink = nullptr; }
    ClickLimits clickLimits() override { return limits; }
    void send(const MouseEvent& event) {
        if (sink) sink->onMouseEvent(event);
    }

    MouseSink* sink = nullptr;
    bool refuse = false;
    ClickLimits limits;
};

// One request to the tray; the fields its kind does not use stay empty.
struct TrayCall {
    enum class Kind { Add, SetTip, SetPicture, Remove, ShowBalloon, ClearBalloon };
    Kind kind;
    std::string tip{};
    Picture picture = Picture::None;
    std::string title{}, text{};
    std::uint32_t timeoutMs = 0;

    friend bool operator==(const TrayCall&, const TrayCall&) = default;
};

// Logs the requests; report() plays the user acting on the icon, which
// reaches the core only while an icon is in the tray, as on a desktop.
class RecordingTray : public TrayShell {
public:
    void add(const std::string& tip, Picture picture, TrayListener& listener) override;
    void setTip(const std::string& tip) override { calls.push_back({.kind = TrayCall::Kind::SetTip, .tip = tip}); }
    void setPicture(Picture picture) override {
        calls.push_back({.kind = TrayCall::Kind::SetPicture, .picture = picture});
    }
    void remove() override;
    void showBalloon(const std::string& title, const std::string& text, std::uint32_t timeoutMs) override {
        calls.push_back({.kind = TrayCall::Kind::ShowBalloon, .title = title, .text = text, .timeoutMs = timeoutMs});
    }
    void clearBalloon() override { calls.push_back({.kind = TrayCall::Kind::ClearBalloon}); }

    void report(TrayActivity activity);
    bool balloonShown() const;

    std::vector<TrayCall> calls;

private:
    TrayListener* listener_ = nullptr;
};

// "program [argument] [argument]": each word whole, so blanks inside one show.
std::string words(const ProgramStart& start);

class RecordingAutostart : public AutostartEntry {
public:
    void add(const std::string& name, const ProgramStart& start) override;
    void remove(const std::string& name) override;
    std::map<std::string, std::string> entries; // name -> words of the program started
    std::vector<std::string> log;
    std::string failWith; // non-empty: add throws this reason
};

class RecordingShell : public ShellOpen {
public:
    void openDocument(const std::string& address) override { log.push_back("open " + address); }
    void startProgram(const ProgramStart& start) override { log.push_back("start " + words(start)); }
    std::vector<std::string> log;
};

class RecordingSkin : public Skin {
public:
    void apply(const SkinColours& colours) override;
    void loadPointer(const std::string& path) override;
    std::vector<std::string> log;
    std::vector<SkinColours> applied;
    std::string failPointerWith;
};

// UTF-8 files: bytes pass through unchanged; `rejectFrom` marks bytes refused as not text.
class PassThroughEncoding : public TextEncoding {
public:
    std::string toFile(const std::string& text) override { return text; }
    std::string fromFile(const std::string& bytes) override;
    char rejectByte = '\0';
    bool rejectEnabled = false;
};

// Records each replacement the core asks for, then has `system` (a real
// one, for tests that save real files) carry it out.
class RecordingFileReplacement : public FileReplacement {
public:
    struct Call {
        std::string file;
        bool keepFormer;
    };
    explicit RecordingFileReplacement(FileReplacement& system) : system_(system) {}
    void replace(const std::string& file, const std::string& bytes, bool keepFormer) override {
        calls.push_back({file, keepFormer});
        system_.replace(file, bytes, keepFormer);
    }
    std::vector<Call> calls;

private:
    FileReplacement& system_;
};

} // namespace cursovia::fakes
