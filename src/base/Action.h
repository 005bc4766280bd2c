#pragma once
#include <string>
#include <string_view>

namespace cursovia {

// One row of the action list: four texts, stored as they came. The run
// converts X, Y and Wait when it carries the row out.
struct Action {
    std::string x;
    std::string y;
    std::string wait; // seconds, fractions allowed
    std::string kind; // one of the kind texts below, or whatever text the row holds

    friend bool operator==(const Action&, const Action&) = default;
};

namespace kind {
inline constexpr std::string_view NoAction = "No Action";
inline constexpr std::string_view SingleClick = "Single Click";
inline constexpr std::string_view DoubleClick = "Double Click";
inline constexpr std::string_view RightClick = "Right Click";
inline constexpr std::string_view MiddleClick = "Middle Click";
inline constexpr std::string_view RightDoubleClick = "Right Double Click";
// A press, or a release, of the left button: a hold, or a drag across the rows between them.
inline constexpr std::string_view LeftDown = "Left Down";
inline constexpr std::string_view LeftUp = "Left Up";
// One notch of the wheel.
inline constexpr std::string_view ScrollUp = "Scroll Up";
inline constexpr std::string_view ScrollDown = "Scroll Down";
} // namespace kind

} // namespace cursovia
