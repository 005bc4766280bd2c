#pragma once
#include "base/Action.h"

#include <array>

namespace cursovia {

// The built-in example list the sample button appends.
inline const std::array<Action, 3> SampleActions{{
    {"0", "0", "2", "No Action"},
    {"1200", "350", "1", "No Action"},
    {"1600", "750", "3", "Single Click"},
}};

} // namespace cursovia
