#include "CommandLine.h"

#include "Utf16.h"

#include <cwctype>

namespace cursovia::win32 {
namespace {

// A bare name ("explorer") goes as it is; a path, an address or anything
// else with a character the parsing might take apart is quoted.
bool isBare(const std::wstring& word) {
    if (word.empty()) return false;
    for (const wchar_t c : word)
        if (!iswalnum(c) && c != L'.' && c != L'_' && c != L'-') return false;
    return true;
}

std::wstring quoted(const std::wstring& word) {
    if (isBare(word)) return word;
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
