// The recorder turns the desktop's button and wheel events into rows.
#include "automation/ClickRecorder.h"

#include <gtest/gtest.h>

namespace cursovia {
namespace {

using std::chrono::milliseconds;

MonotonicTime at(int ms) { return milliseconds(ms); }

MouseEvent button(MouseButton b, bool pressed, int x, int y, int ms, bool own = false) {
    return {.kind = MouseEvent::Kind::Button, .button = {b, pressed}, .at = {x, y}, .time = at(ms), .overOwnWindow = own};
}
MouseEvent wheel(WheelStep step, int x, int y, int ms) {
    return {.kind = MouseEvent::Kind::Wheel, .step = step, .at = {x, y}, .time = at(ms)};
}
std::vector<MouseEvent> click(MouseButton b, int x, int y, int ms) {
    return {button(b, true, x, y, ms), button(b, false, x, y, ms + 40)};
}
std::vector<MouseEvent> operator+(std::vector<MouseEvent> a, const std::vector<MouseEvent>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Double clicks within 500 ms and a 4 x 4 rectangle; drags beyond 4 pixels.
const ClickLimits Limits{milliseconds(500), 4, 4, 4};

std::vector<Action> record(const std::vector<MouseEvent>& events, int endMs) {
    ClickRecorder recorder(Limits);
    for (const MouseEvent& e : events) recorder.add(e);
    return recorder.rows(at(endMs));
}

struct StreamCase {
    const char* what;
    std::vector<MouseEvent> events;
    int endMs;
    std::vector<Action> rows;
};

class Recorded : public ::testing::TestWithParam<StreamCase> {};

TEST_P(Recorded, RowsAndWaits) { EXPECT_EQ(record(GetParam().events, GetParam().endMs), GetParam().rows); }

constexpr MouseButton L = MouseButton::Left, R = MouseButton::Right, M = MouseButton::Middle;

INSTANTIATE_TEST_SUITE_P(
    Streams, Recorded,
    ::testing::Values(
        StreamCase{"a click waits until the end", click(L, 10, 20, 1000), 3250, {{"10", "20", "2.25", "Single Click"}}},
        StreamCase{"each button has its click",
                   click(L, 1, 1, 0) + click(R, 50, 50, 1000) + click(M, 90, 90, 1500),
                   1501,
                   {{"1", "1", "1", "Single Click"}, {"50", "50", "0.5", "Right Click"}, {"90", "90", "0.001", "Middle Click"}}},
        StreamCase{"two clicks close in time and place are one double click",
                   click(L, 100, 100, 0) + click(L, 102, 98, 300) + click(L, 300, 300, 900),
                   1000,
                   {{"100", "100", "0.9", "Double Click"}, {"300", "300", "0.1", "Single Click"}}},
        StreamCase{"a right double click", click(R, 5, 5, 0) + click(R, 5, 5, 200), 700, {{"5", "5", "0.7", "Right Double Click"}}},
        StreamCase{"a third click starts anew", click(L, 5, 5, 0) + click(L, 5, 5, 150) + click(L, 5, 5, 300), 400,
                   {{"5", "5", "0.3", "Double Click"}, {"5", "5", "0.1", "Single Click"}}},
        StreamCase{"too late, or too far, for a double click",
                   click(L, 5, 5, 0) + click(L, 5, 5, 501) + click(L, 8, 5, 600),
                   700,
                   {{"5", "5", "0.501", "Single Click"}, {"5", "5", "0.099", "Single Click"}, {"8", "5", "0.1", "Single Click"}}},
        StreamCase{"middle clicks never pair", click(M, 5, 5, 0) + click(M, 5, 5, 100), 200,
                   {{"5", "5", "0.1", "Middle Click"}, {"5", "5", "0.1", "Middle Click"}}},
        StreamCase{"a left press released further away is a drag",
                   {button(L, true, 10, 10, 0), button(L, false, 200, 15, 750)},
                   1000,
                   {{"10", "10", "0.75", "Left Down"}, {"200", "15", "0.25", "Left Up"}}},
        StreamCase{"a small shake is still a click", {button(L, true, 10, 10, 0), button(L, false, 14, 6, 80)}, 100,
                   {{"10", "10", "0.1", "Single Click"}}},
        StreamCase{"a right press released further away is a right click where it went down",
                   {button(R, true, 10, 10, 0), button(R, false, 200, 15, 750)}, 1000, {{"10", "10", "1", "Right Click"}}},
        StreamCase{"wheel notches", {wheel(WheelStep::Up, 7, 8, 0), wheel(WheelStep::Down, 7, 8, 30)}, 40,
                   {{"7", "8", "0.03", "Scroll Up"}, {"7", "8", "0.01", "Scroll Down"}}},
        StreamCase{"presses on the program's own windows are left out",
                   std::vector<MouseEvent>{button(L, true, 1, 1, 0, true), button(L, false, 1, 1, 40)} + click(L, 9, 9, 100),
                   200,
                   {{"9", "9", "0.1", "Single Click"}}},
        StreamCase{"a release whose press came before the recording is nothing",
                   std::vector<MouseEvent>{button(L, false, 1, 1, 0)} + click(L, 9, 9, 100), 200,
                   {{"9", "9", "0.1", "Single Click"}}},
        StreamCase{"a press still held at the end is left out",
                   click(L, 9, 9, 0) + std::vector<MouseEvent>{button(L, true, 50, 50, 100)}, 200,
                   {{"9", "9", "0.2", "Single Click"}}},
        StreamCase{"nothing done, nothing recorded", {}, 5000, {}}),
    [](const auto& info) {
        std::string name;
        for (const char c : std::string(info.param.what)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST(ClickRecorder, TheTrayIconsClickIsDroppedWhetherReleasedOrNot) {
    ClickRecorder released(Limits);
    for (const MouseEvent& e : click(L, 9, 9, 0) + click(L, 900, 1000, 1000)) released.add(e);
    released.dropLastClick(L);
    EXPECT_EQ(released.rows(at(1100)), (std::vector<Action>{{"9", "9", "1.1", "Single Click"}}));

    ClickRecorder pending(Limits);
    for (const MouseEvent& e : click(R, 9, 9, 0)) pending.add(e);
    pending.add(button(R, true, 900, 1000, 1000));
    pending.dropLastClick(R);
    pending.add(button(R, false, 900, 1000, 1040));
    EXPECT_EQ(pending.rows(at(1100)), (std::vector<Action>{{"9", "9", "1.1", "Right Click"}}));

    // A double click on the icon's spot leaves the first click of it.
    ClickRecorder doubled(Limits);
    for (const MouseEvent& e : click(L, 9, 9, 0) + click(L, 9, 9, 100)) doubled.add(e);
    doubled.dropLastClick(L);
    EXPECT_EQ(doubled.rows(at(200)), (std::vector<Action>{{"9", "9", "0.2", "Single Click"}}));
}

} // namespace
} // namespace cursovia
