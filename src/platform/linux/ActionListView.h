#pragma once
#include <QTableView>

#include <memory>

namespace cursovia {
class Form1;
}

namespace cursovia::qtx11 {

class ActionTableModel;

// ListView1: the rows in report form, one selected row at most. The
// selection is the presenter's: a user's choice goes to ListView1_Select and
// the view then shows whatever the list says is selected. Double-clicks and
// the Delete key (with any modifiers) go to the presenter too, and so do the
// context menu's commands (right-click, the menu key, Shift+F10), Alt+Up and
// Alt+Down, and a row dragged onto another.
class ActionListView : public QTableView {
    Q_OBJECT
public:
    explicit ActionListView(QWidget* parent);
    ~ActionListView() override;

    // Shows the presenter's list from now on, observes it and sends it the user's input.
    void bind(Form1& form);
    // The presenter's columns, with their widths.
    void renderColumns();
    void renderSelection();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void userSelected();
    void showMenu(const QPoint& at);

    Form1* form_ = nullptr;
    std::unique_ptr<ActionTableModel> model_;
    bool rendering_ = false;
    int dragRow_ = -1; // the row a left press went down on
    QPoint dragFrom_;
    bool dragging_ = false;
};

} // namespace cursovia::qtx11
