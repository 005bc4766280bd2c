#pragma once
#include <QTableView>

#include <memory>

namespace cursovia {
class Form1;
class Form1Input;
}

namespace cursovia::x11 {

class ActionTableModel;

// ListView1: the rows in report form, one selected row at most. The
// selection is the presenter's: a user's choice goes to ListView1_Select and
// the view then shows whatever the list says is selected. Double-clicks and
// the Delete key (with any modifiers) go to the presenter too.
class ActionListView : public QTableView {
    Q_OBJECT
public:
    explicit ActionListView(QWidget* parent);
    ~ActionListView() override;

    // Shows the presenter's list from now on, observes it and sends it the user's input.
    void bind(Form1Input& input);
    // The presenter's columns, with their widths.
    void renderColumns();
    void renderSelection();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void userSelected();

    Form1* form_ = nullptr;
    Form1Input* input_ = nullptr;
    std::unique_ptr<ActionTableModel> model_;
    bool rendering_ = false;
};

} // namespace cursovia::x11
