// Settings written by hand, by another program or by a broken disk: start-up
// reports what does not convert, and the program stays usable afterwards.
#include "actions/PersistedList.h"
#include "automation/RunEngine.h"
#include "automation/modKeyboard.h"
#include "fakes/FormFixture.h"

#include <algorithm>

namespace cursovia {
namespace {
using namespace std::chrono_literals;

struct HostileSettings : fakes::FormFixture {
    // The messages shown, in order: "Procedure line" for an error report, "tip"
    // for a first-use tip, "kept" for a stored list kept aside; then forgets them.
    std::vector<std::string> takeMessages() {
        std::vector<std::string> out;
        for (const auto& s : dialogs.shown) {
            const std::size_t in = s.text.find("in CursoviaApp2021/08/31.Form1.");
            if (s.title == ErrorReportTitle && in != std::string::npos) {
                const std::string where = s.text.substr(in + 31, s.text.find("\r\r") - in - 31);
                out.push_back(where.substr(0, where.find(' ')) + " " + where.substr(where.rfind(' ') + 1));
            } else {
                out.push_back(s.text.rfind("This is a one-time message", 0) == 0       ? "tip"
                              : s.text.find("It was kept in the settings as") != std::string::npos ? "kept"
                                                                                                   : s.text);
            }
        }
        dialogs.shown.clear();
        return out;
    }

    // Appends the sample rows, runs and stops with Ctrl+S: whether the run
    // moved the pointer and ended as a run ends.
    void expectARunStartsAndStops() {
        form->click(ControlId::PushButton6);
        pointer.log.clear();
        loop.after(5s + 4.5s, [&] {
            keys.send(Key::LeftCtrl, true);
            keys.send(Key::S, true);
            keys.send(Key::S, false);
            keys.send(Key::LeftCtrl, false);
        });
        form->click(ControlId::PushButton5);
        EXPECT_NE(std::find(pointer.log.begin(), pointer.log.end(), "move 1200,350"), pointer.log.end());
        EXPECT_EQ(form->control(ControlId::PushButton5).caption, StartCaption);
        EXPECT_TRUE(form->visible());
    }
};

TEST_F(HostileSettings, TextThatDoesNotConvertIsReportedAndTheProgramStaysUsable) {
    const std::string F(FieldSeparator), T(RecordTerminator);
    const std::string load = "Form_Load ", run = "MouseClickList ";
    const struct {
        std::vector<std::pair<std::string, std::string>> values;
        std::vector<std::string> atStart, inTheRun;
    } cases[] = {
        {{{"Loads", "many"}}, {load + "108", load + "110", "tip"}, {run + "100", "tip"}},
        {{{"Loads", ""}}, {load + "108", load + "110", "tip"}, {run + "100", "tip"}},
        {{{"Loads", "1e999"}}, {load + "108", load + "110", "tip"}, {run + "100", "tip"}},
        {{{"Loads", "nan"}}, {load + "108", load + "110", "tip"}, {run + "100", "tip"}},
        {{{"Wait", "five"}}, {}, {}}, // the wait box takes any text; it complains when left
        // one row of X alone, which the run can neither move to nor wait after; the
        // stored value is kept aside before the samples are added to it
        {{{"Actions", "not a list"}}, {load + "130", load + "132", load + "134"}, {"kept", run + "106", run + "110"}},
        {{{"Actions", T + T + "1" + F + "2"}}, {load + "132", load + "134"}, {"kept", run + "110"}},
        {{{"Windows Startup", "yes"}, {"Minimized", "\x01"}}, {}, {}}, // only "On" checks them
        {{{"Option4", "maybe"}}, {load + "154"}, {}},
        {{{"Option5", "1e999"}}, {load + "156"}, {}},
        {{{"Option4", "False"}, {"Option5", "nope"}}, {load + "156"}, {}}, // no start option left set
        {{{"Loads", "x"}, {"Wait", "x"}, {"Actions", "x"}, {"Windows Startup", "x"}, {"Minimized", "x"},
          {"Option4", "x"}, {"Option5", "x"}},
         {load + "108", load + "110", "tip", load + "130", load + "132", load + "134", load + "154", load + "156"},
         {"kept", run + "100", "tip", run + "106", run + "110"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.values.front().first + "=" + c.values.front().second);
        settings = {};
        settings.set("Loads", "3");
        for (const auto& [key, value] : c.values) settings.set(key, value);
        start();
        EXPECT_EQ(takeMessages(), c.atStart);
        EXPECT_TRUE(form->keyboard().installed()); // start-up went on to its end
        EXPECT_FALSE(form->FormLoading());
        if (!form->control(ControlId::Option4).value && !form->control(ControlId::Option5).value)
            form->click(ControlId::Option4); // what the user does when neither is set
        expectARunStartsAndStops();
        EXPECT_EQ(takeMessages(), c.inTheRun);
    }
}

TEST_F(HostileSettings, AStoredListOfSeveralMegabytesRestoresWhole) {
    const std::string F(FieldSeparator), T(RecordTerminator);
    std::string many;
    for (int i = 0; i < 100000; ++i)
        many += std::to_string(i) + F + std::to_string(i % 1080) + F + "0.25" + F + "Single Click" + T;
    const std::string longText(5 * 1024 * 1024, '7');
    const struct {
        std::string value;
        std::size_t rows;
        Action last;
    } cases[] = {
        {many, 100000, {"99999", "639", "0.25", "Single Click"}},
        {longText + F + "1" + F + "2" + F + "No Action" + T, 1, {longText, "1", "2", "No Action"}},
    };
    for (const auto& c : cases) {
        settings.set("Loads", "3");
        settings.set("Actions", c.value);
        start();
        EXPECT_TRUE(dialogs.shown.empty());
        ASSERT_EQ(form->list().rowCount(), c.rows);
        EXPECT_EQ(form->list().row(c.rows - 1), c.last);
        EXPECT_EQ(settings.value("Actions"), c.value); // saved back unchanged at start-up
    }
}

} // namespace
} // namespace cursovia
