#pragma once
#include "Handles.h"

#include <cstdint>
#include <optional>

namespace cursovia::win32 {

// Paints the program's message boxes and file dialogs in the skin's window
// and text colours: a CBT hook on the user-interface thread catches each
// dialog window as it is created and subclasses it to answer its
// WM_CTLCOLOR* messages. Nothing is hooked until `start`.
class SkinnedDialogs {
public:
    SkinnedDialogs() = default;
    ~SkinnedDialogs();
    SkinnedDialogs(const SkinnedDialogs&) = delete;
    SkinnedDialogs& operator=(const SkinnedDialogs&) = delete;

    void start(std::uint32_t windowRgb, std::optional<std::uint32_t> textRgb);

private:
    static LRESULT CALLBACK creationHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                            DWORD_PTR self);

    // The hook procedure has no context argument: this is how it finds the one instance.
    static SkinnedDialogs* active_;

    UniqueHook hook_;
    UniqueBrush background_;
    COLORREF backgroundColour_ = 0;
    std::optional<COLORREF> text_;
};

} // namespace cursovia::win32
