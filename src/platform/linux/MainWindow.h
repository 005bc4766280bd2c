#pragma once
#include "app/Form1.h"
#include "app/Form1.h"

#include <QCursor>
#include <QIcon>
#include <QPalette>
#include <QWidget>

#include <array>
#include <optional>

namespace cursovia::qtx11 {

class ActionListView;

// Form1 on screen: a fixed client area of 1064 x 540 pixels holding one Qt
// widget per entry of the control table, placed where the table says. It
// renders the presenter's state when told it changed and forwards the user's
// input to the presenter; it decides nothing itself.
class MainWindow : public QWidget, public FormView {
    Q_OBJECT
public:
    explicit MainWindow(QIcon programIcon);
    ~MainWindow() override;

    // Renders the presenter from now on and sends it the user's input.
    void bind(Form1& form);

    void controlChanged(ControlId id) override;
    void windowChanged() override;
    void focusWindow() override;
    void focusControl(ControlId id) override;

    // The desktop's colours as the skin has them; system colours resolve to these.
    void setSkinPalette(const QPalette& palette);
    // The picture of the custom pointer shape.
    void setCustomPointer(const QCursor& pointer);

    QWidget* controlWidget(ControlId id) const { return widgets_[static_cast<std::size_t>(id)]; }

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    QWidget* createControl(const ControlSpec& spec, QWidget* parent);
    void renderAll();
    void renderControl(ControlId id);
    void renderTextBox(ControlId id, bool withSelection);
    void renderWindowState(bool minimiseNow);
    void renderDeferredMinimise();
    QColor resolve(Colour colour) const;
    void forwardClick(ControlId id);
    void forwardTyping(ControlId id, const QString& text);
    std::optional<ControlId> textBoxOf(const QWidget* widget) const;
    void focusMoved(QWidget* from, QWidget* to);
    void watchTextBox(ControlId id, const QEvent* event);
    std::optional<ControlId> controlAt(const QPointF& globalPosition) const;

    QIcon programIcon_;
    Form1* form_ = nullptr;
    std::array<QWidget*, ControlCount> widgets_{};
    ActionListView* list_ = nullptr;
    QPalette skinPalette_;
    std::optional<QCursor> customPointer_;
    bool rendering_ = false;
    bool userTyping_ = false;
    Qt::FocusReason textFocusReason_ = Qt::OtherFocusReason;
    bool reselectAfterClick_ = false;
};

} // namespace cursovia::qtx11
