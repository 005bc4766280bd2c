#pragma once
#include <string>
#include <vector>

namespace cursovia::x11 {

// Splits a command line into the program and its arguments: blanks separate
// them, double quotes group blanks into one argument, and three double quotes
// in a row stand for one literal double quote (Qt's rule).
std::vector<std::string> splitCommandLine(const std::string& commandLine);

} // namespace cursovia::x11
