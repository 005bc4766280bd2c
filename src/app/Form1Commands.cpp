// The handlers of the command buttons and the list: each hands over to the
// subsystem that does the work, with the error report named after it.
#include "app/Form1.h"
#include "app/Form1Parts.h"
#include "guidance/Guidance.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace cursovia {
namespace {

// The list's own keys, each with the modifiers it needs held (others may be too).
struct ListKey {
    Key key;
    Modifiers held;
    ListCommand command;
};
constexpr ListKey ListKeys[] = {
    {Key::Delete, {}, ListCommand::Remove},
    {Key::Up, Modifier::Alt, ListCommand::MoveUp},
    {Key::Down, Modifier::Alt, ListCommand::MoveDown},
};

// The click options, one group over two frames, and the kind each gives a new row.
constexpr std::pair<ControlId, std::string_view> ClickOptions[] = {
    {ControlId::Option1, kind::NoAction},     {ControlId::Option2, kind::SingleClick},
    {ControlId::Option3, kind::DoubleClick},  {ControlId::Option6, kind::RightClick},
    {ControlId::Option7, kind::MiddleClick},  {ControlId::Option8, kind::RightDoubleClick},
    {ControlId::Option9, kind::LeftDown},     {ControlId::Option10, kind::LeftUp},
    {ControlId::Option11, kind::ScrollUp},    {ControlId::Option12, kind::ScrollDown},
};

// The report name of a context menu command: "Form1.MoveUp_Click".
std::string listCommandProcedure(ListCommand command) {
    return "Form1." + std::string(ListCommands[static_cast<std::size_t>(command)].name) + "_Click";
}

} // namespace

Action Form1::newAction() const {
    Action a{control(ControlId::lblXPosition).caption, control(ControlId::lblYPosition).caption,
             control(ControlId::Text1).caption, ""};
    // With none set, the kind stays empty.
    for (const auto& [option, kind] : ClickOptions)
        if (control(option).value) {
            a.kind = kind;
            break;
        }
    return a;
}

// --- The list's editing (actions/ListEditing) ------------------------------

void Form1::PushButton1_Click(ErrorReport& report) {
    parts_->editing.add(report, newAction());
}

void Form1::PushButton7_Click(ErrorReport& report) {
    parts_->editing.insert(report, newAction());
}

void Form1::PushButton3_Click(ErrorReport& report) {
    parts_->editing.removeSelected(report);
}

void Form1::PushButton4_Click(ErrorReport& report) {
    parts_->editing.clear(report);
}

void Form1::ListView1_Select(std::optional<std::size_t> row) noexcept {
    atInput("Form1.ListView1_ItemClick", [&] {
        ErrorReport(ports_.dialogs, "Form1.ListView1_Click").at(100, [&] { list_.select(row); });
    });
}

void Form1::ListView1_DblClick() noexcept {
    atInput("Form1.ListView1_DblClick", [&] {
        ErrorReport report(ports_.dialogs, "Form1.ListView1_DblClick");
        parts_->editing.removeSelected(report);
    });
}

bool Form1::ListView1_KeyDown(Key key, Modifiers held) noexcept {
    const auto listKey = std::find_if(std::begin(ListKeys), std::end(ListKeys), [&](const ListKey& k) {
        return k.key == key && held.includes(k.held);
    });
    if (listKey == std::end(ListKeys)) return false;
    atInput("Form1.ListView1_KeyDown", [&] {
        if (listKey->command == ListCommand::Remove) {
            ErrorReport report(ports_.dialogs, "Form1.ListView1_KeyDown");
            parts_->editing.removeSelected(report);
        } else {
            runListCommand(listKey->command);
        }
    });
    return true;
}

void Form1::ListView1_Command(ListCommand command) noexcept {
    atInput(listCommandProcedure(command), [&] { runListCommand(command); });
}

void Form1::runListCommand(ListCommand command) {
    ErrorReport report(ports_.dialogs, listCommandProcedure(command));
    switch (command) {
    case ListCommand::MoveUp: parts_->editing.moveSelected(report, -1); break;
    case ListCommand::MoveDown: parts_->editing.moveSelected(report, +1); break;
    case ListCommand::Duplicate: parts_->editing.duplicateSelected(report); break;
    case ListCommand::UseCurrentSettings: parts_->editing.replaceSelected(report, newAction()); break;
    case ListCommand::CopyToSettings:
        if (const std::optional<std::size_t> row = list_.selected())
            report.at(100, [&] { copyToSettings(list_.row(*row)); });
        break;
    case ListCommand::Remove: parts_->editing.removeSelected(report); break;
    }
}

void Form1::ListView1_OLEDragDrop(std::size_t from, std::size_t to) noexcept {
    atInput("Form1.ListView1_OLEDragDrop", [&] {
        ErrorReport report(ports_.dialogs, "Form1.ListView1_OLEDragDrop");
        parts_->editing.move(report, from, to);
    });
}

void Form1::copyToSettings(const Action& row) {
    setCaption(ControlId::lblXPosition, row.x);
    setCaption(ControlId::lblYPosition, row.y);
    setText1(row.wait);
    // A kind without an option button of its own leaves the options as they are.
    if (row.kind == kind::NoAction) setOption(ControlId::Option1, true);
    else if (row.kind == kind::SingleClick) setOption(ControlId::Option2, true);
    else if (row.kind == kind::DoubleClick) setOption(ControlId::Option3, true);
}

// --- Action files and the sample list (actions/ListFiles) ------------------

void Form1::PushButton8_Click(ErrorReport& report) {
    parts_->files.saveToFile(report);
}

void Form1::PushButton9_Click(ErrorReport& report) {
    parts_->files.loadFromFile(report);
}

void Form1::PushButton6_Click(ErrorReport& report) {
    parts_->files.appendSamples(report);
}

// --- The run (automation/RunEngine) ----------------------------------------

void Form1::PushButton5_Click(ErrorReport& report) {
    parts_->automation.run.startOrStop(report);
}

// --- Guidance (guidance/Guidance) ------------------------------------------

void Form1::PushButton2_Click(ErrorReport& report) {
    const GlobalKeys& keys = parts_->automation.keys;
    ShowHelp(report, ports_.dialogs, appTitle_, combinationText(keys[KeyRole::Capture]),
             combinationText(shownStopKey(keys)));
}

void Form1::PushButton10_Click(ErrorReport& report) {
    ShowNotWorking(report, ports_.dialogs, ports_.shell, appTitle_);
}

} // namespace cursovia
