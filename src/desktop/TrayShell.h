#pragma once
#include <cstdint>
#include <string>

namespace cursovia {

// A picture handed to the tray: the program's own icon, or something that is not an icon.
enum class Picture { None, ProgramIcon, Bitmap };

// The button of a click on the icon; its number is the one the host's events carry.
enum class TrayButton : std::int16_t { None = 0, Left = 1, Right = 2 };

// Something the user or the desktop did with the icon or its balloon.
struct TrayActivity {
    enum class Kind { PointerMoved, ButtonDown, ButtonUp, DoubleClick, BalloonClicked, BalloonClosed };
    Kind kind;
    TrayButton button = TrayButton::None; // for the button kinds only

    friend bool operator==(const TrayActivity&, const TrayActivity&) = default;
};

class TrayListener {
public:
    virtual ~TrayListener() = default;
    virtual void trayActivity(TrayActivity activity) = 0;
};

// The desktop's notification area, holding at most one icon of this program.
// Results are ignored: a request the desktop refuses leaves the caller's
// state as if it had succeeded. Texts are UTF-8; the adapter cuts them to
// what its desktop holds.
class TrayShell {
public:
    virtual ~TrayShell() = default;

    // Puts the icon into the tray with `tip` (no tip when empty) and
    // `picture` (no picture when None), and reports activity on it and on its
    // balloon to `listener`, synchronously on this thread, until remove().
    virtual void add(const std::string& tip, Picture picture, TrayListener& listener) = 0;
    virtual void setTip(const std::string& tip) = 0;
    virtual void setPicture(Picture picture) = 0;
    virtual void remove() = 0;

    // Shows a balloon by the icon for `timeoutMs` (0: as long as the desktop
    // decides); without an icon in the tray nothing shows.
    virtual void showBalloon(const std::string& title, const std::string& text, std::uint32_t timeoutMs) = 0;
    // Takes down a balloon that is still up, or one not yet shown.
    virtual void clearBalloon() = 0;
};

} // namespace cursovia
