// Arbitrary text as the stored "Actions" value: decoding never fails, and the
// rows it gives, encoded again, decode to the same rows, so a list restored at
// one start and saved again comes back the same at the next. The value has no
// escape (see actions/PersistedList.h): a row that does not read back as itself
// even alone is left out, as the list refuses it; the others, written
// together, must read back as they were.
#include "FuzzCheck.h"
#include "actions/PersistedList.h"

#include <cstdint>
#include <string>

namespace cursovia {
namespace {

bool holds(const std::string& field, std::string_view separator) {
    return field.find(separator) != std::string::npos;
}

// Whether the row, alone in a value, reads back as itself.
bool writtenFaithfully(const Action& action) {
    ActionList alone;
    alone.append(action);
    const std::vector<ParsedRow> back = decodeActions(encodeActions(alone));
    return back.size() == 1 && back[0].action == action;
}

void check(std::string_view value) {
    ActionList list;
    std::vector<Action> kept;
    for (const ParsedRow& row : decodeActions(value)) {
        FUZZ_CHECK(row.fieldCount >= 1);
        const Action& a = row.action;
        for (const std::string* field : {&a.x, &a.y, &a.wait, &a.kind}) {
            FUZZ_CHECK(!holds(*field, FieldSeparator));
            FUZZ_CHECK(!holds(*field, RecordTerminator));
        }
        // the rule that keeps such rows out of the list names exactly these
        FUZZ_CHECK(writtenFaithfully(a) == fieldTheStoredListCannotKeep(a).empty());
        if (!writtenFaithfully(a)) continue;
        list.append(a);
        kept.push_back(a);
    }
    const std::vector<ParsedRow> again = decodeActions(encodeActions(list));
    FUZZ_CHECK(again.size() == kept.size());
    for (std::size_t i = 0; i < again.size(); ++i) {
        FUZZ_CHECK(again[i].action == kept[i]);
        FUZZ_CHECK(again[i].fieldCount == 4);
    }
}

} // namespace
} // namespace cursovia

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    cursovia::check(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
