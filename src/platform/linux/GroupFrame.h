#pragma once
#include <QGroupBox>

namespace cursovia::qtx11 {

// A frame drawn the way Windows draws one: its whole area filled with its
// background colour, a thin line round it and the caption set into the top
// line. Qt's styles tint a group box's inside and put the caption above the
// frame, which leaves grey strips between the white controls inside.
class GroupFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit GroupFrame(QWidget* parent) : QGroupBox(parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace cursovia::qtx11
