// The save dialog on the desktop, driven from a second thread as a user would.
#include "DialogsAdapter.h"
#include "Utf16.h"
#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace cursovia::win32 {
namespace {

constexpr int FileNameCombo = 0x47c; // cmb13, the explorer-style dialog's file name
constexpr int FileNameEdit = 0x480;  // edt1, the same in the older style

// A dialog box (#32770) of this process with `title`, enabled: the one in front.
HWND frontDialog(const wchar_t* title) {
    HWND found = nullptr;
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", nullptr); w; w = FindWindowExW(nullptr, w, L"#32770", nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(w, &process);
        wchar_t text[256] = {};
        GetWindowTextW(w, text, 256);
        if (process == GetCurrentProcessId() && IsWindowEnabled(w) && IsWindowVisible(w) &&
            (!title || std::wstring(text) == title))
            found = w;
    }
    return found;
}

template <typename Condition> HWND waitFor(Condition condition) {
    for (int i = 0; i < 200; ++i) {
        if (HWND w = condition()) return w;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return nullptr;
}

std::wstring allText(HWND box) {
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t part[1024] = {};
        GetWindowTextW(child, part, 1024);
        text += part;
        text += L"\n";
    }
    return text;
}

struct SaveDialog : ::testing::Test {
    fakes::TempFolder temp;
    OwnerWindow owner;
    CommonDialogs dialogs{owner};
    const FileDialogRequest request{"Save Action As", {{"Text Files", {"*.txt"}}, {"All Files", {EveryFile}}}};

    // Types `name` into the dialog and presses Save; answers a question
    // about replacing with `replace`, and cancels the dialog if it stays.
    // Returns the question's text, empty when none was asked.
    std::wstring chooseOnTheDesktop(const std::string& name, bool replace, FileDialogResult& result) {
        std::wstring question;
        std::thread user([&] {
            const HWND dialog = waitFor([] { return frontDialog(L"Save Action As"); });
            if (!dialog) return;
            const std::wstring wide = widen(name);
            if (!SetDlgItemTextW(dialog, FileNameCombo, wide.c_str())) SetDlgItemTextW(dialog, FileNameEdit, wide.c_str());
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            const HWND box = waitFor([dialog] {
                if (!IsWindow(dialog)) return HWND{};
                const HWND front = frontDialog(nullptr);
                return front != dialog ? front : HWND{};
            });
            if (!box) return;
            question = allText(box);
            PostMessageW(box, WM_COMMAND, replace ? IDYES : IDNO, 0);
            if (!replace && waitFor([dialog] { return frontDialog(L"Save Action As") == dialog ? dialog : HWND{}; }))
                PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        });
        result = dialogs.saveFile(request);
        user.join();
        return question;
    }
};

TEST_F(SaveDialog, AsksBeforeReplacingAnExistingFile) {
    const std::string existing = temp.file("list.txt", "former");
    for (const bool replace : {false, true}) {
        SCOPED_TRACE(replace ? "replace" : "keep");
        FileDialogResult result;
        const std::wstring question = chooseOnTheDesktop(existing, replace, result);
        EXPECT_NE(question.find(L"replace"), std::wstring::npos) << narrow(question); // the system's own wording
        if (replace) {
            EXPECT_EQ(result.outcome, FileDialogResult::Outcome::Chosen);
            EXPECT_EQ(result.path, existing);
        } else {
            EXPECT_EQ(result.outcome, FileDialogResult::Outcome::Cancelled);
        }
    }
}

TEST_F(SaveDialog, ANewNameWithoutExtensionIsUsedAsTyped) {
    FileDialogResult result;
    const std::string typed = temp.at("mylist");
    EXPECT_EQ(chooseOnTheDesktop(typed, true, result), L"");
    EXPECT_EQ(result.outcome, FileDialogResult::Outcome::Chosen);
    EXPECT_EQ(result.path, typed);
}

} // namespace
} // namespace cursovia::win32
