#pragma once
#include <cstdint>

namespace cursovia {

// Pixels in the coordinate system the platform reports the pointer in, so a
// captured position replayed later puts the pointer back in the same place.
struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// The real pointer and its left button. Results of the platform are not
// examined: a refused move or click goes unnoticed.
class Pointer {
public:
    virtual ~Pointer() = default;
    // The pointer jumps to `at`; it stands there when the call returns.
    virtual void moveTo(ScreenPoint at) = 0;
    // One press and release of the left button where the pointer is, sent as
    // one injection, the press first, with no pause between them.
    virtual void leftClick() = 0;
    virtual ScreenPoint position() = 0;
};

} // namespace cursovia
