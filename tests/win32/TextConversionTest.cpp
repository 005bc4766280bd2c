#include "TextEncodingAdapter.h"
#include "CommandLine.h"
#include "DialogsAdapter.h"
#include "Utf16.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <stdexcept>

namespace {

using namespace cursovia::win32;

// "a", "é" (2 bytes), "中" (3 bytes), "😀" (4 bytes, a surrogate pair in UTF-16).
const std::string Mixed = "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80";

TEST(Utf16, WidenAndNarrowAreInverse) {
    EXPECT_EQ(widen(Mixed), std::wstring(L"a\u00E9\u4E2D\U0001F600"));
    EXPECT_EQ(narrow(widen(Mixed)), Mixed);
    EXPECT_EQ(widen(""), L"");
}

TEST(Utf16, SelectionOffsetsInBytesBecomeCodeUnits) {
    struct Case {
        std::size_t bytes;
        int units;
    };
    const Case cases[] = {{0, 0}, {1, 1}, {3, 2}, {6, 3}, {10, 5}, {99, 5}};
    for (const Case& c : cases) EXPECT_EQ(utf16Length(Mixed, c.bytes), c.units) << c.bytes << " bytes";
}

TEST(DialogFilter, FiltersBecomeNulSeparatedPairsWithADoubleNulAtTheEnd) {
    const std::wstring filter = dialogFilter({{"Text Files", {"*.txt"}}, {"All Files", {cursovia::EveryFile}}});
    // c_str() supplies the last NUL of the pair that ends the list.
    const std::wstring expected(L"Text Files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0", 45);
    EXPECT_EQ(filter, expected);
    EXPECT_EQ(filter.c_str()[filter.size()], L'\0');
}

TEST(DialogFilter, SeveralPatternsAreSemicolonSeparated) {
    const std::wstring filter = dialogFilter({{"Logs and the rest", {"*.log", cursovia::EveryFile}}});
    EXPECT_EQ(filter, std::wstring(L"Logs and the rest (*.log;*.*)\0*.log;*.*\0", 40));
}

// What CommandLineToArgvW gives back is what was handed over.
TEST(CommandLine, EachWordComesBackWhole) {
    const std::vector<std::string> cases[] = {
        {"C:\\Program Files\\Cursovia\\Cursovia.exe"},
        {"explorer", "http://www.kelvardo.com"},
        {"p", "say \"hi\"", "C:\\dir\\", "a\\\\\"b", ""},
    };
    for (const auto& words : cases) {
        const std::wstring line = commandLine({words.front(), {words.begin() + 1, words.end()}});
        int count = 0;
        wchar_t** parsed = CommandLineToArgvW(line.c_str(), &count);
        ASSERT_NE(parsed, nullptr);
        std::vector<std::string> back;
        for (int i = 0; i < count; ++i) back.push_back(narrow(parsed[i]));
        LocalFree(parsed);
        EXPECT_EQ(back, words) << narrow(line);
    }
    EXPECT_EQ(commandLine({"C:\\Cursovia\\Cursovia.exe", {}}), L"\"C:\\Cursovia\\Cursovia.exe\"");
    EXPECT_EQ(commandLine({"explorer", {"http://www.kelvardo.com"}}), L"explorer \"http://www.kelvardo.com\"");
}

TEST(AnsiCodePage, AsciiRoundTripsByteForByte) {
    AnsiCodePage encoding;
    const std::string line = "1200,350,1,No Action\r\n\r\n";
    EXPECT_EQ(encoding.toFile(line), line);
    EXPECT_EQ(encoding.fromFile(line), line);
}

TEST(AnsiCodePage, ACharacterTheCodePageLacksBecomesItsDefaultCharacter) {
    CPINFO info{};
    ASSERT_TRUE(GetCPInfo(CP_ACP, &info));
    if (info.MaxCharSize != 1 || GetACP() == 936 || GetACP() == 950) GTEST_SKIP() << "not a single-byte code page";
    AnsiCodePage encoding;
    // U+4E2D is in no single-byte code page.
    EXPECT_EQ(encoding.toFile("x\xE4\xB8\xADy"), std::string("x") + static_cast<char>(info.DefaultChar[0]) + "y");
}

TEST(AnsiCodePage, BytesThatAreNoTextInTheCodePageAreRefused) {
    // Find a byte the system's code page rejects on its own (a lead byte
    // without its trail byte, or an unassigned byte); some pages have none.
    for (int b = 0x80; b <= 0xFF; ++b) {
        const char byte = static_cast<char>(b);
        if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &byte, 1, nullptr, 0) == 0) {
            AnsiCodePage encoding;
            EXPECT_THROW(encoding.fromFile(std::string("1,2,3,") + byte), std::runtime_error);
            return;
        }
    }
    GTEST_SKIP() << "code page " << GetACP() << " takes every byte";
}

} // namespace
