#include "SystemError.h"
#include "SystemFileReplacement.h"
#include "Handles.h"
#include "Utf16.h"
#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace cursovia::win32 {
namespace {
namespace fs = std::filesystem;

struct SystemFileReplacementTest : ::testing::Test {
    fakes::TempFolder temp;
    WindowsFileReplacement files;
    std::string target = temp.at("list.txt");
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator{}));
    }
};

// The standard library's rename (MoveFileExW) would give the list the new
// file's plain attributes.
TEST_F(SystemFileReplacementTest, AReplacedFileKeepsItsAttributes) {
    temp.file("list.txt", "former");
    const std::wstring wide = widen(target);
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    files.replace(target, "new", true);
    EXPECT_EQ(fakes::TempFolder::read(target), "new");
    EXPECT_TRUE(GetFileAttributesW(wide.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(entries(), 1u);
}

TEST_F(SystemFileReplacementTest, AFileAnotherProgramHoldsOpenIsLeftAsItWasWithTheSystemsReason) {
    temp.file("list.txt", "former");
    const std::wstring eventName = L"Local\\CursoviaHoldFile" + std::to_wstring(GetCurrentProcessId());
    const UniqueHandle ready(CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring holder = (fs::path(self).parent_path() / L"hold_file.exe").wstring();
    std::wstring commandLine = L"\"" + holder + L"\" \"" + widen(target) + L"\" " + eventName;
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(holder.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    const UniqueHandle holding(process.hProcess), thread(process.hThread);
    ASSERT_EQ(WaitForSingleObject(ready.get(), 10000), WAIT_OBJECT_0) << "the other program did not open the file";

    try {
        files.replace(target, "new", true);
        ADD_FAILURE() << "a file held open was replaced";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), systemMessage(ERROR_SHARING_VIOLATION));
    }
    TerminateProcess(holding.get(), 0);
    WaitForSingleObject(holding.get(), 10000);
    EXPECT_EQ(fakes::TempFolder::read(target), "former");
    EXPECT_EQ(entries(), 1u); // no temporary left
}

TEST_F(SystemFileReplacementTest, ANewFileIsMovedIntoPlace) {
    files.replace(target, "new", false);
    EXPECT_EQ(fakes::TempFolder::read(target), "new");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(SystemFileReplacementTest, ASymbolicLinkIsWrittenThroughToItsTarget) {
    temp.file("real.txt", "former");
    const std::wstring link = widen(temp.at("link.txt"));
    if (!CreateSymbolicLinkW(link.c_str(), widen(temp.at("real.txt")).c_str(), 0x2 /* unprivileged */))
        GTEST_SKIP() << "no symbolic links here: " << systemMessage(GetLastError());
    files.replace(temp.at("link.txt"), "new", true);
    EXPECT_EQ(fakes::TempFolder::read(temp.at("real.txt")), "new");
    EXPECT_TRUE(GetFileAttributesW(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
}

} // namespace
} // namespace cursovia::win32
