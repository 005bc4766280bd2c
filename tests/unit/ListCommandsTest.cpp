// Reordering and changing rows: the list's moves, the observer's before and
// after, and the context menu's commands in the window.
#include "actions/ListEditing.h"
#include "actions/PersistedList.h"
#include "base/ActionList.h"
#include "fakes/FormFixture.h"

#include <gtest/gtest.h>

namespace cursovia {
namespace {

std::vector<std::string> xs(const ActionList& list) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < list.rowCount(); ++i) out.push_back(list.row(i).x);
    return out;
}

// Sees the list's row count before and after every change, as a toolkit model would.
struct BeforeAfterObserver : ListObserver {
    const ActionList* list = nullptr;
    std::vector<std::string> log;
    void rowsChanging(const ListChange& c) override { log.push_back("before " + describe(c)); }
    void rowsChanged(const ListChange& c) override { log.push_back("after " + describe(c)); }
    void selectionChanged() override { log.push_back("selection"); }
    std::string describe(const ListChange& c) const {
        return std::to_string(static_cast<int>(c.kind)) + " " + std::to_string(c.first) + " " + std::to_string(c.to) +
               " rows " + std::to_string(list->rowCount());
    }
};

TEST(ListMoves, MoveKeepsTheSelectionWithItsRowAndAnnouncesBeforeAndAfter) {
    const struct {
        std::size_t from, to;
        std::optional<std::size_t> selectedBefore, selectedAfter;
        std::vector<std::string> order;
    } cases[] = {
        {0, 2, 0, 2, {"B", "C", "A", "D"}}, {3, 1, 3, 1, {"A", "D", "B", "C"}}, {0, 2, 1, 0, {"B", "C", "A", "D"}},
        {3, 0, 2, 3, {"D", "A", "B", "C"}}, {1, 2, 3, 3, {"A", "C", "B", "D"}}, {1, 2, std::nullopt, std::nullopt, {"A", "C", "B", "D"}},
    };
    for (const auto& c : cases) {
        ActionList list;
        for (const char* n : {"A", "B", "C", "D"}) list.append({n, "0", "1", "No Action"});
        list.select(c.selectedBefore);
        BeforeAfterObserver observer;
        observer.list = &list;
        list.setObserver(&observer);
        list.move(c.from, c.to);
        EXPECT_EQ(xs(list), c.order) << c.from << "->" << c.to;
        EXPECT_EQ(list.selected(), c.selectedAfter) << c.from << "->" << c.to;
        const std::string moved = "3 " + std::to_string(c.from) + " " + std::to_string(c.to) + " rows 4";
        ASSERT_GE(observer.log.size(), 2u);
        EXPECT_EQ(observer.log[0], "before " + moved);
        EXPECT_EQ(observer.log[1], "after " + moved);
        EXPECT_EQ(observer.log.size(), c.selectedBefore == c.selectedAfter ? 2u : 3u);
    }
    ActionList list;
    BeforeAfterObserver observer;
    observer.list = &list;
    list.setObserver(&observer);
    list.append({"A", "0", "1", "No Action"});
    EXPECT_EQ(observer.log, (std::vector<std::string>{"before 0 0 0 rows 0", "after 0 0 0 rows 1"}));
    EXPECT_THROW(list.move(0, 1), std::out_of_range);
}

struct ContextMenu : fakes::FormFixture {
    void SetUp() override {
        settings = {};
        settings.set("Loads", "3");
        start();
        addRow("10", "11", "1", ControlId::Option1);
        addRow("20", "21", "2", ControlId::Option2);
        addRow("30", "31", "3", ControlId::Option3);
    }
    std::vector<std::string> stored() {
        std::vector<std::string> out;
        for (const ParsedRow& r : decodeActions(settings.value("Actions").value_or(""))) out.push_back(r.action.x);
        return out;
    }
};

TEST_F(ContextMenu, EachCommandChangesTheSelectedRowAndIsStored) {
    const struct {
        const char* name;
        std::size_t selected;
        std::vector<ListCommand> commands;
        std::vector<std::string> order;
        std::optional<std::size_t> selectedAfter;
    } cases[] = {
        {"up", 1, {ListCommand::MoveUp}, {"20", "10", "30"}, 0},
        {"up at the top", 0, {ListCommand::MoveUp}, {"10", "20", "30"}, 0},
        {"down twice", 0, {ListCommand::MoveDown, ListCommand::MoveDown}, {"20", "30", "10"}, 2},
        {"down at the bottom", 2, {ListCommand::MoveDown}, {"10", "20", "30"}, 2},
        {"duplicate", 1, {ListCommand::Duplicate}, {"10", "20", "20", "30"}, 2},
        {"duplicate the last", 2, {ListCommand::Duplicate}, {"10", "20", "30", "30"}, 3},
        {"remove", 1, {ListCommand::Remove}, {"10", "30"}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        form->ListView1_Select(c.selected);
        for (ListCommand command : c.commands) form->ListView1_Command(command);
        EXPECT_EQ(xs(form->list()), c.order);
        EXPECT_EQ(stored(), c.order);
        EXPECT_EQ(form->list().selected(), c.selectedAfter);
        EXPECT_TRUE(dialogs.shown.empty());
    }
}

TEST_F(ContextMenu, TheListsKeysRemoveOrMoveTheSelectedRowAndLeaveTheRestToTheList) {
    const Modifiers alt = Modifier::Alt, ctrl = Modifier::Ctrl, shift = Modifier::Shift;
    const struct {
        Key key;
        Modifiers held;
        std::size_t selected;
        bool listKey;
        std::vector<std::string> order;
        std::optional<std::size_t> selectedAfter;
    } cases[] = {
        {Key::Delete, {}, 1, true, {"10", "30"}, std::nullopt},
        {Key::Delete, ctrl, 0, true, {"20", "30"}, std::nullopt},
        {Key::Delete, alt | shift, 2, true, {"10", "20"}, std::nullopt},
        {Key::Up, alt, 1, true, {"20", "10", "30"}, 0},
        {Key::Up, alt, 0, true, {"10", "20", "30"}, 0},
        {Key::Down, alt, 1, true, {"10", "30", "20"}, 2},
        {Key::Down, alt, 2, true, {"10", "20", "30"}, 2},
        {Key::Down, alt | ctrl, 0, true, {"20", "10", "30"}, 1},
        {Key::Up, {}, 1, false, {"10", "20", "30"}, 1},
        {Key::Down, ctrl, 1, false, {"10", "20", "30"}, 1},
        {Key::Insert, {}, 1, false, {"10", "20", "30"}, 1},
        {Key::Backspace, alt, 1, false, {"10", "20", "30"}, 1},
        {Key::NumDecimal, {}, 1, false, {"10", "20", "30"}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(keyName(c.key) + " with " + std::to_string(c.held.bits) + " on row " + std::to_string(c.selected));
        SetUp();
        form->ListView1_Select(c.selected);
        EXPECT_EQ(form->ListView1_KeyDown(c.key, c.held), c.listKey);
        EXPECT_EQ(xs(form->list()), c.order);
        EXPECT_EQ(stored(), c.order);
        EXPECT_EQ(form->list().selected(), c.selectedAfter);
        EXPECT_TRUE(dialogs.shown.empty());
    }
}

TEST_F(ContextMenu, WithoutASelectionNothingChanges) {
    form->ListView1_Select(std::nullopt);
    const std::size_t writes = settings.writes.size();
    for (const ListCommandSpec& c : cursovia::ListCommands) form->ListView1_Command(c.command);
    EXPECT_EQ(xs(form->list()), (std::vector<std::string>{"10", "20", "30"}));
    EXPECT_EQ(settings.writes.size(), writes);
}

TEST_F(ContextMenu, UseCurrentSettingsAndCopyToSettingsGoBothWays) {
    form->ListView1_Select(0);
    form->ListView1_Command(ListCommand::CopyToSettings);
    EXPECT_EQ(form->control(ControlId::lblXPosition).caption, "10");
    EXPECT_EQ(form->control(ControlId::lblYPosition).caption, "11");
    EXPECT_EQ(form->control(ControlId::Text1).caption, "1");
    EXPECT_TRUE(form->control(ControlId::Option1).value);

    form->ListView1_Select(2);
    form->ListView1_Command(ListCommand::UseCurrentSettings);
    EXPECT_EQ(form->list().row(2), (Action{"10", "11", "1", "No Action"}));
    EXPECT_EQ(decodeActions(*settings.value("Actions")).at(2).action, (Action{"10", "11", "1", "No Action"}));
    EXPECT_EQ(form->list().selected(), 2u);
}

TEST_F(ContextMenu, ADraggedRowLandsWhereDroppedSelectedAndStored) {
    form->ListView1_OLEDragDrop(0, 2);
    EXPECT_EQ(xs(form->list()), (std::vector<std::string>{"20", "30", "10"}));
    EXPECT_EQ(stored(), (std::vector<std::string>{"20", "30", "10"}));
    EXPECT_EQ(form->list().selected(), 2u);
    form->ListView1_OLEDragDrop(1, 1); // dropped on itself
    form->ListView1_OLEDragDrop(5, 0); // a row that is gone
    EXPECT_EQ(xs(form->list()), (std::vector<std::string>{"20", "30", "10"}));
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace
} // namespace cursovia
