#pragma once
#include "fakes/FormFixture.h"

#include <chrono>
#include <string>
#include <vector>

namespace cursovia::fakes {

// A started program past its first run, ready for rows and a run over them.
struct RunFixture : FormFixture {
    void SetUp() override {
        settings.set("Loads", "3");
        start();
    }
    void rowsOf(std::vector<Action> actions) {
        form->list().clear();
        form->list().appendAll(std::move(actions));
    }
    // The stop key, as its default combination is typed.
    void ctrlS() {
        keys.send(Key::LeftCtrl, true);
        keys.send(Key::S, true);
        keys.send(Key::S, false);
        keys.send(Key::LeftCtrl, false);
    }
    void stopAfter(std::chrono::duration<double> delay) {
        loop.after(delay, [this] { ctrlS(); });
    }
    const std::string& caption() const { return form->control(ControlId::PushButton5).caption; }
};

} // namespace cursovia::fakes
