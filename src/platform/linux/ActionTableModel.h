#pragma once
#include "base/ActionList.h"

#include <QAbstractTableModel>

namespace cursovia {
class Form1;
}

namespace cursovia::qtx11 {


// The list view's rows, read straight from the presenter's ActionList (the
// one store of the rows) and its columns from the presenter. It keeps no copy.
class ActionTableModel : public QAbstractTableModel, public ListObserver {
    Q_OBJECT
public:
    explicit ActionTableModel(const Form1& form, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // ListObserver: Qt's begin before the list changes, its end after.
    void rowsChanging(const ListChange& change) override;
    void rowsChanged(const ListChange& change) override;
    void selectionChanged() override { emit selectedRowChanged(); }

    // The presenter's columns changed.
    void columnsChanged();
    // True while a change is being announced: selection moves the view makes
    // on its own then are no choice of the user's.
    bool changing() const { return changing_; }

signals:
    void selectedRowChanged();

private:
    const Form1& form_;
    bool changing_ = false;
    bool moving_ = false; // Qt refused a move that changes nothing; no end follows
};

} // namespace cursovia::qtx11
