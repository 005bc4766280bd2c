#include "actions/PersistedList.h"
#include "fakes/FormFixture.h"

namespace cursovia {
namespace {

using fakes::FormFixture;

struct Editing : FormFixture {
    void SetUp() override {
        settings.set("Loads", "5");
        start();
    }
    void addNamed(const std::string& x) {
        pointer.at = {std::stoi(x), 0};
        keys.press(Key::F6);
        form->click(ControlId::PushButton1);
    }
    std::vector<std::string> xs() const {
        std::vector<std::string> out;
        for (const Action& a : rows()) out.push_back(a.x);
        return out;
    }
    std::string storedActions() const { return settings.value("Actions").value_or("<absent>"); }
};

TEST_F(Editing, AddCopiesTheEntryControlsUnchanged) {
    form->click(ControlId::PushButton1);
    EXPECT_EQ(rows(), (std::vector<Action>{{"0", "0", "2", "No Action"}})); // before any capture: 0, 0
    form->Text1_Typed("2.50");
    form->click(ControlId::Option3);
    pointer.at = {-20, 1080};
    keys.press(Key::F6);
    form->click(ControlId::PushButton1);
    form->click(ControlId::PushButton1);
    EXPECT_EQ(rows()[1], (Action{"-20", "1080", "2.50", "Double Click"}));
    EXPECT_EQ(rows()[2], rows()[1]);
    EXPECT_EQ(form->list().selected(), std::nullopt);
}

TEST_F(Editing, AWaitTheStoredListCannotKeepIsReportedAndNotAdded) {
    form->click(ControlId::PushButton6);
    form->ListView1_Select(0);
    form->Text1_Typed("1||MySeparator12||2");
    const struct {
        ControlId button;
        const char* where;
    } cases[] = {{ControlId::PushButton1, "Form1.PushButton1_Click at line 100"},
                 {ControlId::PushButton7, "Form1.PushButton7_Click at line 106"}};
    for (const auto& c : cases) {
        dialogs.shown.clear();
        form->click(c.button);
        EXPECT_EQ(rows().size(), 3u);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text.rfind("The row was not added: its Wait field holds", 0), 0u) << dialogs.shown[0].text;
        EXPECT_NE(dialogs.shown[0].text.find(c.where), std::string::npos) << dialogs.shown[0].text;
    }
    EXPECT_EQ(decodeActions(storedActions()).size(), 3u);
}

TEST_F(Editing, TheKindFollowsTheClickOption) {
    const struct {
        ControlId option;
        const char* kind;
    } cases[] = {{ControlId::Option1, "No Action"}, {ControlId::Option2, "Single Click"},
                 {ControlId::Option3, "Double Click"}};
    for (const auto& c : cases) {
        form->click(c.option);
        form->click(ControlId::PushButton1);
        EXPECT_EQ(rows().back().kind, c.kind);
    }
}

TEST_F(Editing, EveryChangeIsStoredAtOnce) {
    addNamed("1");
    EXPECT_EQ(decodeActions(storedActions()).size(), 1u);
    form->click(ControlId::PushButton6);
    EXPECT_EQ(decodeActions(storedActions()).size(), 4u);
    form->ListView1_Select(0);
    form->click(ControlId::PushButton7);
    EXPECT_EQ(decodeActions(storedActions()).size(), 5u);
    form->click(ControlId::PushButton3);
    EXPECT_EQ(decodeActions(storedActions()).size(), 4u);
    form->click(ControlId::PushButton4);
    EXPECT_EQ(storedActions(), "");
}

TEST_F(Editing, InsertPlacesNewRowsAboveTheSelectedRowInOrder) {
    for (const char* x : {"1", "2", "3"}) addNamed(x);
    form->ListView1_Select(1);
    addNamed("9"); // Add never moves the selection
    EXPECT_EQ(form->list().selected(), 1u);
    form->list().remove(3);
    pointer.at = {10, 0};
    keys.press(Key::F6);
    form->click(ControlId::PushButton7);
    pointer.at = {11, 0};
    keys.press(Key::F6);
    form->click(ControlId::PushButton7);
    EXPECT_EQ(xs(), (std::vector<std::string>{"1", "10", "11", "2", "3"}));
    EXPECT_EQ(form->list().selected(), 3u);
}

TEST_F(Editing, InsertAtTheEdges) {
    for (const char* x : {"1", "2"}) addNamed(x);
    form->ListView1_Select(0);
    pointer.at = {5, 0};
    keys.press(Key::F6);
    form->click(ControlId::PushButton7);
    EXPECT_EQ(xs(), (std::vector<std::string>{"5", "1", "2"}));
    EXPECT_EQ(form->list().selected(), 1u);
    form->ListView1_Select(2);
    form->click(ControlId::PushButton7);
    EXPECT_EQ(xs(), (std::vector<std::string>{"5", "1", "5", "2"})); // never appended at the end
}

TEST_F(Editing, InsertOnAnEmptyListExplainsAndAddsNothing) {
    form->click(ControlId::PushButton7);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              "The list below is empty. There must be at least one item entry first to use this feature.");
    EXPECT_EQ(dialogs.shown[0].title, "Cursovia");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(form->list().rowCount(), 0u);
}

TEST_F(Editing, InsertAndRemoveWithoutSelectionDoNothingSilently) {
    addNamed("1");
    form->click(ControlId::PushButton7);
    form->click(ControlId::PushButton3);
    form->ListView1_DblClick();
    form->ListView1_KeyDown(Key::Delete, {});
    EXPECT_EQ(xs(), (std::vector<std::string>{"1"}));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Editing, RemoveByButtonDoubleClickAndDeleteKey) {
    for (const char* x : {"1", "2", "3", "4"}) addNamed(x);
    form->ListView1_Select(0);
    form->click(ControlId::PushButton3);
    form->ListView1_Select(0);
    form->ListView1_DblClick();
    form->ListView1_Select(1);
    form->ListView1_KeyDown(Key::A, {}); // other keys are the list's own
    EXPECT_EQ(xs(), (std::vector<std::string>{"3", "4"}));
    form->ListView1_KeyDown(Key::Delete, {});
    EXPECT_EQ(xs(), (std::vector<std::string>{"3"}));
}

TEST_F(Editing, RemoveAndClearOnAnEmptyListDoNothing) {
    form->click(ControlId::PushButton3);
    form->click(ControlId::PushButton4);
    form->ListView1_DblClick();
    form->ListView1_KeyDown(Key::Delete, {});
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(form->list().rowCount(), 0u);
}

TEST_F(Editing, ClearEmptiesAtOnceAndKeepsTheEntryControls) {
    form->Text1_Typed("7");
    for (const char* x : {"1", "2"}) addNamed(x);
    form->click(ControlId::PushButton4);
    EXPECT_EQ(form->list().rowCount(), 0u);
    EXPECT_EQ(form->control(ControlId::Text1).caption, "7");
    EXPECT_EQ(form->control(ControlId::lblXPosition).caption, "2");
}

TEST_F(Editing, AFailedStoreIsReportedUnderTheCommand) {
    settings.failWritesTo = "Actions";
    form->click(ControlId::PushButton1);
    EXPECT_EQ(form->list().rowCount(), 1u);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text.rfind("Permission denied\r\nin CursoviaApp2021/08/31.Form1.PushButton1_Click at line 102", 0), 0u);
}

} // namespace
} // namespace cursovia
