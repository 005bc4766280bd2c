#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cursovia {

// How long a run goes: until stopped (by the key or the button), a number of
// passes over the list, or a span of time.
enum class RepeatMode : std::uint8_t { UntilStopped, Times, For };

// A whole-number option and the range its values are clamped to.
struct OptionRange {
    std::int32_t lowest, highest, fallback;
    constexpr std::int32_t clamp(std::int64_t value) const {
        return static_cast<std::int32_t>(value < lowest ? lowest : value > highest ? highest : value);
    }
};
inline constexpr OptionRange RepeatCountRange{1, 1'000'000, 1};
inline constexpr OptionRange RepeatDurationRange{1, 99 * 3600 + 59 * 60 + 59, 60}; // seconds, up to 99:59:59
inline constexpr OptionRange PositionJitterRange{0, 100, 0};                     // pixels
inline constexpr OptionRange WaitJitterRange{0, 90, 0};                          // percent

// What a run is told by the window's Repeat and Randomness options; the
// defaults are a run as it always was.
struct RunOptions {
    RepeatMode mode = RepeatMode::UntilStopped;
    std::int32_t count = RepeatCountRange.fallback;
    std::int32_t durationSeconds = RepeatDurationRange.fallback;
    std::int32_t positionJitter = PositionJitterRange.fallback; // radius around the row's position
    std::int32_t waitJitter = WaitJitterRange.fallback;         // +- percent of the row's wait
    friend bool operator==(const RunOptions&, const RunOptions&) = default;
};

// A whole number written in decimal ("12", " 3 ", "1e3"); nothing for any
// other text, a fraction or a number beyond 64 bits.
std::optional<std::int64_t> wholeNumberFromText(std::string_view text);

// A span of whole seconds as the Repeat option shows it: "h:mm:ss".
std::string durationText(std::int64_t seconds);
// "h:mm:ss", "m:ss" or "s", minutes and seconds after a colon below 60;
// nothing for any other text.
std::optional<std::int64_t> durationFromText(std::string_view text);

} // namespace cursovia
