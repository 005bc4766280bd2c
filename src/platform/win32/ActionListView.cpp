#include "ActionListView.h"

#include <windowsx.h>

#include "Utf16.h"
#include "VirtualKeyTable.h"
#include "actions/ListEditing.h"
#include "base/ScopedFlag.h"

#include <algorithm>

namespace cursovia::win32 {
// Keys are taken before the control sees them: with Alt held they arrive
// as system keys, which the control does not notify. A row's drag is
// followed here while the control has the capture.
LRESULT CALLBACK ActionListView::procedure(HWND listView, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self) {
    auto& model = *reinterpret_cast<ActionListView*>(self);
    if (!model.dragRow_ && (message == WM_KEYDOWN || message == WM_SYSKEYDOWN)) {
        if (const std::optional<Key> key = keyForVirtualKey(static_cast<unsigned>(wParam))) {
            model.forwardSelection();
            if (model.form_.ListView1_KeyDown(*key, modifiersAtMessage())) return 0;
        }
    }
    if (model.dragRow_) {
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        switch (message) {
        case WM_MOUSEMOVE: model.showDropRow(model.dropRow(at)); return 0;
        case WM_LBUTTONUP: model.drop(at); return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) ReleaseCapture(); // ends the drag through WM_CAPTURECHANGED
            return 0;
        case WM_CAPTURECHANGED: model.endDrag(); break;
        default: break;
        }
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(listView, &ActionListView::procedure, id);
    return DefSubclassProc(listView, message, wParam, lParam);
}

void ActionListView::beginDrag(int row) {
    if (row < 0) return;
    forwardSelection();
    dragRow_ = static_cast<std::size_t>(row);
    SetCapture(listView_);
    SetFocus(listView_); // for Escape
}

std::optional<std::size_t> ActionListView::dropRow(POINT at) const {
    LVHITTESTINFO hit{};
    hit.pt = at;
    const int row = ListView_HitTest(listView_, &hit);
    if (row >= 0) return static_cast<std::size_t>(row);
    // Off the rows: to the end.
    const std::size_t rows = form_.list().rowCount();
    return rows ? std::optional<std::size_t>(rows - 1) : std::nullopt;
}

void ActionListView::showDropRow(std::optional<std::size_t> row) {
    if (row == dropShown_) return;
    if (dropShown_) ListView_SetItemState(listView_, static_cast<int>(*dropShown_), 0, LVIS_DROPHILITED);
    dropShown_ = row;
    if (row) ListView_SetItemState(listView_, static_cast<int>(*row), LVIS_DROPHILITED, LVIS_DROPHILITED);
}

void ActionListView::drop(POINT at) {
    const std::size_t from = *dragRow_;
    const std::optional<std::size_t> to = dropRow(at);
    ReleaseCapture(); // ends the drag before the list changes
    endDrag();
    if (to && *to != from) form_.ListView1_OLEDragDrop(from, *to);
}

void ActionListView::endDrag() {
    showDropRow(std::nullopt);
    dragRow_.reset();
}

void ActionListView::attach(HWND listView, HWND mainWindow) {
    listView_ = listView;
    SetWindowSubclass(listView, &ActionListView::procedure, 1, reinterpret_cast<DWORD_PTR>(this));
    mainWindow_ = mainWindow;
    ListView_SetExtendedListViewStyle(listView_, LVS_EX_FULLROWSELECT);
    rowsChanged({});
}

void ActionListView::rowsChanged(const ListChange& change) {
    const ScopedFlag rendering(rendering_);
    // Rows move on insert and remove: every row from the change on repaints.
    ListView_SetItemCountEx(listView_, static_cast<int>(form_.list().rowCount()), LVSICF_NOSCROLL);
    if (change.kind == ListChange::Kind::Moved || change.kind == ListChange::Kind::Changed) {
        const std::size_t last = change.kind == ListChange::Kind::Moved ? change.to : change.first + change.count - 1;
        ListView_RedrawItems(listView_, static_cast<int>(std::min(change.first, last)),
                             static_cast<int>(std::max(change.first, last)));
    }
    selectionChanged();
}

std::optional<std::size_t> ActionListView::shownSelection() const {
    const int shown = ListView_GetNextItem(listView_, -1, LVNI_SELECTED);
    return shown < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(shown));
}

void ActionListView::selectionChanged() {
    const ScopedFlag rendering(rendering_);
    const std::optional<std::size_t> wanted = form_.list().selected();
    if (shownSelection() == wanted) return;
    ListView_SetItemState(listView_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (!wanted) return;
    const int row = static_cast<int>(*wanted);
    ListView_SetItemState(listView_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(listView_, row, FALSE);
}

void ActionListView::renderColumns(UINT dpi) {
    const std::vector<ListColumn>& columns = form_.columns();
    HWND header = ListView_GetHeader(listView_);
    const int shown = header ? Header_GetItemCount(header) : 0;
    if (shown != static_cast<int>(columns.size())) {
        for (int i = shown - 1; i >= 0; --i) ListView_DeleteColumn(listView_, i);
        for (std::size_t i = 0; i < columns.size(); ++i) {
            std::wstring text = widen(columns[i].header);
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
            column.pszText = text.data();
            column.cx = MulDiv(columns[i].width, static_cast<int>(dpi), 96);
            column.iSubItem = static_cast<int>(i);
            ListView_InsertColumn(listView_, static_cast<int>(i), &column);
        }
        return;
    }
    for (std::size_t i = 0; i < columns.size(); ++i)
        ListView_SetColumnWidth(listView_, static_cast<int>(i), MulDiv(columns[i].width, static_cast<int>(dpi), 96));
}

void ActionListView::renderColours(COLORREF background, std::optional<COLORREF> text) {
    ListView_SetBkColor(listView_, background);
    ListView_SetTextBkColor(listView_, background);
    ListView_SetTextColor(listView_, text ? *text : GetSysColor(COLOR_WINDOWTEXT));
    InvalidateRect(listView_, nullptr, TRUE);
}

void ActionListView::showText(NMLVDISPINFOW& request) const {
    LVITEMW& item = request.item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
    item.pszText[0] = L'\0';
    const ActionList& list = form_.list();
    if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= list.rowCount()) return;
    const std::wstring text =
        widen(list.text(static_cast<std::size_t>(item.iItem), static_cast<std::size_t>(item.iSubItem)));
    lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
}

std::optional<LRESULT> ActionListView::onNotify(NMHDR& header, std::optional<COLORREF> highlight) {
    switch (header.code) {
    case LVN_GETDISPINFOW: showText(reinterpret_cast<NMLVDISPINFOW&>(header)); return 0;
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        const bool selection = (change.uChanged & LVIF_STATE) && ((change.uOldState ^ change.uNewState) & LVIS_SELECTED);
        if (selection && !rendering_ && !selectionPosted_) {
            selectionPosted_ = true;
            PostMessageW(mainWindow_, SelectionMessage, 0, 0);
        }
        return 0;
    }
    case LVN_BEGINDRAG: beginDrag(reinterpret_cast<const NMLISTVIEW&>(header).iItem); return 0;
    case NM_DBLCLK:
        forwardSelection();
        form_.ListView1_DblClick();
        return 0;
    case NM_CUSTOMDRAW: {
        if (!highlight) return std::nullopt;
        auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(header);
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
        if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT &&
            ListView_GetItemState(listView_, static_cast<int>(draw.nmcd.dwItemSpec), LVIS_SELECTED)) {
            // Painted as an ordinary row in the skin's colour instead of the system's selection.
            draw.clrTextBk = *highlight;
            draw.nmcd.uItemState &= ~(CDIS_SELECTED | CDIS_FOCUS);
        }
        return CDRF_DODEFAULT;
    }
    default: return std::nullopt;
    }
}

void ActionListView::forwardSelection() {
    selectionPosted_ = false;
    const std::optional<std::size_t> shown = shownSelection();
    if (shown != form_.list().selected()) form_.ListView1_Select(shown);
}

void ActionListView::showMenu(std::optional<POINT> at) {
    forwardSelection();
    POINT where{};
    if (at) {
        where = *at;
    } else {
        RECT row{};
        const std::optional<std::size_t> selected = form_.list().selected();
        if (selected) ListView_GetItemRect(listView_, static_cast<int>(*selected), &row, LVIR_BOUNDS);
        where = {row.left, row.bottom};
        ClientToScreen(listView_, &where);
    }
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    for (std::size_t i = 0; i < ListCommands.size(); ++i)
        AppendMenuW(menu, MF_STRING, i + 1, widen(ListCommands[i].caption).c_str());
    const int chosen = static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, where.x, where.y, 0, mainWindow_, nullptr));
    DestroyMenu(menu);
    if (chosen > 0) form_.ListView1_Command(ListCommands[static_cast<std::size_t>(chosen - 1)].command);
}

} // namespace cursovia::win32
