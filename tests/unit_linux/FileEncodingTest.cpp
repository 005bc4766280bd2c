#include "TextEncodingAdapter.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace cursovia::qtx11 {
namespace {

TEST(Utf8Encoding, WellFormedTextPassesBothWaysUnchanged) {
    Utf8Encoding utf8;
    const std::string texts[] = {"", "100,200,1,Single Click\r\n", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x96\xB1",
                                 std::string("nul\0inside", 10), "\xEF\xBB\xBFwith a byte-order mark",
                                 "\xED\x9F\xBF \xEE\x80\x80 \xF4\x8F\xBF\xBF"};
    for (const std::string& text : texts) {
        EXPECT_EQ(utf8.fromFile(text), text);
        EXPECT_EQ(utf8.toFile(text), text);
    }
}

TEST(Utf8Encoding, BytesThatAreNotUtf8AreRefusedNamingTheFirst) {
    const struct {
        std::string bytes;
        const char* where;
    } cases[] = {
        {"ab\xFF", "byte 3 of 3"},          // never a UTF-8 byte
        {"\x80", "byte 1 of 1"},            // a continuation without a lead
        {"x\xC0\xAF", "byte 2 of 3"},       // overlong slash
        {"\xE0\x80\xAF", "byte 1 of 3"},    // overlong three-byte form
        {"\xED\xA0\x80", "byte 1 of 3"},    // a UTF-16 surrogate
        {"\xF4\x90\x80\x80", "byte 1 of 4"}, // above U+10FFFF
        {"ok \xE2\x82", "byte 4 of 5"},     // cut short at the end
        {"\xC3(", "byte 1 of 2"},           // a lead without its continuation
        {"Windows-1252 caf\xE9,", "byte 17 of 18"},
    };
    Utf8Encoding utf8;
    for (const auto& c : cases) {
        try {
            utf8.fromFile(c.bytes);
            ADD_FAILURE() << "accepted " << c.where;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(c.where), std::string::npos) << e.what();
        }
    }
}

} // namespace
} // namespace cursovia::qtx11
