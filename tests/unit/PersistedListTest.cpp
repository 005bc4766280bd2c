#include "app/PersistedList.h"

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

} // namespace
} // namespace cursovia
