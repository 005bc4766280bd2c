#pragma once
#include "base/ProgramInfo.h"

namespace cursovia::win32 {

// The running executable's full path (however long), '\' and "explorer".
ProgramInfo currentProgram();

} // namespace cursovia::win32
