// How long loading a large action file takes and how much memory it needs at
// its peak: the file is read, refused or parsed, its rows appended with the
// missing-field reports, and the list encoded for the settings as Load does.
// Each case runs in a child process of its own, so its peak is its own.
// Figures depend on the machine; the budgets are for a quiet desktop machine,
// and the exit status is 1 when a case goes over one.
//   cmake -S . -B build/bench-load -DCMAKE_BUILD_TYPE=Release -DCURSOVIA_BENCH=ON -DCURSOVIA_BUILD_APP=OFF
//   cmake --build build/bench-load --target cursovia_load_bench && build/bench-load/bench/load/cursovia_load_bench
#include "actions/ActionFile.h"
#include "base/ErrorReport.h"
#include "actions/PersistedList.h"
#include "fakes/Fakes.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace {
using namespace cursovia;

struct Case {
    const char* name;
    std::function<std::string()> text;
    double seconds;   // budget for the whole Load
    long megabytes;   // budget for the peak resident memory
};

std::string repeated(const std::string& line, std::size_t count) {
    std::string text;
    text.reserve(line.size() * count);
    for (std::size_t i = 0; i < count; ++i) text += line;
    return text;
}

// The Load of one file, as PushButton9_Click and the save of the list that follows it do it.
void load(const std::string& path) {
    fakes::RecordingDialogs dialogs;
    fakes::PassThroughEncoding encoding;
    ErrorReport report(dialogs, "Form1.PushButton9_Click");
    ActionList list;
    std::vector<ParsedRow> rows;
    report.at(102, [&] { rows = parseActionFileBytes(readActionFileBytes(path), encoding); });
    appendReportingMissingFields(list, std::move(rows), report, 104);
    const std::string stored = encodeActions(list);
    std::printf("  %zu rows, %zu reports, %zu MB stored\n", list.rowCount(), dialogs.shown.size(), stored.size() >> 20);
}

bool run(const Case& c, const std::filesystem::path& folder) {
    const std::filesystem::path path = folder / "actions.txt";
    std::ofstream(path, std::ios::binary) << c.text();
    std::printf("%s (%ju bytes)\n", c.name, static_cast<std::uintmax_t>(std::filesystem::file_size(path)));
    std::fflush(stdout);
    const auto begin = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        load(path.string());
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    const long megabytes = usage.ru_maxrss / 1024;
    const bool within = WIFEXITED(status) && WEXITSTATUS(status) == 0 && seconds <= c.seconds && megabytes <= c.megabytes;
    std::printf("  %.2f s (budget %.0f s), peak %ld MB (budget %ld MB): %s\n", seconds, c.seconds, megabytes,
                c.megabytes, within ? "within" : "OVER");
    return within;
}

} // namespace

int main() {
    const Case cases[] = {
        {"a million short lines", [] { return repeated("7,8,0,K\r\n", 1000000); }, 3, 400},
        {"one line of 10 MiB", [] { return "5,6,7," + std::string(10 * 1024 * 1024, 'k') + "\r\n"; }, 1, 150},
        {"as many one-letter lines as rows are loaded",
         [] { return repeated("x\r\n", ActionFileRowLimit); }, 3, 400},
        {"16 MB of one-letter lines, refused", [] { return repeated("x\r\n", ActionFileSizeLimit / 3); }, 1, 150},
    };
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("cursovia-load-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    bool within = true;
    for (const Case& c : cases) within = run(c, folder) && within;
    std::filesystem::remove_all(folder);
    return within ? 0 : 1;
}
