#include "SettingsStoreAdapter.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <memory>
#include <stdexcept>

namespace cursovia::qtx11 {
namespace {

const QString Organisation = QStringLiteral("Kelvardo");
const QString Application = QStringLiteral("Cursovia");
const QString Group = QStringLiteral("Cursovia");

// The user's own file, where QSettings keeps the program's settings. Asked of
// the organisation's settings: opening the program's would read this file
// already, and a later open would not read it again nor see its errors.
QString usersFile() {
    const QString organisationFile = QSettings(QSettings::IniFormat, QSettings::UserScope, Organisation).fileName();
    return QFileInfo(organisationFile).path() + "/" + Organisation + "/" + Application + ".ini";
}

// A fresh QSettings per call: its status then tells about this call alone.
// It opens the user's own file by name: opened by organisation and program,
// QSettings also reads the organisation's file beside it and the files under
// /etc/xdg, lends their values (fallbacks off or not) and reports their
// errors as this file's.
std::unique_ptr<QSettings> openStore() {
    auto settings = std::make_unique<QSettings>(usersFile(), QSettings::IniFormat);
    settings->beginGroup(Group);
    return settings;
}

std::string describe(QSettings::Status status) {
    return status == QSettings::FormatError ? "is not a valid settings file" : "cannot be accessed";
}

// The keys stored in the group that equal `key` without regard to case.
QStringList keysMatching(const QSettings& settings, const QString& key) {
    QStringList matches;
    for (const QString& stored : settings.childKeys())
        if (stored.compare(key, Qt::CaseInsensitive) == 0) matches.push_back(stored);
    return matches;
}

} // namespace

std::string QtSettingsStore::keepDamagedFileAside() {
    QString file;
    {
        const auto settings = openStore();
        if (settings->status() == QSettings::NoError) return {};
        file = settings->fileName();
    }
    if (!QFile::exists(file)) return {};
    const QString aside =
        file + QStringLiteral(".damaged-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    // When it cannot be moved, reading it fails and every start-up step says so.
    return QFile::rename(file, aside) ? aside.toStdString() : std::string();
}

std::string QtSettingsStore::read(const std::string& key, const std::string& fallback) {
    const auto settings = openStore();
    if (settings->status() != QSettings::NoError)
        throw std::runtime_error("The settings file " + settings->fileName().toStdString() + " " +
                                 describe(settings->status()));
    const QStringList matches = keysMatching(*settings, QString::fromStdString(key));
    if (matches.isEmpty()) return fallback;
    return settings->value(matches.front()).toString().toStdString();
}

void QtSettingsStore::write(const std::string& key, const std::string& text) {
    const auto settings = openStore();
    const QStringList matches = keysMatching(*settings, QString::fromStdString(key));
    // One value per key: a spelling that differs only in case is the same key.
    const QString target = matches.isEmpty() ? QString::fromStdString(key) : matches.front();
    for (const QString& other : matches)
        if (other != target) settings->remove(other);
    settings->setValue(target, QString::fromStdString(text));
    settings->sync();
    if (settings->status() != QSettings::NoError)
        throw std::runtime_error("The setting \"" + key + "\" could not be saved: the settings file " +
                                 settings->fileName().toStdString() + " " + describe(settings->status()));
}

} // namespace cursovia::qtx11
