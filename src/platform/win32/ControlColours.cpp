#include "ControlColours.h"

namespace cursovia::win32 {
namespace {

using SkinField = std::optional<std::uint32_t> SkinColours::*;

struct KindColours {
    ControlKind kind;
    SkinField background;
    SkinField text;
};

// Which of the skin's colours paints each kind of control.
constexpr KindColours KindTable[] = {
    {ControlKind::Frame, &SkinColours::window, &SkinColours::text},
    {ControlKind::Label, &SkinColours::window, &SkinColours::text},
    {ControlKind::OptionButton, &SkinColours::window, &SkinColours::text},
    {ControlKind::CheckBox, &SkinColours::window, &SkinColours::text},
    {ControlKind::TextBox, &SkinColours::field, &SkinColours::fieldText},
    {ControlKind::ListView, &SkinColours::field, &SkinColours::fieldText},
    {ControlKind::PushButton, &SkinColours::button, &SkinColours::buttonText},
};

const KindColours& kindColours(ControlKind kind) {
    for (const KindColours& k : KindTable)
        if (k.kind == kind) return k;
    return KindTable[0];
}

} // namespace

COLORREF colorRef(std::uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

COLORREF colorRef(Colour colour) {
    return colour.source == Colour::Source::System ? GetSysColor(static_cast<int>(colour.value)) : colorRef(colour.value);
}

COLORREF ControlColours::window() const {
    const std::optional<std::uint32_t> skinned = skin_.windowBackground();
    return skinned ? colorRef(*skinned) : colorRef(form_.background());
}

ControlPaint ControlColours::control(ControlId id) const {
    const KindColours& k = kindColours(controlSpec(id).kind);
    const SkinColours& skin = skin_.controlColours();
    ControlPaint paint{colorRef(form_.control(id).background), std::nullopt};
    if (skin.*k.background) paint.background = colorRef(*(skin.*k.background));
    if (skin.*k.text) paint.text = colorRef(*(skin.*k.text));
    return paint;
}

std::optional<COLORREF> ControlColours::highlight() const {
    const std::optional<std::uint32_t> h = skin_.controlColours().highlight;
    return h ? std::optional<COLORREF>(colorRef(*h)) : std::nullopt;
}

HBRUSH ControlColours::brush(COLORREF colour) {
    UniqueBrush& slot = brushes_[colour];
    if (!slot) slot.reset(CreateSolidBrush(colour));
    return slot.get();
}

} // namespace cursovia::win32
