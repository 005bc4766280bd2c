#include "base/ActionList.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace cursovia {
namespace {

struct RecordingObserver : ListObserver {
    void rowsChanged(const ListChange& c) override { changes.push_back(c); }
    void selectionChanged() override { ++selections; }
    std::vector<ListChange> changes;
    int selections = 0;
};

Action row(const std::string& name) { return {name, "0", "1", "No Action"}; }

std::vector<std::string> names(const ActionList& list) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < list.rowCount(); ++i) out.push_back(list.row(i).x);
    return out;
}

struct ActionListTest : ::testing::Test {
    ActionList list;
    RecordingObserver observer;
    void SetUp() override {
        for (const char* n : {"A", "B", "C"}) list.append(row(n));
        list.setObserver(&observer);
    }
};

TEST_F(ActionListTest, InsertMovesTheSelectionWithItsRow) {
    list.select(1);
    list.insert(1, row("X"));
    EXPECT_EQ(names(list), (std::vector<std::string>{"A", "X", "B", "C"}));
    EXPECT_EQ(list.selected(), 2u);
    list.insert(0, row("Y"));
    EXPECT_EQ(list.selected(), 3u);
    list.insert(4, row("Z")); // below the selection: it stays
    EXPECT_EQ(list.selected(), 3u);
    EXPECT_EQ(observer.selections, 3); // the select, then each insert above it
}

TEST_F(ActionListTest, RemoveClosesTheGapAndKeepsOrDropsTheSelection) {
    list.select(2);
    list.remove(0);
    EXPECT_EQ(names(list), (std::vector<std::string>{"B", "C"}));
    EXPECT_EQ(list.selected(), 1u);
    list.remove(1);
    EXPECT_EQ(list.selected(), std::nullopt);
}

TEST_F(ActionListTest, ClearEmptiesAndNotifiesOnce) {
    list.select(0);
    list.clear();
    EXPECT_EQ(list.rowCount(), 0u);
    EXPECT_EQ(list.selected(), std::nullopt);
    ASSERT_EQ(observer.changes.size(), 1u);
    EXPECT_EQ(observer.changes[0].kind, ListChange::Kind::Reset);
    list.clear();
    EXPECT_EQ(observer.changes.size(), 1u);
}

TEST_F(ActionListTest, NotifiesWhereRowsWereInsertedAndRemoved) {
    list.appendAll({row("D"), row("E")});
    list.remove(1);
    ASSERT_EQ(observer.changes.size(), 2u);
    EXPECT_EQ(observer.changes[0].kind, ListChange::Kind::Inserted);
    EXPECT_EQ(observer.changes[0].first, 3u);
    EXPECT_EQ(observer.changes[0].count, 2u);
    EXPECT_EQ(observer.changes[1].kind, ListChange::Kind::Removed);
    EXPECT_EQ(observer.changes[1].first, 1u);
}

TEST_F(ActionListTest, AppendAllIntoAnEmptyListTakesEveryRowWithOneNotification) {
    list.clear();
    observer.changes.clear();
    list.appendAll({row("D"), row("E")});
    EXPECT_EQ(names(list), (std::vector<std::string>{"D", "E"}));
    ASSERT_EQ(observer.changes.size(), 1u);
    EXPECT_EQ(observer.changes[0].kind, ListChange::Kind::Inserted);
    EXPECT_EQ(observer.changes[0].first, 0u);
    EXPECT_EQ(observer.changes[0].count, 2u);
}

TEST_F(ActionListTest, EachColumnShowsItsFieldAndFurtherColumnsNothing) {
    list.insert(1, {"12", "-34", "2.5", "Double Click"});
    const struct {
        std::size_t column;
        const char* text;
    } cases[] = {{0, "12"}, {1, "-34"}, {2, "2.5"}, {3, "Double Click"}, {4, ""}, {99, ""}};
    for (const auto& c : cases) EXPECT_EQ(list.text(1, c.column), c.text) << c.column;
}

TEST_F(ActionListTest, RowsThatDoNotExistAreRefusedByName) {
    EXPECT_THROW(list.row(3), std::out_of_range);
    EXPECT_THROW(list.text(3, 0), std::out_of_range);
    EXPECT_THROW(list.select(3), std::out_of_range);
    EXPECT_THROW(list.remove(3), std::out_of_range);
    EXPECT_THROW(list.insert(4, row("X")), std::out_of_range);
    try {
        list.row(7);
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "Row 8 does not exist; the list has 3 rows");
    }
}

} // namespace
} // namespace cursovia
