#include "LineBreaks.h"

namespace cursovia::qtx11 {

QString withQtLineBreaks(const std::string& text) {
    QString out = QString::fromStdString(text);
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(QChar('\r'), QChar('\n'));
    return out;
}

} // namespace cursovia::qtx11
