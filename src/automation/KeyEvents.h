#pragma once
#include <cstdint>
#include <string_view>

namespace cursovia {

// A key of the keyboard in the program's own terms. Each platform's key
// source translates its own codes into these; keys it has no name for are
// not reported.
enum class Key : std::uint8_t {
    None,
    // The modifier keys, each side on its own.
    LeftCtrl, RightCtrl, LeftAlt, RightAlt, LeftShift, RightShift, LeftWin, RightWin,
    A, B, C, D, E, F, G, H, I, J, K, L, M, N, O, P, Q, R, S, T, U, V, W, X, Y, Z,
    Digit0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
    F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
    F13, F14, F15, F16, F17, F18, F19, F20, F21, F22, F23, F24,
    Num0, Num1, Num2, Num3, Num4, Num5, Num6, Num7, Num8, Num9,
    NumMultiply, NumAdd, NumSubtract, NumDecimal, NumDivide,
    Escape, Backspace, Tab, Enter, Space, Pause, Insert, Delete, Home, End, PageUp, PageDown,
    Left, Up, Right, Down, PrintScreen, ScrollLock, Menu, // Menu last: tables of every key end with it
};

// Where a failure while handling a global key is reported.
inline constexpr const char* KeyboardHookProc = "modKeyboard.KeyboardHookProc";

struct KeyEvent {
    Key key = Key::None;
    bool down = false; // key press (also auto-repeat) or release
};

class KeySink {
public:
    virtual ~KeySink() = default;
    // Called on the user-interface thread for every key event on the desktop.
    // Must return quickly; it never blocks the key.
    virtual void onKeyEvent(const KeyEvent& event) = 0;
};

// Observes every key pressed or released on the desktop, whichever
// application has the focus, without ever grabbing or blocking a key.
class KeyEventSource {
public:
    virtual ~KeyEventSource() = default;
    // Starts delivering events to `sink`. Returns false when the platform refuses.
    virtual bool install(KeySink& sink) = 0;
    // Stops delivering events. Harmless when not installed.
    virtual void remove() = 0;
    // Whether the key is held down right now (to know the modifiers held at install).
    virtual bool isKeyDown(Key key) = 0;
};

} // namespace cursovia
