// The list view's model under Qt's own model checker: every change of the
// list, moves included, announced as Qt's contract wants it.
#include "ActionListView.h"
#include "ActionTableModel.h"
#include "MainWindow.h"
#include "actions/ListEditing.h"
#include "fakes/FormFixture.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace cursovia::qtx11 {
namespace {

struct TableModel : fakes::FormFixture {
    std::unique_ptr<ActionTableModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester;

    void SetUp() override {
        settings.set("Loads", "5");
        start();
        model = std::make_unique<ActionTableModel>(*form);
        form->list().setObserver(model.get());
        // Fatal: a broken contract aborts the test program.
        tester = std::make_unique<QAbstractItemModelTester>(model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }
    void TearDown() override { form->list().setObserver(nullptr); }
    QString cell(int row) const { return model->data(model->index(row, 0), Qt::DisplayRole).toString(); }
};

TEST_F(TableModel, FollowsQtsContractThroughEveryChange) {
    QSignalSpy moved(model.get(), &QAbstractItemModel::rowsMoved);
    QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
    for (const char* x : {"1", "2", "3", "4"}) addRow(x, "0", "1", ControlId::Option2);
    ASSERT_EQ(model->rowCount(), 4);
    form->ListView1_Select(0);
    form->ListView1_Command(ListCommand::MoveDown);
    form->ListView1_OLEDragDrop(3, 0);
    form->ListView1_OLEDragDrop(0, 3);
    form->ListView1_Command(ListCommand::MoveUp);
    EXPECT_EQ(moved.count(), 4);
    QStringList shown;
    for (int r = 0; r < model->rowCount(); ++r) shown << cell(r);
    QStringList listed;
    for (std::size_t r = 0; r < form->list().rowCount(); ++r) listed << QString::fromStdString(form->list().row(r).x);
    EXPECT_EQ(shown, listed);
    form->ListView1_Command(ListCommand::Duplicate);
    form->ListView1_Command(ListCommand::UseCurrentSettings);
    EXPECT_EQ(changed.count(), 1);
    form->ListView1_Command(ListCommand::Remove);
    form->click(ControlId::PushButton4);
    EXPECT_EQ(model->rowCount(), 0);
}

struct ListInTheWindow : fakes::FormFixture {
    std::unique_ptr<MainWindow> window;
    void SetUp() override {
        settings.set("Loads", "5");
        create();
        window = std::make_unique<MainWindow>(QIcon());
        window->bind(*form);
        form->Form_Load();
        form->show();
        for (const char* x : {"1", "2", "3"}) addRow(x, "0", "1", ControlId::Option2);
    }
    ActionListView* list() const { return qobject_cast<ActionListView*>(window->controlWidget(ControlId::ListView1)); }
    std::vector<std::string> xs() const {
        std::vector<std::string> out;
        for (std::size_t r = 0; r < form->list().rowCount(); ++r) out.push_back(form->list().row(r).x);
        return out;
    }
};

TEST_F(ListInTheWindow, AltUpAndDownMoveTheSelectedRowAndTheSelectionFollows) {
    form->ListView1_Select(0);
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Down, Qt::AltModifier);
    QTest::keyClick(list(), Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(xs(), (std::vector<std::string>{"2", "3", "1"}));
    EXPECT_EQ(form->list().selected(), 2u);
    EXPECT_EQ(list()->selectionModel()->selectedRows().value(0).row(), 2);
    QTest::keyClick(list(), Qt::Key_Up, Qt::AltModifier);
    EXPECT_EQ(xs(), (std::vector<std::string>{"2", "1", "3"}));
}

TEST_F(ListInTheWindow, ARowDraggedOntoAnotherMovesThere) {
    QWidget* viewport = list()->viewport();
    const QPoint from = list()->visualRect(list()->model()->index(0, 0)).center();
    const QPoint to = list()->visualRect(list()->model()->index(2, 0)).center();
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), viewport->mapToGlobal(QPointF(to)), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    EXPECT_EQ(xs(), (std::vector<std::string>{"2", "3", "1"}));
    EXPECT_EQ(form->list().selected(), 2u);
}

} // namespace
} // namespace cursovia::qtx11
