#include "fakes/Fakes.h"

#include "base/FilePaths.h"

#include <fstream>
#include <iterator>

namespace cursovia::fakes {

std::string MemorySettings::lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string MemorySettings::read(const std::string& key, const std::string& fallback) {
    if (!failReadsOf.empty() && lower(key) == lower(failReadsOf)) throw std::runtime_error("The settings cannot be read");
    const auto found = values_.find(lower(key));
    return found == values_.end() ? fallback : found->second;
}

void MemorySettings::write(const std::string& key, const std::string& text) {
    if ((!failWritesTo.empty() && lower(key) == lower(failWritesTo)) ||
        (!failWritesOfKeysStartingWith.empty() && key.rfind(failWritesOfKeysStartingWith, 0) == 0))
        throw std::runtime_error("Permission denied");
    values_[lower(key)] = text;
    writes.push_back(key + "=" + text);
}

std::optional<std::string> MemorySettings::value(const std::string& key) const {
    const auto found = values_.find(lower(key));
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

MessageAnswer RecordingDialogs::messageBox(const std::string& text, const std::string& title,
                                           MessageButtons buttons, MessageIcon icon) {
    shown.push_back({text, title, buttons, icon});
    if (whileOpen) whileOpen();
    if (!answers.empty()) {
        const MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }
    return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
}

FileDialogResult RecordingDialogs::openFile(const FileDialogRequest& request) {
    fileRequests.push_back(request);
    return nextFile;
}

FileDialogResult RecordingDialogs::saveFile(const FileDialogRequest& request) {
    fileRequests.push_back(request);
    return nextFile;
}

std::vector<std::string> RecordingDialogs::texts() const {
    std::vector<std::string> out;
    for (const Shown& s : shown) out.push_back(s.text);
    return out;
}

void FakeEventLoop::at(MonotonicTime when, std::function<void()> event) { events_.emplace(when, std::move(event)); }

void FakeEventLoop::after(std::chrono::duration<double> delay, std::function<void()> event) {
    at(now_ + std::chrono::duration_cast<MonotonicTime>(delay), std::move(event));
}

void FakeEventLoop::onYield(int n, std::function<void()> event) { yieldEvents_.emplace(yields + n, std::move(event)); }

void FakeEventLoop::runDue() {
    ++yields;
    now_ += tickPerYield;
    for (auto it = yieldEvents_.begin(); it != yieldEvents_.end() && it->first <= yields;) {
        auto event = std::move(it->second);
        it = yieldEvents_.erase(it);
        event();
    }
    while (!events_.empty() && events_.begin()->first <= now_) {
        auto event = std::move(events_.begin()->second);
        events_.erase(events_.begin());
        event();
    }
}

void FakeEventLoop::processPendingEvents() { runDue(); }

void FakeEventLoop::waitUntil(MonotonicTime deadline) {
    if (!events_.empty() && events_.begin()->first < deadline) deadline = std::max(now_, events_.begin()->first);
    if (deadline > now_) now_ = deadline;
    runDue();
}

void RecordingPointer::moveTo(ScreenPoint to) {
    at = to;
    log.push_back("move " + std::to_string(to.x) + "," + std::to_string(to.y));
}

void RecordingPointer::buttons(std::span<const ButtonEvent> events) {
    static const char* const names[] = {"left", "right", "middle"};
    std::string entry;
    for (const ButtonEvent& e : events) {
        down[static_cast<std::size_t>(e.button)] = e.pressed;
        entry += (entry.empty() ? "" : " ") + std::string(names[static_cast<std::size_t>(e.button)]) +
                 (e.pressed ? " down" : " up");
    }
    // A press and release of one button in one injection is a click.
    if (events.size() == 2 && events[0].button == events[1].button && events[0].pressed && !events[1].pressed)
        entry = events[0].button == MouseButton::Left ? "click" : names[static_cast<std::size_t>(events[0].button)] + std::string(" click");
    log.push_back(entry);
}

bool FakeKeySource::isKeyDown(Key key) {
    for (Key k : heldAtInstall)
        if (k == key) return true;
    return false;
}

void FakeKeySource::send(Key key, bool down) {
    if (sink) sink->onKeyEvent({key, down});
}

void RecordingTray::add(const std::string& tip, Picture picture, TrayListener& listener) {
    calls.push_back({.kind = TrayCall::Kind::Add, .tip = tip, .picture = picture});
    listener_ = &listener;
}

void RecordingTray::remove() {
    calls.push_back({.kind = TrayCall::Kind::Remove});
    listener_ = nullptr;
}

void RecordingTray::report(TrayActivity activity) {
    if (listener_) listener_->trayActivity(activity);
}

bool RecordingTray::balloonShown() const {
    for (const TrayCall& call : calls)
        if (call.kind == TrayCall::Kind::ShowBalloon) return true;
    return false;
}

std::string words(const ProgramStart& start) {
    std::string text = start.program;
    for (const std::string& argument : start.arguments) text += " [" + argument + "]";
    return text;
}

void RecordingAutostart::add(const std::string& name, const ProgramStart& start) {
    log.push_back("add " + name + " " + words(start));
    if (!failWith.empty()) throw std::runtime_error(failWith);
    entries[name] = words(start);
}

void RecordingAutostart::remove(const std::string& name) {
    log.push_back("remove " + name);
    entries.erase(name);
}

void RecordingSkin::apply(const SkinColours& colours) {
    log.push_back("apply");
    applied.push_back(colours);
}

void RecordingSkin::loadPointer(const std::string& path) {
    log.push_back("pointer " + path);
    if (!failPointerWith.empty()) throw std::runtime_error(failPointerWith);
}

std::string PassThroughEncoding::fromFile(const std::string& bytes) {
    if (rejectEnabled && bytes.find(rejectByte) != std::string::npos)
        throw std::runtime_error("The file is not text in this system's encoding");
    return bytes;
}

} // namespace cursovia::fakes
