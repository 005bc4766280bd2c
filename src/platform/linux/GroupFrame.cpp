#include "GroupFrame.h"

#include <QPainter>

namespace cursovia::qtx11 {
namespace {

constexpr int CaptionIndent = 7; // from the frame's left edge to the caption's gap
constexpr int CaptionGap = 2;    // blank space either side of the caption

} // namespace

void GroupFrame::paintEvent(QPaintEvent*) {
    // The background itself is the widget's own fill (autoFillBackground).
    QPainter painter(this);
    const QFontMetrics metrics(font());
    // The top line runs through the middle of the caption.
    const int lineTop = metrics.height() / 2;
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, lineTop, -1, -1));
    if (title().isEmpty()) return;
    const QRect caption(CaptionIndent, 0, metrics.horizontalAdvance(title()) + 2 * CaptionGap, metrics.height());
    painter.fillRect(caption, palette().color(backgroundRole()));
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine, title());
}

} // namespace cursovia::qtx11
