#include "actions/ActionFile.h"

#include "base/FilePaths.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace cursovia {
namespace fs = std::filesystem;

std::string formatActionFile(const ActionList& list) {
    std::string text;
    for (std::size_t i = 0; i < list.rowCount(); ++i) {
        const Action& a = list.row(i);
        text.append(a.x).append(",").append(a.y).append(",").append(a.wait).append(",").append(a.kind).append("\r\n");
    }
    return text + "\r\n";
}

namespace {

// The rows a file's text gives: its lines that are not empty.
std::size_t rowCount(std::string_view text) {
    std::size_t rows = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find("\r\n", start), text.size());
        if (end > start) ++rows;
        start = end + 2;
    }
    return rows;
}

const std::string ChooseASavedFile = "Choose a file saved with \"Save Actions To File\".";

[[noreturn]] void refuse(const std::string& problem, const std::string& whatToDo) {
    throw ActionFileRefused(problem + " Nothing was loaded.\r\n\r\n" + whatToDo);
}

// The file encoding's refusal, shown as the file's problem.
std::string decode(const std::string& bytes, TextEncoding& encoding) {
    try {
        return encoding.fromFile(bytes);
    } catch (const std::runtime_error& notText) {
        refuse(std::string(notText.what()) + ".", "Choose a file saved with \"Save Actions To File\" on this computer.");
    }
}

} // namespace

std::vector<ParsedRow> parseActionFile(std::string_view text) {
    std::vector<ParsedRow> rows;
    if (text.empty()) return rows;
    rows.reserve(rowCount(text));
    for (std::string_view line : splitAt(text, "\r\n")) {
        if (line.empty()) continue;
        rows.push_back(rowFromFields(splitAt(line, ",")));
    }
    return rows;
}

std::vector<ParsedRow> parseActionFileBytes(const std::string& bytes, TextEncoding& encoding) {
    if (const std::size_t nul = bytes.find('\0'); nul != std::string::npos)
        refuse("This is not a text file: byte " + std::to_string(nul + 1) + " of " + std::to_string(bytes.size()) +
                   " is a NUL byte, as in programs, pictures and lists saved as UTF-16.",
               ChooseASavedFile);
    const std::string text = decode(bytes, encoding);
    // Read as CR LF lines, such a file would be one row running on over every line.
    if (text.find('\n') != std::string::npos && text.find("\r\n") == std::string::npos)
        refuse("The lines of this file end in LF alone, as on Linux; the lines of an action file must end in CR LF.",
               "Choose a file saved with \"Save Actions To File\", or save this one with CR LF (Windows) line ends.");
    if (const std::size_t rows = rowCount(text); rows > ActionFileRowLimit)
        refuse("This file holds " + std::to_string(rows) + " rows, more than " + std::to_string(ActionFileRowLimit) +
                   " rows, the most one action file may hold.",
               "Choose a smaller file, or split this one and load its parts one after the other.");
    return parseActionFile(text);
}

std::string readActionFileBytes(const std::string& utf8Path) {
    const fs::path path = pathFromUtf8(utf8Path);
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) throw std::runtime_error("File not found: " + utf8Path);
    if (!fs::is_regular_file(status)) throw std::runtime_error("Not a file: " + utf8Path);
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec) throw std::runtime_error("Cannot read " + utf8Path + ": " + ec.message());
    if (size > ActionFileSizeLimit)
        refuse("This file is larger than 16 MB (" + std::to_string(size / (1024 * 1024)) +
                   " MB), so it is not an action file.",
               ChooseASavedFile);
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("Cannot open " + utf8Path + ": " + std::strerror(errno));
    std::string bytes;
    bytes.resize(static_cast<std::size_t>(size));
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad() || static_cast<std::uintmax_t>(in.gcount()) != size)
        throw std::runtime_error("Cannot read " + utf8Path + ": the file changed or could not be read whole");
    return bytes;
}

} // namespace cursovia
