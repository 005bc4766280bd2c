#include "AutostartEntryAdapter.h"

#include "DesktopEntry.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <stdexcept>

namespace cursovia::qtx11 {
namespace {

QString autostartFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/autostart");
}

QString entryPath(const std::string& name) {
    return autostartFolder() + QLatin1Char('/') + QString::fromStdString(name) + QStringLiteral(".desktop");
}

[[noreturn]] void fail(const QString& path, const QString& reason) {
    throw std::runtime_error("The log-on entry " + path.toStdString() + " could not be written: " +
                             reason.toStdString());
}

} // namespace

void XdgAutostartEntry::add(const std::string& name, const ProgramStart& start) {
    const QString path = entryPath(name);
    if (!QDir().mkpath(autostartFolder())) fail(path, QStringLiteral("the folder cannot be created"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) fail(path, file.errorString());
    std::vector<std::string> words{start.program};
    words.insert(words.end(), start.arguments.begin(), start.arguments.end());
    const std::string text = autostartEntryText(words);
    if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()))
        fail(path, file.errorString());
    if (!file.commit()) fail(path, file.errorString());
}

void XdgAutostartEntry::remove(const std::string& name) {
    QFile file(entryPath(name));
    if (!file.exists()) return;
    if (!file.remove())
        throw std::runtime_error("The log-on entry " + file.fileName().toStdString() +
                                 " could not be removed: " + file.errorString().toStdString());
}

} // namespace cursovia::qtx11
