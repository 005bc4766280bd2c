#include "MainWindow.h"

#include "ActionListView.h"
#include "GroupFrame.h"
#include "base/ScopedFlag.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSinglePointEvent>

#include <algorithm>
#include <utility>

namespace cursovia::qtx11 {
namespace {

// The two system colours the presenter uses, as Qt's palette holds them:
// the window background of text fields, and the face of dialogs and buttons
// (which is also the window's own background).
struct SystemColour {
    std::uint32_t index;
    QPalette::ColorRole role;
};
constexpr SystemColour SystemColours[] = {
    {WindowBackground.value, QPalette::Base},
    {ButtonFace.value, QPalette::Window},
};

// Push buttons, the wait box and the list take their colours from the palette
// (the skin's button and field colours); the other kinds show their own.
bool showsOwnBackground(ControlKind kind) {
    return kind == ControlKind::Frame || kind == ControlKind::OptionButton || kind == ControlKind::CheckBox ||
           kind == ControlKind::Label;
}

QString qt(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// A position counted in UTF-8 bytes of `text`, counted in Qt's UTF-16 units.
int qtPosition(const std::string& text, int bytes) {
    const auto cut = static_cast<std::size_t>(std::clamp(bytes, 0, static_cast<int>(text.size())));
    return static_cast<int>(QString::fromUtf8(text.data(), static_cast<qsizetype>(cut)).size());
}

Qt::WindowStates toQt(WindowState state) {
    switch (state) {
    case WindowState::Minimized: return Qt::WindowMinimized;
    case WindowState::Maximized: return Qt::WindowMaximized;
    case WindowState::Normal: break;
    }
    return Qt::WindowNoState;
}

WindowState fromQt(Qt::WindowStates states) {
    if (states & Qt::WindowMinimized) return WindowState::Minimized;
    if (states & (Qt::WindowMaximized | Qt::WindowFullScreen)) return WindowState::Maximized;
    return WindowState::Normal;
}

constexpr Qt::WindowStates SizeStates = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

} // namespace

MainWindow::MainWindow(QIcon programIcon)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      programIcon_(std::move(programIcon)), skinPalette_(QApplication::palette()) {
    setObjectName(QStringLiteral("Form1"));
    // Arial 9 pt bold; fontconfig hands out its metric twin Liberation Sans
    // where Arial itself is not installed.
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(9);
    font.setBold(true);
    setFont(font);
    setFixedSize(ClientWidth, ClientHeight);
    setMouseTracking(true);
    installEventFilter(this);
    createControls();
    connect(qApp, &QApplication::focusChanged, this, &MainWindow::focusMoved);
}

MainWindow::~MainWindow() {
    // QWidget's destructor still moves the focus and deletes the controls, with
    // this object no longer a MainWindow: nothing may call into it from there.
    disconnect(qApp, &QApplication::focusChanged, this, &MainWindow::focusMoved);
    if (form_) form_->setView(nullptr);
    form_ = nullptr;
}

void MainWindow::createControls() {
    // Frames first: the controls inside a frame are its children, placed
    // relative to it.
    for (const bool frames : {true, false})
        for (const ControlSpec& spec : controlTable()) {
            if ((spec.kind == ControlKind::Frame) != frames) continue;
            QWidget* parent = spec.container ? controlWidget(*spec.container) : this;
            QWidget* widget = createControl(spec, parent);
            Rect at = spec.bounds;
            if (spec.container) {
                const Rect& frame = controlSpec(*spec.container).bounds;
                at.x -= frame.x;
                at.y -= frame.y;
            }
            widget->setObjectName(qt(spec.name));
            widget->setGeometry(at.x, at.y, at.width, at.height);
            widget->installEventFilter(this);
            widgets_[static_cast<std::size_t>(spec.id)] = widget;
        }
}

QWidget* MainWindow::createControl(const ControlSpec& spec, QWidget* parent) {
    const ControlId id = spec.id;
    switch (spec.kind) {
    case ControlKind::Frame: {
        auto* frame = new GroupFrame(parent);
        // Pointer moves over the frame's own area count as being over the frame.
        frame->setMouseTracking(true);
        return frame;
    }
    case ControlKind::OptionButton: {
        auto* option = new QRadioButton(parent);
        // The presenter clears the other options of a group itself.
        option->setAutoExclusive(false);
        connect(option, &QRadioButton::clicked, this, [this, id] { forwardClick(id); });
        return option;
    }
    case ControlKind::CheckBox: {
        auto* check = new QCheckBox(parent);
        connect(check, &QCheckBox::clicked, this, [this, id] { forwardClick(id); });
        return check;
    }
    case ControlKind::TextBox: {
        auto* edit = new QLineEdit(parent);
        connect(edit, &QLineEdit::textEdited, this, [this, id](const QString& text) { forwardTyping(id, text); });
        return edit;
    }
    case ControlKind::PushButton: {
        auto* button = new QPushButton(parent);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, id] { forwardClick(id); });
        return button;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(parent);
        label->setTextFormat(Qt::PlainText);
        return label;
    }
    case ControlKind::ListView: list_ = new ActionListView(parent); return list_;
    }
    return nullptr;
}

void MainWindow::bind(Form1& form) {
    form_ = &form;
    form_->setView(this);
    list_->bind(form);
    renderAll();
}

// --- Rendering the presenter's state ----------------------------------------

void MainWindow::renderAll() {
    for (const ControlSpec& spec : controlTable()) renderControl(spec.id);
    windowChanged();
}

void MainWindow::controlChanged(ControlId id) { renderControl(id); }

void MainWindow::renderControl(ControlId id) {
    if (!form_) return;
    const ControlSpec& spec = controlSpec(id);
    const ControlState& state = form_->control(id);
    QWidget* widget = controlWidget(id);
    const QString caption = QString::fromStdString(state.caption);
    switch (spec.kind) {
    case ControlKind::Frame: static_cast<QGroupBox*>(widget)->setTitle(caption); break;
    case ControlKind::OptionButton:
    case ControlKind::CheckBox: {
        auto* button = static_cast<QAbstractButton*>(widget);
        button->setText(caption);
        button->setChecked(state.value);
        break;
    }
    case ControlKind::TextBox: renderTextBox(id, !userTyping_); break;
    case ControlKind::PushButton: static_cast<QPushButton*>(widget)->setText(caption); break;
    case ControlKind::Label: static_cast<QLabel*>(widget)->setText(caption); break;
    case ControlKind::ListView: break;
    }
    if (showsOwnBackground(spec.kind)) {
        // Buttons fill with the button role, the others with the window role.
        QPalette palette = widget->palette();
        palette.setColor(widget->backgroundRole(), resolve(state.background));
        widget->setPalette(palette);
        widget->setAutoFillBackground(true);
    }
    widget->setVisible(state.visible);
}

// While the user types, the box already shows the text and the caret where
// the user put them; only a text the presenter changed is shown.
void MainWindow::renderTextBox(ControlId id, bool withSelection) {
    const ControlState& state = form_->control(id);
    auto* edit = static_cast<QLineEdit*>(controlWidget(id));
    const QString text = QString::fromStdString(state.caption);
    if (edit->text() != text) edit->setText(text);
    if (!withSelection) return;
    const int start = qtPosition(state.caption, state.selectionStart);
    const int end = qtPosition(state.caption, state.selectionStart + state.selectionLength);
    edit->setSelection(start, end - start);
}

void MainWindow::windowChanged() {
    if (!form_) return;
    const ScopedFlag ownChange(rendering_);
    setWindowTitle(QString::fromStdString(form_->caption()));
    setWindowIcon(form_->iconSet() ? programIcon_ : QIcon());
    QPalette palette = skinPalette_;
    palette.setColor(QPalette::Window, resolve(form_->background()));
    setPalette(palette);
    list_->renderColumns();
    const bool hand = form_->mousePointer() == PointerShape::Custom && form_->handPointerLoaded() && customPointer_;
    if (hand)
        setCursor(*customPointer_);
    else
        unsetCursor();
    renderWindowState(false);
}

void MainWindow::renderWindowState(bool minimiseNow) {
    if (!form_->visible()) {
        if (isVisible()) hide();
        return;
    }
    const Qt::WindowStates wanted = toQt(form_->windowState());
    if ((windowState() & SizeStates) != wanted) {
        // The presenter mostly hides a window it minimises before it returns.
        // Asking the window manager to minimise it first would leave a late
        // minimise behind that strikes when the window is shown again, so
        // the request waits until the presenter is done and is made only if
        // the window is still meant to be on the screen, minimised.
        if ((wanted & Qt::WindowMinimized) && isVisible() && !minimiseNow) {
            QMetaObject::invokeMethod(this, &MainWindow::renderDeferredMinimise, Qt::QueuedConnection);
            return;
        }
        setWindowState((windowState() & ~SizeStates) | wanted);
    }
    if (!isVisible()) show();
}

void MainWindow::renderDeferredMinimise() {
    const ScopedFlag ownChange(rendering_);
    renderWindowState(true);
}

QColor MainWindow::resolve(Colour colour) const {
    if (colour.source == Colour::Source::Rgb) return QColor::fromRgb(colour.value);
    for (const SystemColour& system : SystemColours)
        if (system.index == colour.value) return skinPalette_.color(system.role);
    return skinPalette_.color(QPalette::Window);
}

void MainWindow::focusWindow() {
    if (!isVisible()) return;
    raise();
    activateWindow();
}

void MainWindow::focusControl(ControlId id) { controlWidget(id)->setFocus(Qt::OtherFocusReason); }

void MainWindow::setSkinPalette(const QPalette& palette) {
    skinPalette_ = palette;
    renderAll();
}

void MainWindow::setCustomPointer(const QCursor& pointer) { customPointer_ = pointer; }

// --- The user's input --------------------------------------------------------

void MainWindow::forwardClick(ControlId id) {
    if (!form_) return;
    form_->click(id);
    // A handler may have refused the change Qt already showed.
    renderControl(id);
}

void MainWindow::forwardTyping(ControlId id, const QString& text) {
    if (!form_) return;
    {
        const ScopedFlag typing(userTyping_);
        form_->textTyped(id, text.toStdString());
    }
    renderTextBox(id, false);
}

std::optional<ControlId> MainWindow::textBoxOf(const QWidget* widget) const {
    for (const ControlSpec& spec : controlTable())
        if (spec.kind == ControlKind::TextBox && controlWidget(spec.id) == widget) return spec.id;
    return std::nullopt;
}

void MainWindow::focusMoved(QWidget* from, QWidget* to) {
    if (!form_ || from == to) return;
    // Only moves between the window's own controls count: not the window
    // losing the focus to another one, nor a message box taking it.
    auto inThisWindow = [this](QWidget* w) { return w && w->window() == this; };
    if (const std::optional<ControlId> box = textBoxOf(from); box && inThisWindow(to))
        // It may show a message box: not from inside Qt's focus change.
        QMetaObject::invokeMethod(this, [this, id = *box] {
            if (form_) form_->textLostFocus(id);
        }, Qt::QueuedConnection);
    if (const std::optional<ControlId> box = textBoxOf(to); box && inThisWindow(from)) {
        form_->textGotFocus(*box);
        reselectAfterClick_ = textFocusReason_ == Qt::MouseFocusReason;
    }
}

std::optional<ControlId> MainWindow::controlAt(const QPointF& globalPosition) const {
    const QWidget* w = childAt(mapFromGlobal(globalPosition).toPoint());
    for (; w && w != this; w = w->parentWidget())
        for (std::size_t i = 0; i < widgets_.size(); ++i)
            if (widgets_[i] == w) return static_cast<ControlId>(i);
    return std::nullopt;
}

// A click into a text box gives it the focus on the press, and the
// presenter selects the whole text then; Qt's own handling of that press and
// its release puts the caret at the pointer afterwards. So the presenter's
// selection is shown once more after the release of the click that brought
// the focus in. Later clicks into the focused box place the caret.
void MainWindow::watchTextBox(ControlId id, const QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn: textFocusReason_ = static_cast<const QFocusEvent*>(event)->reason(); break;
    case QEvent::FocusOut: reselectAfterClick_ = false; break;
    case QEvent::MouseButtonRelease:
        if (std::exchange(reselectAfterClick_, false))
            QMetaObject::invokeMethod(this, [this, id] { renderTextBox(id, true); }, Qt::QueuedConnection);
        break;
    default: break;
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (const std::optional<ControlId> box = textBoxOf(qobject_cast<QWidget*>(watched))) watchTextBox(*box, event);
    if (form_ && (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove))
        form_->MouseMove(controlAt(static_cast<QSinglePointEvent*>(event)->globalPosition()));
    return QWidget::eventFilter(watched, event);
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || rendering_ || !form_ || !isVisible()) return;
    const WindowState state = fromQt(windowState());
    if (state == form_->windowState()) return;
    // Hiding in the tray waits for the balloon: not from inside Qt's state change.
    QMetaObject::invokeMethod(this, [this, state] {
        if (form_) form_->userSetWindowState(state);
    }, Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing, for whatever reason, is the presenter's shutdown; it ends the process.
    if (form_) form_->Form_QueryUnload();
    event->accept();
}

} // namespace cursovia::qtx11
