// Arbitrary bytes as an action file: the parser on its own, then the whole
// Load path after the read (the refusal of binary files, the file encoding,
// the parser, the append that reports missing fields).
#include "FuzzCheck.h"
#include "actions/ActionFile.h"
#include "base/ErrorReport.h"
#include "fakes/Fakes.h"

#include <cstdint>
#include <stdexcept>
#include <string>

namespace cursovia {
namespace {

void checkParser(const std::string& text) {
    const std::vector<ParsedRow> rows = parseActionFile(text);
    std::size_t lineEnds = 0;
    for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2) ++lineEnds;
    FUZZ_CHECK(rows.size() <= lineEnds + 1);
    ActionList list;
    for (const ParsedRow& row : rows) {
        FUZZ_CHECK(row.fieldCount >= 1);
        const Action& a = row.action;
        for (const std::string* field : {&a.x, &a.y, &a.wait, &a.kind}) {
            FUZZ_CHECK(field->find(',') == std::string::npos);
            FUZZ_CHECK(field->find("\r\n") == std::string::npos);
        }
        if (row.fieldCount < 2) FUZZ_CHECK(a.y.empty());
        if (row.fieldCount < 3) FUZZ_CHECK(a.wait.empty());
        if (row.fieldCount < 4) FUZZ_CHECK(a.kind.empty());
        list.append(a);
    }
    // Saved and loaded again, the rows come back as they were read, each with all four fields.
    const std::vector<ParsedRow> back = parseActionFile(formatActionFile(list));
    FUZZ_CHECK(back.size() == rows.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
        FUZZ_CHECK(back[i].action == rows[i].action);
        FUZZ_CHECK(back[i].fieldCount == 4);
    }
}

void checkLoad(const std::string& bytes) {
    fakes::RecordingDialogs dialogs;
    fakes::PassThroughEncoding encoding; // stands in for a file encoding that refuses some bytes
    encoding.rejectEnabled = true;
    encoding.rejectByte = '\xFF';
    const Action existing{"1", "2", "3", "No Action"};
    ActionList list;
    list.append(existing);

    std::vector<ParsedRow> rows;
    try {
        rows = parseActionFileBytes(bytes, encoding);
    } catch (const std::runtime_error&) {
        const bool lfLinesAlone = bytes.find('\n') != std::string::npos && bytes.find("\r\n") == std::string::npos;
        FUZZ_CHECK(bytes.find('\xFF') != std::string::npos || bytes.find('\0') != std::string::npos || lfLinesAlone);
        return;
    }
    FUZZ_CHECK(rows == parseActionFile(bytes));
    std::size_t missing = 0;
    for (const ParsedRow& row : rows) missing += row.fieldCount < 4 ? 4 - row.fieldCount : 0;
    ErrorReport report(dialogs, "Form1.PushButton9_Click");
    appendReportingMissingFields(list, rows, report, 104);

    FUZZ_CHECK(list.rowCount() == rows.size() + 1);
    FUZZ_CHECK(list.row(0) == existing);
    for (std::size_t i = 0; i < rows.size(); ++i) FUZZ_CHECK(list.row(i + 1) == rows[i].action);
    // One report per missing field, a flood cut short after the first few.
    const std::size_t singly = MissingFieldReportsShownSingly;
    FUZZ_CHECK(dialogs.shown.size() == (missing <= singly ? missing : singly + 1));
    for (const auto& shown : dialogs.shown) FUZZ_CHECK(shown.title == ErrorReportTitle);
}

} // namespace
} // namespace cursovia

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    cursovia::checkParser(bytes);
    cursovia::checkLoad(bytes);
    return 0;
}
