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
} // namespace kind

} // namespace cursovia
