#include "DialogsAdapter.h"

#include "Utf16.h"

#include <windows.h>
#include <commdlg.h>
#include <cderr.h>

#include <array>
#include <stdexcept>

namespace cursovia::win32 {
namespace {

// The dialog control's default file-name buffer.
constexpr std::size_t FileNameBuffer = 260;

using DialogFunction = BOOL(WINAPI*)(OPENFILENAMEW*);

FileDialogResult showFileDialog(HWND owner, const FileDialogRequest& request, DialogFunction show, DWORD flags) {
    const std::wstring title = widen(request.title);
    const std::wstring filter = dialogFilter(request.filters);
    std::array<wchar_t, FileNameBuffer> name{};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_EXPLORER | flags;
    if (show(&dialog)) return {FileDialogResult::Outcome::Chosen, narrow(name.data())};
    switch (const DWORD error = CommDlgExtendedError()) {
    case 0: return {FileDialogResult::Outcome::Cancelled, {}};
    case FNERR_BUFFERTOOSMALL: return {FileDialogResult::Outcome::NameTooLong, {}};
    default: throw std::runtime_error("The file dialog failed with error " + std::to_string(error));
    }
}

} // namespace

std::wstring dialogFilter(const std::vector<FileFilter>& filters) {
    std::wstring list;
    for (const FileFilter& filter : filters) {
        std::wstring patterns;
        for (const std::string& pattern : filter.patterns) {
            if (!patterns.empty()) patterns += L';';
            // "*" would do as well, but "*.*" is how Windows names every file.
            patterns += pattern == EveryFile ? L"*.*" : widen(pattern);
        }
        list += widen(filter.description) + L" (" + patterns + L")" + L'\0' + patterns + L'\0';
    }
    return list; // c_str() adds the second NUL that ends the list
}

MessageAnswer CommonDialogs::messageBox(const std::string& text, const std::string& title, MessageButtons buttons,
                                        MessageIcon icon) {
    UINT style = buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
    if (icon == MessageIcon::Exclamation) style |= MB_ICONEXCLAMATION;
    // MessageBoxW breaks lines at a lone CR as well as at CR LF, so the texts go as they are.
    switch (MessageBoxW(owner_.hwnd, widen(text).c_str(), widen(title).c_str(), style)) {
    case IDYES: return MessageAnswer::Yes;
    case IDNO: return MessageAnswer::No;
    default: return MessageAnswer::Ok;
    }
}

FileDialogResult CommonDialogs::openFile(const FileDialogRequest& request) {
    return showFileDialog(owner_.hwnd, request, &GetOpenFileNameW, 0);
}

FileDialogResult CommonDialogs::saveFile(const FileDialogRequest& request) {
    return showFileDialog(owner_.hwnd, request, &GetSaveFileNameW, OFN_OVERWRITEPROMPT);
}

} // namespace cursovia::win32
