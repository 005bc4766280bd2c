#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace cursovia {

// A text that does not convert; its message is the description the error report shows.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A decimal number with optional blanks around it, an optional sign, digits
// with an optional decimal point and an optional exponent. Empty text, other
// text and numbers beyond a double's range throw ConversionError.
double textToNumber(std::string_view text);

// What the wait box accepts as numeric: exactly the texts textToNumber converts.
bool isNumeric(std::string_view text);

// "True" / "False" in any letter case, or a number (0 is False, any other True).
// Anything else throws ConversionError.
bool textToBoolean(std::string_view text);

std::string booleanToText(bool value);

// The shortest plain decimal form: "1", "2", "-3", "2.5"; no blanks, no "+".
std::string numberToText(double value);

// Rounds to the nearest integer, a half to the even neighbour; values beyond a
// signed 32-bit integer throw ConversionError.
std::int32_t toInt32(double value);

// A check box setting: only "On" exactly means checked.
bool isOn(std::string_view text);

} // namespace cursovia
