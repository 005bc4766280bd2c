// The window on Qt's offscreen platform, wired to the real presenter and to
// recording fakes of the other ports.
#include "ActionListView.h"
#include "MainWindow.h"
#include "desktop/cSysTray.h"
#include "fakes/FormFixture.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace cursovia::qtx11 {
namespace {

QString captionOf(QWidget* w) {
    if (auto* frame = qobject_cast<QGroupBox*>(w)) return frame->title();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) return edit->text();
    return {};
}

struct Window : fakes::FormFixture {
    std::unique_ptr<MainWindow> window;

    void open(bool load = true) {
        settings.set("Loads", "5");
        create();
        window = std::make_unique<MainWindow>(QIcon());
        window->bind(*form);
        if (!load) return;
        form->Form_Load();
        form->show();
    }
    template <typename W>
    W* widget(ControlId id) const {
        return qobject_cast<W*>(window->controlWidget(id));
    }
    ActionListView* list() const { return widget<ActionListView>(ControlId::ListView1); }
    std::vector<int> selectedRows() const {
        std::vector<int> rows;
        for (const QModelIndex& i : list()->selectionModel()->selectedRows()) rows.push_back(i.row());
        return rows;
    }
};

TEST_F(Window, HoldsEveryControlOfTheTableWithItsCaptionWhereTheTableSays) {
    open(false);
    EXPECT_EQ(window->size(), QSize(ClientWidth, ClientHeight));
    for (const ControlSpec& spec : controlTable()) {
        QWidget* w = window->controlWidget(spec.id);
        ASSERT_NE(w, nullptr) << spec.name;
        EXPECT_EQ(w->objectName().toStdString(), spec.name);
        const Rect& b = spec.bounds;
        EXPECT_EQ(QRect(w->mapTo(window.get(), QPoint(0, 0)), w->size()), QRect(b.x, b.y, b.width, b.height))
            << spec.name;
        EXPECT_EQ(captionOf(w).toStdString(), spec.caption) << spec.name;
        EXPECT_EQ(!w->isHidden(), spec.visible) << spec.name;
    }
}

TEST_F(Window, TheListShowsThePresentersRowsUnderItsFourColumns) {
    open();
    QAbstractItemModel* model = list()->model();
    const char* headers[] = {"X Position", " Y Position", " Wait (seconds)", "Action"};
    ASSERT_EQ(model->columnCount(), 4);
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(model->headerData(c, Qt::Horizontal).toString().toStdString(), headers[c]);
        EXPECT_EQ(list()->columnWidth(c), 120);
    }
    EXPECT_EQ(list()->toolTip().toStdString(), ListTooltip);

    form->click(ControlId::PushButton6); // the three sample rows
    form->list().insert(1, {"a", "b", "c", "d"});
    ASSERT_EQ(model->rowCount(), 4);
    EXPECT_EQ(model->index(1, 3).data().toString(), "d");
    EXPECT_EQ(model->index(3, 0).data().toString(), "1600");
    form->click(ControlId::PushButton4);
    EXPECT_EQ(model->rowCount(), 0);
}

TEST_F(Window, TheSelectionIsThePresentersBothWays) {
    open();
    form->click(ControlId::PushButton6);
    list()->selectionModel()->select(list()->model()->index(2, 1),
                                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_EQ(form->list().selected(), 2u);

    form->list().select(0);
    EXPECT_EQ(selectedRows(), std::vector<int>{0});
    form->list().insert(0, {"1", "2", "3", "No Action"}); // the selection moves with its row
    EXPECT_EQ(selectedRows(), std::vector<int>{1});

    QTest::keyClick(list(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(form->list().rowCount(), 3u);
    EXPECT_EQ(form->list().selected(), std::nullopt);
    EXPECT_TRUE(selectedRows().empty());
}

TEST_F(Window, OptionsAndCheckBoxesShowWhatThePresenterDecided) {
    open();
    auto* option2 = widget<QRadioButton>(ControlId::Option2);
    option2->click();
    EXPECT_TRUE(option2->isChecked());
    EXPECT_FALSE(widget<QRadioButton>(ControlId::Option1)->isChecked());
    option2->click(); // Qt alone would clear a non-exclusive option; a set option stays set
    EXPECT_TRUE(option2->isChecked());
    EXPECT_TRUE(form->control(ControlId::Option2).value);

    autostart.failWith = "no autostart folder";
    widget<QCheckBox>(ControlId::Check4)->click();
    EXPECT_FALSE(form->control(ControlId::Check4).value);
    EXPECT_FALSE(widget<QCheckBox>(ControlId::Check4)->isChecked());
    EXPECT_TRUE(widget<QCheckBox>(ControlId::Check8)->isHidden());
}

// Between the controls inside a frame the frame's own colour shows, as on
// Windows: no tint of the style's and no strips of another colour.
TEST_F(Window, FramesShowTheirColourBetweenTheirControls) {
    open();
    const QImage picture = window->grab().toImage();
    const int captionLine = 20; // the caption and the top line lie above it
    const int border = 3;
    for (const ControlSpec& frame : controlTable()) {
        if (frame.kind != ControlKind::Frame) continue;
        QWidget* frameWidget = window->controlWidget(frame.id);
        const QColor background = frameWidget->palette().color(frameWidget->backgroundRole());
        const QRect inside = QRect(frame.bounds.x, frame.bounds.y, frame.bounds.width, frame.bounds.height)
                                 .adjusted(border, captionLine, -border, -border);
        auto underAControl = [&](QPoint p) {
            for (const ControlSpec& spec : controlTable())
                if (spec.container == frame.id && window->controlWidget(spec.id)->isVisible() &&
                    QRect(spec.bounds.x, spec.bounds.y, spec.bounds.width, spec.bounds.height).contains(p))
                    return true;
            return false;
        };
        int otherColour = 0;
        QPoint first;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                if (!underAControl({x, y}) && picture.pixelColor(x, y) != background && otherColour++ == 0)
                    first = {x, y};
        EXPECT_EQ(otherColour, 0) << frame.name << ": first at " << first.x() << "," << first.y() << " "
                                  << picture.pixelColor(first).name().toStdString();
    }
}

// Right of the last column the headings go on as one empty heading up to
// the list's edge, as on Windows, not as a bare stub of another colour.
TEST_F(Window, TheHeadingsRunToTheListsRightEdge) {
    open();
    QHeaderView* header = list()->horizontalHeader();
    const QImage picture = header->grab().toImage();
    const int columnsEnd = header->length();
    ASSERT_LT(columnsEnd, header->width() - 10);
    auto column = [&](int x) {
        std::vector<QRgb> pixels;
        for (int y = 0; y < picture.height(); ++y) pixels.push_back(picture.pixel(x, y));
        return pixels;
    };
    // Right of the last heading's text, top to bottom.
    EXPECT_EQ(column((columnsEnd + header->width()) / 2), column(columnsEnd - 10));
}

TEST_F(Window, TypingInTheWaitBoxReachesThePresenterAndKeepsTheCaret) {
    open();
    auto* edit = widget<QLineEdit>(ControlId::Text1);
    ASSERT_EQ(edit->text(), "2");
    edit->setCursorPosition(1);
    QTest::keyClicks(edit, ".5");
    EXPECT_EQ(form->control(ControlId::Text1).caption, "2.5");
    EXPECT_EQ(settings.value("Wait"), "2.5");
    EXPECT_EQ(edit->text(), "2.5");
    EXPECT_EQ(edit->cursorPosition(), 3);
    EXPECT_FALSE(edit->hasSelectedText());
}

TEST_F(Window, MinimisingHidesItInTheTrayAndTheIconBringsItBack) {
    open();
    ASSERT_TRUE(window->isVisible());
    window->setWindowState(Qt::WindowMinimized); // as the desktop would
    // not inside Qt's state change: the hiding waits for the tray balloon
    EXPECT_FALSE(form->TrayHidden());
    EXPECT_FALSE(tray.balloonShown());
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(form->TrayHidden());
    EXPECT_TRUE(tray.balloonShown());
    tray.report({TrayActivity::Kind::ButtonUp, TrayButton::Left});
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isMinimized());
}

TEST_F(Window, TheHandShowsOverPushButtonsOnlyOnceItsFileLoaded) {
    QTemporaryDir folder;
    QFile hand(folder.path() + "/HAND-M.CUR");
    ASSERT_TRUE(hand.open(QIODevice::WriteOnly));
    hand.close();
    program.executablePath = (folder.path() + "/cursovia").toStdString();
    open();
    ASSERT_TRUE(form->handPointerLoaded());
    window->setCustomPointer(QCursor(Qt::PointingHandCursor)); // what the skin port hands over
    auto pointAt = [&](ControlId id, QPoint inside) {
        QWidget* w = window->controlWidget(id);
        QEnterEvent enter(inside, inside, w->mapToGlobal(inside));
        QCoreApplication::sendEvent(w, &enter);
        return window->cursor().shape();
    };
    EXPECT_EQ(pointAt(ControlId::PushButton5, {20, 10}), Qt::PointingHandCursor);
    EXPECT_EQ(pointAt(ControlId::Frame1, {150, 4}), Qt::ArrowCursor); // the frame's title, outside its labels
    EXPECT_EQ(pointAt(ControlId::PushButton2, {5, 5}), Qt::PointingHandCursor);
    EXPECT_EQ(pointAt(ControlId::ListView1, {100, 100}), Qt::ArrowCursor);
}

} // namespace
} // namespace cursovia::qtx11
