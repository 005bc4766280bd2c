#pragma once
#include "base/ProgramInfo.h"

namespace cursovia::qtx11 {

// The running program as Linux sees it: the real path of its binary (links
// resolved), '/' between folders, and xdg-open to open web addresses.
// Needs the QCoreApplication for its fallback when /proc is not mounted.
ProgramInfo linuxProgramInfo();

} // namespace cursovia::qtx11
