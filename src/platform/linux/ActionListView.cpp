#include "ActionListView.h"

#include "ActionTableModel.h"
#include "QtKeyTable.h"
#include "actions/ListEditing.h"
#include "app/Form1.h"
#include "base/ScopedFlag.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>

namespace cursovia::qtx11 {
namespace {

// The column headings, with the room right of the last column drawn as one
// more, empty heading, as the Windows list view does; Qt's styles leave a
// bare grey stub there.
class ListHeader : public QHeaderView {
public:
    explicit ListHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        QHeaderView::paintEvent(event);
        const int end = length() - offset();
        if (count() == 0 || end >= viewport()->width()) return;
        QPainter painter(viewport());
        QStyleOptionHeader filler;
        initStyleOption(&filler);
        filler.rect = QRect(end, 0, viewport()->width() - end, viewport()->height());
        filler.section = count();
        filler.position = QStyleOptionHeader::End;
        style()->drawControl(QStyle::CE_Header, &filler, &painter, this);
    }
};

} // namespace

ActionListView::ActionListView(QWidget* parent) : QTableView(parent) {
    setHorizontalHeader(new ListHeader(this));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setShowGrid(false);
    setWordWrap(false);
    setToolTip(QString::fromUtf8(ListTooltip.data(), static_cast<int>(ListTooltip.size())));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

ActionListView::~ActionListView() {
    if (form_) form_->list().setObserver(nullptr);
    // The model and the base classes go after this body; what they signal on
    // the way out must not reach a view that is no longer whole.
    if (selectionModel()) selectionModel()->disconnect(this);
    form_ = nullptr;
}

void ActionListView::bind(Form1& form) {
    form_ = &form;
    model_ = std::make_unique<ActionTableModel>(*form_);
    setModel(model_.get());
    form_->list().setObserver(model_.get());
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &ActionListView::userSelected);
    connect(model_.get(), &ActionTableModel::selectedRowChanged, this, &ActionListView::renderSelection);
    // After rows come or go the view's own idea of the selection may have
    // moved; the list's is the one shown.
    connect(model_.get(), &QAbstractItemModel::rowsInserted, this, &ActionListView::renderSelection);
    connect(model_.get(), &QAbstractItemModel::rowsRemoved, this, &ActionListView::renderSelection);
    connect(model_.get(), &QAbstractItemModel::modelReset, this, &ActionListView::renderSelection);
    renderColumns();
    renderSelection();
}

void ActionListView::renderColumns() {
    if (!form_) return;
    const std::vector<ListColumn>& columns = form_->columns();
    if (model_->columnCount() != horizontalHeader()->count()) model_->columnsChanged();
    for (std::size_t i = 0; i < columns.size(); ++i) setColumnWidth(static_cast<int>(i), columns[i].width);
}

void ActionListView::renderSelection() {
    if (!form_) return;
    const ScopedFlag ownChange(rendering_);
    const std::optional<std::size_t> selected = form_->list().selected();
    if (selected && static_cast<int>(*selected) < model_->rowCount()) {
        const QModelIndex row = model_->index(static_cast<int>(*selected), 0);
        selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(row);
    } else {
        selectionModel()->clear();
    }
}

void ActionListView::userSelected() {
    if (!form_ || rendering_ || model_->changing()) return;
    const QModelIndexList rows = selectionModel()->selectedRows();
    std::optional<std::size_t> row;
    if (!rows.isEmpty()) row = static_cast<std::size_t>(rows.front().row());
    form_->ListView1_Select(row);
    renderSelection();
}

void ActionListView::keyPressEvent(QKeyEvent* event) {
    if (!form_) return QTableView::keyPressEvent(event);
    const std::optional<Key> key = keyForQtKey(*event);
    const bool listKey = key && form_->ListView1_KeyDown(*key, modifiersForQt(event->modifiers()));
    if (listKey) event->accept();
    else if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        showMenu({});
        event->accept();
    } else {
        QTableView::keyPressEvent(event);
    }
}

void ActionListView::contextMenuEvent(QContextMenuEvent* event) {
    if (!form_) return;
    showMenu(event->reason() == QContextMenuEvent::Mouse ? event->globalPos() : QPoint());
    event->accept();
}

// At `at` (global), or for the keyboard beside the selected row.
void ActionListView::showMenu(const QPoint& at) {
    QPoint where = at;
    if (where.isNull()) {
        const std::optional<std::size_t> selected = form_->list().selected();
        const QRect row = selected ? visualRect(model_->index(static_cast<int>(*selected), 0)) : QRect();
        where = viewport()->mapToGlobal(row.isValid() ? row.bottomLeft() : QPoint(0, 0));
    }
    QMenu menu(this);
    for (const ListCommandSpec& spec : ListCommands) {
        const ListCommand command = spec.command;
        menu.addAction(QString::fromUtf8(spec.caption), [this, command] { form_->ListView1_Command(command); });
    }
    menu.exec(where);
}

void ActionListView::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    dragging_ = false;
    dragRow_ = event->button() == Qt::LeftButton ? rowAt(event->position().toPoint().y()) : -1;
    dragFrom_ = event->position().toPoint();
}

void ActionListView::mouseMoveEvent(QMouseEvent* event) {
    if (dragRow_ >= 0 && (event->position().toPoint() - dragFrom_).manhattanLength() >= QApplication::startDragDistance())
        dragging_ = true;
    if (!dragging_) QTableView::mouseMoveEvent(event);
}

void ActionListView::mouseReleaseEvent(QMouseEvent* event) {
    const int from = dragRow_;
    const bool dropped = dragging_ && event->button() == Qt::LeftButton;
    dragRow_ = -1;
    dragging_ = false;
    QTableView::mouseReleaseEvent(event);
    if (!dropped || !form_) return;
    int to = rowAt(event->position().toPoint().y());
    if (to < 0) to = model_->rowCount() - 1; // below the last row: to the end
    if (to >= 0 && to != from) form_->ListView1_OLEDragDrop(static_cast<std::size_t>(from), static_cast<std::size_t>(to));
}

void ActionListView::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton || !form_) return;
    form_->ListView1_DblClick();
}

} // namespace cursovia::qtx11
