#pragma once
#include "base/ActionList.h"
#include "actions/ParsedRows.h"
#include "actions/TextEncoding.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace cursovia {

// The action file: one line per row, "X,Y,Wait,Kind" and CR LF, then one more
// CR LF. Lines are cut at CR LF only, empty lines skipped, fields cut at every comma.
std::string formatActionFile(const ActionList& list);
std::vector<ParsedRow> parseActionFile(std::string_view text);

// A file turned away on purpose because it cannot be an action file. Its text
// says what is wrong with the file and what to do; the user sees it as an
// ordinary message, not as a failure of the program.
class ActionFileRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The rows of a file's bytes, decoded with the file encoding. A NUL byte is
// never text, whatever the encoding: a binary file, or a list saved as UTF-16,
// is refused (ActionFileRefused) rather than loaded as rows of garbage; so is
// text the encoding refuses, text whose lines end in LF without a single
// CR LF, and a file of more rows than the row limit.
std::vector<ParsedRow> parseActionFileBytes(const std::string& bytes, TextEncoding& encoding);

// A file within the size limit can still hold millions of tiny lines, each a
// row of four texts in memory and in the stored list; no real list comes near
// a million rows either.
inline constexpr std::size_t ActionFileRowLimit = std::size_t{1} << 20;

// Larger files are refused before anything is read: no real list comes near it.
inline constexpr std::uintmax_t ActionFileSizeLimit = 16u * 1024u * 1024u;

// Reads the whole file. Throws std::runtime_error with a readable reason when
// it is missing, not a regular file or unreadable, ActionFileRefused when it
// is larger than the limit.
std::string readActionFileBytes(const std::string& utf8Path);

} // namespace cursovia
