#include "actions/PersistedList.h"

#include <gtest/gtest.h>

namespace cursovia {
namespace {

const std::string F = "||MySeparator12||";
const std::string T = "||MySeparator23||";

TEST(EncodeActions, JoinsFieldsAndEndsEveryRecord) {
    ActionList list;
    list.append({"100", "200", "2", "Single Click"});
    list.append({"300", "400", "0.5", "No Action"});
    EXPECT_EQ(encodeActions(list), "100" + F + "200" + F + "2" + F + "Single Click" + T + "300" + F + "400" + F +
                                       "0.5" + F + "No Action" + T);
}

TEST(EncodeActions, EmptyListAndEmptyFields) {
    ActionList list;
    EXPECT_EQ(encodeActions(list), "");
    list.append({"1", "2", "", "No Action"});
    EXPECT_EQ(encodeActions(list), "1" + F + "2" + F + F + "No Action" + T);
}

TEST(DecodeActions, CasesOfStoredValues) {
    const struct {
        std::string value;
        std::vector<ParsedRow> rows;
    } cases[] = {
        {"", {}},
        {T + T, {}},
        {"1" + F + "2" + F + "3" + F + "Double Click" + T, {{{"1", "2", "3", "Double Click"}, 4}}},
        // no terminator at the end: still a record
        {"1" + F + "2" + F + "3" + F + "K", {{{"1", "2", "3", "K"}, 4}}},
        // fields beyond the fourth are ignored
        {"1" + F + "2" + F + "3" + F + "K" + F + "extra" + T, {{{"1", "2", "3", "K"}, 5}}},
        // a piece without separators: only X
        {"lonely" + T, {{{"lonely", "", "", ""}, 1}}},
        // letter case matters: not a terminator
        {"1" + F + "2" + F + "3" + F + "K||myseparator23||", {{{"1", "2", "3", "K||myseparator23||"}, 4}}},
        // empty pieces between records are skipped
        {"a" + F + "b" + F + "c" + F + "d" + T + T + "e" + F + "f" + F + "g" + F + "h" + T,
         {{{"a", "b", "c", "d"}, 4}, {{"e", "f", "g", "h"}, 4}}},
    };
    for (const auto& c : cases) EXPECT_EQ(decodeActions(c.value), c.rows) << c.value;
}

TEST(PersistedList, RoundTripsAnyRowsWithoutSeparators) {
    ActionList list;
    list.append({"-5", "7", "2.50", "Single Click"});
    list.append({"", "", "", ""});
    list.append({"1,2", "3", "abc", "single click"});
    const std::string value = encodeActions(list);
    ActionList back;
    for (const ParsedRow& r : decodeActions(value)) back.append(r.action);
    ASSERT_EQ(back.rowCount(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(back.row(i), list.row(i));
    EXPECT_EQ(encodeActions(back), value);
}

TEST(PersistedList, FieldsTheStoredValueCannotKeepAreNamed) {
    const struct {
        Action row;
        const char* field;
    } cases[] = {
        {{"1", "2", "3", "No Action"}, ""},
        // the separators' texts, letter case aside, and their pieces on their own are kept
        {{"MySeparator12", "||", "a|b|", "||myseparator23||"}, ""},
        {{"|MySeparator12|", "MySeparator12", "|", "MySeparator12|x"}, ""},
        {{"|MySeparator23||x", "2", "3", "No Action"}, ""}, // the terminator before it is read first
        // a separator whole
        {{"1" + F + "2", "2", "3", "No Action"}, "X"},
        {{"1", "2", T, "No Action"}, "Wait"},
        {{"1", "2", "3", "No Action" + T + "4"}, "Action"},
        // part of one that the separators written around it complete
        {{"1", "2||MySeparator12", "3", "No Action"}, "Y"},
        {{"1", "2", "3", "No Action||MySeparator23"}, "Action"},
        {{"1", "MySeparator23||", "3", "No Action"}, "Y"},
        {{"1", "|MySeparator23||x", "3", "No Action"}, "Y"},
        {{"1", "MySeparator23", "3", "No Action"}, "Y"},
        {{"1||MySeparator12", "2", "3", "No Action"}, "X"},
        {{"1", "2", "3||MySeparator12|", "No Action"}, "Wait"},
        // the first such field is named
        {{"1", "2", T, T}, "Wait"},
    };
    for (const auto& c : cases) EXPECT_EQ(fieldTheStoredListCannotKeep(c.row), c.field) << c.row.x << " " << c.row.y << " " << c.row.wait << " " << c.row.kind;
}

TEST(PersistedList, RowsThatAreKeptReadBackAsWrittenAmongOthers) {
    // fragments of the separators at either end of each field, kept or not
    std::vector<std::string> pieces = {"", "1", "|", "||", "MySeparator12", "MySeparator23"};
    for (const std::string_view sep : {F, T})
        for (std::size_t n = 1; n < sep.size(); ++n) {
            pieces.emplace_back(sep.substr(0, n));
            pieces.emplace_back(sep.substr(sep.size() - n));
        }
    ActionList list;
    for (const std::string& a : pieces)
        for (const std::string& b : pieces) {
            for (const Action& row : {Action{a, b, "1", "No Action"}, Action{"1", a, b, "K"}, Action{"1", "2", a, b}})
                if (fieldTheStoredListCannotKeep(row).empty()) list.append(row);
        }
    ASSERT_GT(list.rowCount(), 1000u);
    const std::vector<ParsedRow> back = decodeActions(encodeActions(list));
    ASSERT_EQ(back.size(), list.rowCount());
    for (std::size_t i = 0; i < back.size(); ++i) EXPECT_EQ(back[i].action, list.row(i)) << i;
}

} // namespace
} // namespace cursovia
