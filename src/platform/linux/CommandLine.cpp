#include "CommandLine.h"

#include <QProcess>

namespace cursovia::x11 {

std::vector<std::string> splitCommandLine(const std::string& commandLine) {
    std::vector<std::string> arguments;
    for (const QString& argument : QProcess::splitCommand(QString::fromStdString(commandLine)))
        arguments.push_back(argument.toStdString());
    return arguments;
}

} // namespace cursovia::x11
