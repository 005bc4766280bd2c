#include "ShellOpenAdapter.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace cursovia::qtx11 {

void QtShellOpen::openDocument(const std::string& address) {
    QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(address)));
}

void QtShellOpen::startProgram(const ProgramStart& start) {
    QStringList arguments;
    for (const std::string& argument : start.arguments) arguments.push_back(QString::fromStdString(argument));
    QProcess::startDetached(QString::fromStdString(start.program), arguments);
}

} // namespace cursovia::qtx11
