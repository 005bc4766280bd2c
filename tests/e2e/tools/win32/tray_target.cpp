// Puts one icon in the notification area and logs the mouse messages its
// callback receives, one name per line ("WM_LBUTTONUP"). Tests use it to check
// that the desktop's tray host docks Wine's icons and passes clicks on.
//
//   tray_target.exe LOGFILE

#include "mouse_log.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>

namespace {

constexpr wchar_t kWindowClass[] = L"CursoviaTrayTarget";
constexpr wchar_t kTip[] = L"Cursovia Tray Target";
constexpr UINT kTrayCallback = WM_APP + 1;

// The icon stays in the tray exactly as long as this object lives.
class TrayIcon {
public:
    TrayIcon(HWND owner, HICON icon) {
        data_.cbSize = sizeof data_;
        data_.hWnd = owner;
        data_.uID = 1;
        data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data_.uCallbackMessage = kTrayCallback;
        data_.hIcon = icon;
        static_assert(sizeof kTip <= sizeof data_.szTip);
        wcscpy(data_.szTip, kTip);
        added_ = Shell_NotifyIconW(NIM_ADD, &data_);
    }
    ~TrayIcon() {
        if (added_) Shell_NotifyIconW(NIM_DELETE, &data_);
    }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    bool added() const { return added_; }

private:
    NOTIFYICONDATAW data_{};
    bool added_ = false;
};

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kTrayCallback) {
        // Without NIM_SETVERSION the callback's lParam is the mouse message.
        auto* log = reinterpret_cast<e2e::MouseLog*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        const char* name = e2e::mouseMessageName(static_cast<UINT>(lParam));
        if (log && name) log->write(name);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
    if (argc != 2) {
        std::fputs("usage: tray_target LOGFILE\n", stderr);
        return 2;
    }
    e2e::MouseLog log(argv[1]);
    if (!log.isOpen()) {
        std::fprintf(stderr, "tray_target: cannot open log file %ls\n", argv[1]);
        return 1;
    }

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassExW(&windowClass)) return 1;

    // A hidden top-level window owns the icon and receives its callbacks.
    HWND window = CreateWindowExW(0, kWindowClass, kTip, 0, 0, 0, 0, 0, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) return 1;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&log));

    TrayIcon icon(window, LoadIconW(nullptr, IDI_APPLICATION));
    if (!icon.added()) {
        std::fputs("tray_target: Shell_NotifyIconW(NIM_ADD) failed\n", stderr);
        return 1;
    }

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
