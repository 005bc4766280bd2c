#pragma once
#include <string>
#include <vector>

namespace cursovia {

// A program to start and its arguments, each one whole word: nothing is
// quoted or escaped here. Each adapter writes them the way its system starts
// programs.
struct ProgramStart {
    std::string program;
    std::vector<std::string> arguments;

    friend bool operator==(const ProgramStart&, const ProgramStart&) = default;
};

} // namespace cursovia
