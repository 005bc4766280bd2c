#pragma once
#include "app/Form1.h"

#include <optional>
#include <string>

namespace cursovia {

// The user's input as a platform window hands it to the presenter, from
// inside the platform's callbacks. Each call runs its Form1 handler at the
// callback boundary: a failure the handler's own error trap did not catch (or
// of a handler that has none) is logged and shown as the error report under
// the handler's name, and never reaches the platform.
class Form1Input {
public:
    Form1Input(Form1& form, Dialogs& dialogs) : form_(form), dialogs_(dialogs) {}

    Form1& form() { return form_; }

    void click(ControlId id) noexcept;
    void Text1_Typed(const std::string& text) noexcept;
    void Text1_GotFocus() noexcept;
    void Text1_LostFocus() noexcept;
    // Any text box, Text1 included.
    void textTyped(ControlId box, const std::string& text) noexcept;
    void textGotFocus(ControlId box) noexcept;
    void textLostFocus(ControlId box) noexcept;
    void ListView1_Select(std::optional<std::size_t> row) noexcept;
    void ListView1_DblClick() noexcept;
    bool ListView1_KeyDown(Key key, Modifiers held) noexcept;
    void ListView1_Command(ListCommand command) noexcept;
    void ListView1_OLEDragDrop(std::size_t from, std::size_t to) noexcept;
    void MouseMove(std::optional<ControlId> over) noexcept;
    void userSetWindowState(WindowState state) noexcept;
    void AnotherCopyStarted() noexcept;
    void Form_QueryUnload() noexcept;

private:
    template <typename Handler>
    void run(const std::string& procedure, Handler&& handler) noexcept;

    Form1& form_;
    Dialogs& dialogs_;
};

} // namespace cursovia
