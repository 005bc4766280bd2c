#pragma once
#include <windows.h>

namespace cursovia::win32 {

// A window whose messages reach a member function: the window procedure is
// virtual, and the object is found from the window's user data. Destroying
// the object destroys the window.
class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }

protected:
    struct Creation {
        const wchar_t* className;
        const wchar_t* title = L"";
        DWORD style = 0;
        DWORD exStyle = 0;
        HWND parent = nullptr;
        HICON icon = nullptr;
        HICON smallIcon = nullptr;
    };
    // Registers the class on first use and creates the window; throws std::runtime_error on failure.
    void create(const Creation& creation);

    // Everything not handled goes to DefWindowProcW.
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

} // namespace cursovia::win32
