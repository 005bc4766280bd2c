#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace cursovia::x11 {

// Turns a file dialog filter of pipe-separated description and pattern pairs
// ("Text Files (*.txt)|*.txt|All Files (*.*)|*.*|") into Qt's name filters
// ("Text Files (*.txt)", "All Files (*)"): Qt reads the patterns from the
// parentheses that end each filter, blank-separated where the pipe form uses
// semicolons. The Windows pattern for every file, "*.*", becomes "*": Qt
// would show only names with a dot. A description that already ends with its
// patterns gets them in Qt's form; another gets them appended. A description
// without a pattern is dropped.
std::vector<std::string> qtNameFilters(std::string_view pipeFilter);

} // namespace cursovia::x11
