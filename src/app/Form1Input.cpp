#include "app/Form1Input.h"

#include "actions/ListEditing.h"
#include "base/CallbackBoundary.h"

namespace cursovia {

template <typename Handler>
void Form1Input::run(const std::string& procedure, Handler&& handler) noexcept {
    runAtCallbackBoundary(procedure.c_str(), &dialogs_, handler);
}

void Form1Input::click(ControlId id) noexcept {
    run(handlerName(id, "Click"), [&] { form_.click(id); });
}

void Form1Input::Text1_Typed(const std::string& text) noexcept {
    run("Form1.Text1_Change", [&] { form_.Text1_Typed(text); });
}

void Form1Input::Text1_GotFocus() noexcept {
    run("Form1.Text1_GotFocus", [&] { form_.Text1_GotFocus(); });
}

void Form1Input::Text1_LostFocus() noexcept {
    run("Form1.Text1_LostFocus", [&] { form_.Text1_LostFocus(); });
}

void Form1Input::textTyped(ControlId box, const std::string& text) noexcept {
    run(handlerName(box, "Change"), [&] { form_.textTyped(box, text); });
}

void Form1Input::textGotFocus(ControlId box) noexcept {
    run(handlerName(box, "GotFocus"), [&] { form_.textGotFocus(box); });
}

void Form1Input::textLostFocus(ControlId box) noexcept {
    run(handlerName(box, "LostFocus"), [&] { form_.textLostFocus(box); });
}

void Form1Input::ListView1_Select(std::optional<std::size_t> row) noexcept {
    run("Form1.ListView1_ItemClick", [&] { form_.ListView1_Select(row); });
}

void Form1Input::ListView1_DblClick() noexcept {
    run("Form1.ListView1_DblClick", [&] { form_.ListView1_DblClick(); });
}

bool Form1Input::ListView1_KeyDown(Key key, Modifiers held) noexcept {
    bool listKey = false;
    run("Form1.ListView1_KeyDown", [&] { listKey = form_.ListView1_KeyDown(key, held); });
    return listKey;
}

void Form1Input::ListView1_Command(ListCommand command) noexcept {
    run("Form1." + std::string(ListCommands[static_cast<std::size_t>(command)].name) + "_Click",
        [&] { form_.ListView1_Command(command); });
}

void Form1Input::ListView1_OLEDragDrop(std::size_t from, std::size_t to) noexcept {
    run("Form1.ListView1_OLEDragDrop", [&] { form_.ListView1_OLEDragDrop(from, to); });
}

void Form1Input::MouseMove(std::optional<ControlId> over) noexcept {
    run(handlerName(over, "MouseMove"), [&] { form_.MouseMove(over); });
}

void Form1Input::userSetWindowState(WindowState state) noexcept {
    run("Form1.Form_Resize", [&] { form_.userSetWindowState(state); });
}

void Form1Input::AnotherCopyStarted() noexcept {
    run("Form1.AnotherCopyStarted", [&] { form_.comeBack(); });
}

void Form1Input::Form_QueryUnload() noexcept {
    run("Form1.Form_QueryUnload", [&] { form_.Form_QueryUnload(); });
}

} // namespace cursovia
