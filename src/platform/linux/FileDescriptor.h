#pragma once
#include "base/OwnedHandle.h"

#include <unistd.h>

namespace cursovia::qtx11 {

// A file descriptor of our own (a timer, one end of a socket pair), closed when it goes.
using FileDescriptor = OwnedHandle<int, &::close, -1>;

} // namespace cursovia::qtx11
