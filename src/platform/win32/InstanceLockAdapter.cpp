#include "InstanceLockAdapter.h"

namespace cursovia::win32 {
namespace {

constexpr const wchar_t* MutexName = L"Local\\Kelvardo.Cursovia";
constexpr const wchar_t* WindowClass = L"Kelvardo.Cursovia.Instance";
constexpr UINT ShowYourself = WM_APP + 1;

} // namespace

MutexInstanceLock::~MutexInstanceLock() {
    if (window_) DestroyWindow(window_);
}

bool MutexInstanceLock::claim() {
    mutex_.reset(CreateMutexW(nullptr, FALSE, MutexName));
    // Without a mutex nothing can be told: the copy runs unguarded.
    return !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;
}

bool MutexInstanceLock::askHolderToShow() {
    for (int attempt = 0; attempt < 50; ++attempt) { // a copy still starting makes its window within moments
        if (const HWND holder = FindWindowExW(HWND_MESSAGE, nullptr, WindowClass, nullptr)) {
            DWORD process = 0;
            GetWindowThreadProcessId(holder, &process);
            AllowSetForegroundWindow(process);
            return PostMessageW(holder, ShowYourself, 0, 0);
        }
        Sleep(100);
    }
    return false;
}

void MutexInstanceLock::onShowAsked(std::function<void()> show) {
    show_ = std::move(show);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &MutexInstanceLock::procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = WindowClass;
    RegisterClassExW(&windowClass);
    window_ = CreateWindowExW(0, WindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
    if (window_) SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

LRESULT CALLBACK MutexInstanceLock::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == ShowYourself)
        if (auto* lock = reinterpret_cast<MutexInstanceLock*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
            lock->show_();
            return 0;
        }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace cursovia::win32
