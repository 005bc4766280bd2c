#include "CommandLine.h"

#include "Utf16.h"

namespace cursovia::win32 {
namespace {

std::wstring quoted(const std::wstring& word) {
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : word) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        // Backslashes count only before a quote: there each one is doubled.
        out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, L'\\'); // before the closing quote
    return out + L"\"";
}

} // namespace

std::wstring commandLine(const ProgramStart& start) {
    std::wstring line = quoted(widen(start.program));
    for (const std::string& argument : start.arguments) line += L" " + quoted(widen(argument));
    return line;
}

} // namespace cursovia::win32
