#pragma once
#include <string_view>

namespace cursovia::settings {

// Every key the program keeps, with the default its start-up reads it with.
struct Key {
    std::string_view name;
    std::string_view startupDefault;
};

inline constexpr Key Loads{"Loads", "0"};
inline constexpr Key Wait{"Wait", "2"};
inline constexpr Key Actions{"Actions", ""};
inline constexpr Key WindowsStartup{"Windows Startup", ""};
inline constexpr Key Minimized{"Minimized", ""};
inline constexpr Key Option4{"Option4", "1"};
inline constexpr Key Option5{"Option5", "0"};
// The Repeat and Randomness options: whole numbers, clamped to their ranges.
inline constexpr Key RepeatMode{"Repeat Mode", "Until Stopped"};
inline constexpr Key RepeatCount{"Repeat Count", "1"};
inline constexpr Key RepeatDuration{"Repeat Duration", "60"}; // seconds
inline constexpr Key PositionJitter{"Position Jitter", "0"};  // pixels
inline constexpr Key WaitJitter{"Wait Jitter", "0"};          // percent
// The global keys in their readable form ("Ctrl+Shift+F9"; empty for none).
inline constexpr Key CaptureKey{"Capture Key", "F6"};
inline constexpr Key StopKey{"Stop Key", "Ctrl+S"};
inline constexpr Key StartKey{"Start Key", ""};

// "On" and "Off" of the two start-up check boxes; only "On" exactly means checked.
inline constexpr std::string_view On = "On";
inline constexpr std::string_view Off = "Off";

// The values of "Repeat Mode"; any other text means "Until Stopped".
inline constexpr std::string_view UntilStopped = "Until Stopped";
inline constexpr std::string_view Times = "Times";
inline constexpr std::string_view For = "For";

} // namespace cursovia::settings
