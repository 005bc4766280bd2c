#pragma once
#include "base/ProgramStart.h"

#include <string>

namespace cursovia::win32 {

// The command line that starts `start`, its words joined by blanks: a bare
// name as it is, any other word in double quotes, a quote inside one escaped
// and the backslashes before it doubled, so that the program's own argument
// parsing (CommandLineToArgvW's rules) gets the words back unchanged:
// explorer "http://www.kelvardo.com", "C:\Program Files\Cursovia\Cursovia.exe".
std::wstring commandLine(const ProgramStart& start);

} // namespace cursovia::win32
