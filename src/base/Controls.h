#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cursovia {

// The main window's controls, in the order the window declares them.
enum class ControlId : std::uint8_t {
    Frame5, Option4, Option5, Frame4, Check8, Check4, Frame2, Text1, PushButton2, Frame1, Label1,
    lblYPosition, lblXPosition, Label6, Label4, ListView1, PushButton1, PushButton7, PushButton3,
    PushButton4, PushButton8, PushButton9, PushButton5, Frame3, Option3, Option2, Option1, PushButton6,
    PushButton10,
    // The band below: more click options, the run's limit and its randomness, the global keys.
    Frame6, Option6, Option7, Option8, Option9, Option10, Option11, Option12, Frame7, optUntilStopped,
    optRepeatTimes, optRepeatFor, txtRepeatCount, txtRepeatDuration, Frame8, lblPositionJitter, txtPositionJitter,
    lblWaitJitter, txtWaitJitter, Frame9, lblCaptureKey, PushButton12, lblStopKey, PushButton13, lblStartKey,
    PushButton14, PushButton11,
};
inline constexpr std::size_t ControlCount = 56;

enum class ControlKind : std::uint8_t { Frame, OptionButton, CheckBox, TextBox, PushButton, Label, ListView };

// A colour as the window shows it: a fixed RGB value or one of the desktop's
// system colours, which follows the colour scheme.
struct Colour {
    enum class Source : std::uint8_t { Rgb, System };
    Source source = Source::Rgb;
    std::uint32_t value = 0xFFFFFF; // 0xRRGGBB, or the system colour index

    static constexpr Colour rgb(std::uint32_t v) { return {Source::Rgb, v}; }
    static constexpr Colour system(std::uint32_t index) { return {Source::System, index}; }
    friend bool operator==(const Colour&, const Colour&) = default;
};
inline constexpr Colour White = Colour::rgb(0xFFFFFF);
inline constexpr Colour WindowBackground = Colour::system(5); // the desktop's window background
inline constexpr Colour ButtonFace = Colour::system(15);     // the desktop's button face

// Position and size in pixels at 96 dots per inch, relative to the window's
// client area (controls inside a frame too).
struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
};

// How a control looks when the window opens; both platform views build the
// window from this one table.
struct ControlSpec {
    ControlId id;
    std::string_view name;
    ControlKind kind;
    std::string_view caption;
    std::optional<ControlId> container; // its frame, or none for the window itself
    Rect bounds;
    bool value;   // check box checked, option button set
    bool visible;
    Colour background;
};

const std::array<ControlSpec, ControlCount>& controlTable();
const ControlSpec& controlSpec(ControlId id);
// The frame whose option buttons form one group with `option`: its own
// frame, or the frame it extends ("More Click Options" extends "Click Option").
std::optional<ControlId> optionGroup(ControlId option);
// The procedure that handles `event` of a control, or of the window itself
// (nullopt), by the main window's naming: "Form1.PushButton5_Click".
std::string handlerName(std::optional<ControlId> control, std::string_view event);

inline constexpr int ClientWidth = 1064;
inline constexpr int ClientHeight = 540;
inline constexpr std::string_view ListTooltip = "Double-click item to remove it.";

// The state of one control while the program runs; views render it.
struct ControlState {
    std::string caption; // the caption, or a text box's text
    bool value = false;
    bool visible = true;
    Colour background = White;
    int selectionStart = 0; // text box only
    int selectionLength = 0;
};

} // namespace cursovia
