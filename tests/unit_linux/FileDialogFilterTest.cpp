#include "FileDialogFilter.h"

#include <gtest/gtest.h>

namespace cursovia::x11 {
namespace {

TEST(FileDialogFilter, PipePairsBecomeQtNameFilters) {
    using Filters = std::vector<std::string>;
    const struct {
        const char* pipe;
        Filters qt;
    } cases[] = {
        {"Text Files (*.txt)|*.txt|All Files (*.*)|*.*|", {"Text Files (*.txt)", "All Files (*)"}},
        {"All Files (*.*)|*.*|", {"All Files (*)"}},
        {"All Files (*.*)|*.*", {"All Files (*)"}}, // without the closing pipe
        {"All Files|*.*|", {"All Files (*)"}},
        {"Logs and the rest (*.log *.*)|*.log;*.*|", {"Logs and the rest (*.log *)"}},
        {"Dotted (*.a.*)|*.a.*|", {"Dotted (*.a.*)"}}, // only the whole pattern means every file
        {"Text Files|*.txt|", {"Text Files (*.txt)"}},
        {"Logs (*.log)|*.log;*.txt|", {"Logs (*.log) (*.log *.txt)"}},
        {"Logs (*.log *.txt)|*.log;*.txt|", {"Logs (*.log *.txt)"}},
        {"|*.txt|", {"(*.txt)"}},
        {"Dangling|", {}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(qtNameFilters(c.pipe), c.qt) << c.pipe;
}

} // namespace
} // namespace cursovia::x11
