#include "SystemError.h"
#include "FileReplacementAdapter.h"
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
    // The names in the folder, one a line.
    std::string entries() const {
        std::string names;
        for (const auto& entry : fs::directory_iterator(temp.path())) names += utf8FromPath(entry.path().filename()) + "\n";
        return names;
    }
};

// The standard library's rename (MoveFileExW) would give the list the new
// file's plain attributes.
TEST_F(SystemFileReplacementTest, AReplacedFileKeepsItsAttributes) {
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
        GTEST_SKIP() << "Wine's ReplaceFileW gives the replacement its own attributes";
    temp.file("list.txt", "former");
    const std::wstring wide = widen(target);
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    files.replace(target, "new", true);
    EXPECT_EQ(fakes::TempFolder::read(target), "new");
    EXPECT_TRUE(GetFileAttributesW(wide.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(entries(), "list.txt\n");
}

TEST_F(SystemFileReplacementTest, AFileAnotherProgramHoldsOpenIsLeftAsItWasWithTheSystemsReason) {
    temp.file("list.txt", "former");
    // The end-to-end tools' hold_file.exe, which prints "held" once it holds the file.
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring holder = (fs::path(self).parent_path() / L"../e2e/tools/win32/hold_file.exe").wstring();
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    ASSERT_TRUE(CreatePipe(&readEnd, &writeEnd, &inherited, 0));
    const UniqueHandle output(readEnd);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    std::wstring commandLine = L"\"" + holder + L"\" \"" + widen(target) + L"\"";
    STARTUPINFOW startup{sizeof startup};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(holder.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    CloseHandle(writeEnd);
    ASSERT_TRUE(started) << systemMessage(GetLastError());
    const UniqueHandle holding(process.hProcess), thread(process.hThread);
    char said[16] = {};
    DWORD read = 0;
    ASSERT_TRUE(ReadFile(readEnd, said, sizeof said - 1, &read, nullptr) && std::string(said).rfind("held", 0) == 0)
        << "the other program did not open the file: " << said;

    try {
        files.replace(target, "new", true);
        ADD_FAILURE() << "a file held open was replaced";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), systemMessage(ERROR_SHARING_VIOLATION));
    }
    TerminateProcess(holding.get(), 0);
    WaitForSingleObject(holding.get(), 10000);
    EXPECT_EQ(fakes::TempFolder::read(target), "former");
    // No temporary of ours left; Wine's ReplaceFileW leaves one of its own ("rf....tmp").
    EXPECT_EQ(entries().find("list.txt.tmp"), std::string::npos) << entries();
}

TEST_F(SystemFileReplacementTest, ANewFileIsMovedIntoPlace) {
    files.replace(target, "new", false);
    EXPECT_EQ(fakes::TempFolder::read(target), "new");
    EXPECT_EQ(entries(), "list.txt\n");
}

TEST_F(SystemFileReplacementTest, ASymbolicLinkIsWrittenThroughToItsTarget) {
    temp.file("real.txt", "former");
    const std::wstring link = widen(temp.at("link.txt"));
    if (!CreateSymbolicLinkW(link.c_str(), widen(temp.at("real.txt")).c_str(), 0x2 /* unprivileged */) ||
        GetFileAttributesW(link.c_str()) == INVALID_FILE_ATTRIBUTES) // Wine 8 says yes and makes none
        GTEST_SKIP() << "no symbolic links here";
    try {
        files.replace(temp.at("link.txt"), "new", true);
    } catch (const std::runtime_error& e) {
        FAIL() << e.what() << " in\n" << entries();
    }
    EXPECT_EQ(fakes::TempFolder::read(temp.at("real.txt")), "new");
    EXPECT_TRUE(GetFileAttributesW(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
}

} // namespace
} // namespace cursovia::win32
