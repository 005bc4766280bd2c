#pragma once
#include "app/Form1.h"
#include "app/Form1.h"

#include <windows.h>
#include <commctrl.h>

#include <optional>

namespace cursovia::win32 {

// The action list as a virtual report-style list view: rows are read from the
// presenter's list whenever the control paints them, so the control holds no
// copy. The user's selection goes to the presenter; the presenter's selection
// is rendered back. A row dragged onto another is moved there by the presenter.
class ActionListView : public ListObserver {
public:
    // Posted to the main window when the user changed the selection; the
    // control reports a move as a deselect and a select, and only the
    // outcome is forwarded.
    static constexpr UINT SelectionMessage = WM_APP + 2;

    explicit ActionListView(Form1& form) : form_(form) {}

    void attach(HWND listView, HWND mainWindow);
    void rowsChanged(const ListChange& change) override;
    void selectionChanged() override;

    void renderColumns(UINT dpi);
    void renderColours(COLORREF background, std::optional<COLORREF> text);

    // Handles the control's notifications; empty for the ones left to the default.
    std::optional<LRESULT> onNotify(NMHDR& header, std::optional<COLORREF> highlight);
    // SelectionMessage arrived.
    void forwardSelection();
    // The context menu at `at` (screen), or below the selected row; runs the command chosen.
    void showMenu(std::optional<POINT> at);

private:
    static LRESULT CALLBACK procedure(HWND listView, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
    std::optional<std::size_t> shownSelection() const;
    void showText(NMLVDISPINFOW& request) const;
    void beginDrag(int row);
    // The row a drop at `at` (client) lands on: the one under it, or the last below the rows.
    std::optional<std::size_t> dropRow(POINT at) const;
    void showDropRow(std::optional<std::size_t> row);
    void drop(POINT at);
    void endDrag();

    Form1& form_;
    HWND listView_ = nullptr;
    HWND mainWindow_ = nullptr;
    bool rendering_ = false;
    bool selectionPosted_ = false;
    std::optional<std::size_t> dragRow_;   // the row being dragged
    std::optional<std::size_t> dropShown_; // the row shown as the drop's place
};

} // namespace cursovia::win32
