#pragma once
#include <initializer_list>

struct _XDisplay;

namespace cursovia::qtx11 {

// XInput's opcode on `display`, or -1 without XInput 2.1: from 2.1 on raw
// events keep coming while another client holds a grab. Asked once per
// connection (a second version query on one connection is a protocol error).
int rawEventsOpcode(_XDisplay* display);

// Selects these XInput2 raw event types on the root window (none: stops
// them), for the master devices, which report each event of every physical
// device and of XTest once rather than once per slave device.
void selectRawEvents(_XDisplay* display, std::initializer_list<int> types);

} // namespace cursovia::qtx11
