#include "base/Conversions.h"

#include <gtest/gtest.h>

#include <cmath>

#include <cmath>
#include <limits>

namespace cursovia {
namespace {

TEST(TextToNumber, ConvertsDecimalFormsWithBlanksAround) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"0", 0},          {"2", 2},     {" 3.5 ", 3.5},   {"-1", -1},   {"+7", 7},       {".5", 0.5},
        {"5.", 5},         {"1e3", 1000}, {"2.5E-1", 0.25}, {"\t12\t", 12}, {"007", 7},   {"-0.25", -0.25},
        {"1e-400", 0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(textToNumber(c.text), c.value) << c.text;
}

TEST(TextToNumber, RefusesWhatIsNotADecimalNumber) {
    for (const char* text : {"", " ", "abc", "1,5", "1.2.3", "0x10", "inf", "nan", "1e", "e5", "--1", "+-1", "1 2",
                             "12abc", ".", "1e999", "-1e999"})
        EXPECT_THROW(textToNumber(text), ConversionError) << '"' << text << '"';
}

TEST(TextToNumber, NamesTheTextInItsDescription) {
    try {
        textToNumber("abc");
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_NE(std::string(e.what()).find("\"abc\""), std::string::npos);
    }
}

TEST(TextToNumber, CutsALongTextInItsDescriptionBetweenCharacters) {
    const std::string a38(38, 'a'), a39(39, 'a'), a40(40, 'a');
    const struct {
        std::string text, shown;
    } cases[] = {
        {a40 + "b", a40 + "..."},
        {a40 + "\xE2\x82\xAC", a40 + "..."},       // the euro sign starts right at the cut
        {a39 + "\xE2\x82\xAC" + "b", a39 + "..."}, // the euro sign spans the cut
        {a38 + "\xF0\x9F\x98\x80", a38 + "..."},  // so does a four-byte character
    };
    for (const auto& c : cases) {
        try {
            textToNumber(c.text);
            FAIL() << c.text;
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), "Type mismatch: \"" + c.shown + "\" is not a number");
        }
    }
}

TEST(IsNumeric, AcceptsExactlyWhatConverts) {
    for (const char* yes : {"2", " 2.50 ", "-3", "1e2", "0.001"}) EXPECT_TRUE(isNumeric(yes)) << yes;
    for (const char* no : {"", "abc", "2,5", "1e999"}) EXPECT_FALSE(isNumeric(no)) << no;
}

TEST(TextToBoolean, TakesTrueFalseInAnyCaseAndNumbers) {
    const struct {
        const char* text;
        bool value;
    } cases[] = {{"True", true},   {"false", false}, {"TRUE", true}, {"fAlSe", false}, {"1", true},
                 {"0", false},     {"-1", true},     {"0.0", false}, {"2.5", true},    {" True ", true}};
    for (const auto& c : cases) EXPECT_EQ(textToBoolean(c.text), c.value) << c.text;
    for (const char* text : {"", "yes", "On", "Truee", "T"}) EXPECT_THROW(textToBoolean(text), ConversionError) << text;
}

TEST(BooleanToText, WritesTrueAndFalse) {
    EXPECT_EQ(booleanToText(true), "True");
    EXPECT_EQ(booleanToText(false), "False");
}

TEST(NumberToText, WritesTheShortestPlainDecimal) {
    const struct {
        double value;
        const char* text;
    } cases[] = {{1, "1"}, {2, "2"}, {32768, "32768"}, {-3, "-3"}, {3.5, "3.5"}, {-0.0, "0"}, {1e300, "1e+300"}};
    for (const auto& c : cases) EXPECT_EQ(numberToText(c.value), c.text);
}

TEST(ToInt32, RoundsHalfToEvenAndRefusesOverflow) {
    const struct {
        double value;
        std::int32_t expected;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}, {2.6, 3}, {-7, -7},
                 {2147483647.0, 2147483647}, {-2147483648.0, std::numeric_limits<std::int32_t>::min()}};
    for (const auto& c : cases) EXPECT_EQ(toInt32(c.value), c.expected) << c.value;
    for (double bad : {2147483648.0, -2147483649.0, 1e20, std::nan("")})
        EXPECT_THROW(toInt32(bad), ConversionError) << bad;
}

TEST(IsOn, OnlyOnExactly) {
    EXPECT_TRUE(isOn("On"));
    for (const char* text : {"on", "ON", "Off", "", " On", "True", "1"}) EXPECT_FALSE(isOn(text)) << text;
}

} // namespace
} // namespace cursovia
