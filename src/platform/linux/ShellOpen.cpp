#include "ShellOpen.h"

#include "CommandLine.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace cursovia::x11 {

void QtShellOpen::openDocument(const std::string& target) {
    std::string unquoted = target;
    if (unquoted.size() >= 2 && unquoted.front() == '"' && unquoted.back() == '"')
        unquoted = unquoted.substr(1, unquoted.size() - 2);
    QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(unquoted)));
}

void QtShellOpen::startCommand(const std::string& commandLine) {
    const std::vector<std::string> words = splitCommandLine(commandLine);
    if (words.empty()) return;
    QStringList arguments;
    for (std::size_t i = 1; i < words.size(); ++i) arguments.push_back(QString::fromStdString(words[i]));
    QProcess::startDetached(QString::fromStdString(words.front()), arguments);
}

} // namespace cursovia::x11
