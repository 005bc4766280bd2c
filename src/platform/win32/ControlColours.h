#pragma once
#include "SkinAdapter.h"
#include "Handles.h"
#include "app/Form1.h"

#include <map>
#include <optional>

namespace cursovia::win32 {

struct ControlPaint {
    COLORREF background;
    std::optional<COLORREF> text; // empty: the control's own text colour
};

// The colours the main window paints with: the presenter's, unless an applied
// skin names its own; and the brushes for them.
class ControlColours {
public:
    ControlColours(const Form1& form, const ColourSkin& skin) : form_(form), skin_(skin) {}

    COLORREF window() const;
    ControlPaint control(ControlId id) const;
    // The skin's selected-row colour, if it has one.
    std::optional<COLORREF> highlight() const;

    HBRUSH brush(COLORREF colour);
    // The desktop's colour scheme changed: system colours resolve anew.
    void forgetBrushes() { brushes_.clear(); }

private:
    const Form1& form_;
    const ColourSkin& skin_;
    std::map<COLORREF, UniqueBrush> brushes_;
};

COLORREF colorRef(Colour colour);
COLORREF colorRef(std::uint32_t rgb);

} // namespace cursovia::win32
