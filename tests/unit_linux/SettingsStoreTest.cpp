#include "SettingsStoreAdapter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace cursovia::qtx11 {
namespace {

struct SettingsStore : ::testing::Test {
    QTemporaryDir config;
    QtSettingsStore store;
    void SetUp() override {
        ASSERT_TRUE(config.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
    }
    QString file() const { return config.path() + "/Kelvardo/Cursovia.ini"; }
    QByteArray onDisk() const {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no file>");
    }
};

TEST_F(SettingsStore, ADamagedFileIsKeptAsideAndTheDefaultsApply) {
    const QByteArray damaged("[Cursovia\nLoads=3\nActions=1||MySeparator12||2\n");
    QDir().mkpath(config.path() + "/Kelvardo");
    {
        QFile f(file());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(damaged);
    }
    const std::string aside = QtSettingsStore::keepDamagedFileAside();
    ASSERT_FALSE(aside.empty());
    EXPECT_FALSE(QFile::exists(file()));
    QFile kept(QString::fromStdString(aside));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), damaged);
    EXPECT_EQ(store.read("Loads", "0"), "0");
    store.write("Loads", "1");
    EXPECT_EQ(QtSettingsStore::keepDamagedFileAside(), ""); // a sound file stays where it is
    EXPECT_EQ(store.read("Loads", "0"), "1");
}

// QSettings also reads the organisation's file (Kelvardo.ini) and the system's
// files (/etc/xdg): neither lends a value, and their damage is not the user's file's.
TEST_F(SettingsStore, OnlyTheUsersOwnFileIsReadAndJudged) {
    QTemporaryDir system;
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, system.path());
    const auto put = [](const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    put(file(), "[Cursovia]\nLoads=3\n");
    const struct {
        const char* what;
        QString path;
        QByteArray bytes;
    } cases[] = {
        {"a damaged organisation file", config.path() + "/Kelvardo.ini", "[Cursovia\nLoads=1\n"},
        {"a damaged system file", system.path() + "/Kelvardo/Cursovia.ini", "[Cursovia\nLoads=1\n"},
        {"a system file with values", system.path() + "/Kelvardo/Cursovia.ini", "[Cursovia]\nWait=9\n"},
        {"an organisation file with values", config.path() + "/Kelvardo.ini", "[Cursovia]\nWait=9\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        put(c.path, c.bytes);
        EXPECT_EQ(QtSettingsStore::keepDamagedFileAside(), "");
        EXPECT_TRUE(QFile::exists(file()));
        EXPECT_EQ(store.read("Loads", "0"), "3");
        EXPECT_EQ(store.read("Wait", "<absent>"), "<absent>");
        EXPECT_NO_THROW(store.write("Loads", "3"));
        QFile::remove(c.path);
    }
}

TEST_F(SettingsStore, AValueIsInTheFileWhenTheWriteReturns) {
    store.write("Loads", "1");
    EXPECT_TRUE(onDisk().contains("[Cursovia]\nLoads=1\n")) << onDisk().constData();
}

TEST_F(SettingsStore, KeysCompareWithoutCaseAndKeepOneValue) {
    store.write("Windows Startup", "On");
    store.write("WINDOWS STARTUP", "Off");
    EXPECT_EQ(store.read("windows startup", "<absent>"), "Off");
    EXPECT_EQ(onDisk().count("Startup="), 1) << onDisk().constData();
}

TEST_F(SettingsStore, AHandWrittenSpellingOfAKeyIsFoundAndReplaced) {
    QSettings raw(file(), QSettings::IniFormat);
    raw.setValue("Cursovia/loads", "7");
    raw.sync();
    EXPECT_EQ(store.read("Loads", "0"), "7");
    store.write("Loads", "8");
    EXPECT_EQ(store.read("LOADS", "0"), "8");
    EXPECT_FALSE(onDisk().contains("Loads=")) << onDisk().constData(); // the stored spelling stays
}

TEST_F(SettingsStore, AnAbsentKeyGivesTheFallbackAnEmptyValueDoesNot) {
    EXPECT_EQ(store.read("Actions", "<absent>"), "<absent>");
    store.write("Actions", "");
    EXPECT_EQ(store.read("Actions", "<absent>"), "");
}

TEST_F(SettingsStore, TextsComeBackAsWritten) {
    for (const std::string text : {"a, b; c = d", " 2 ", "@Variant(x)", "\"quoted\"", "line\nbreak", "caf\xC3\xA9",
                                   "1||MySeparator12||2||MySeparator23||"}) {
        store.write("Wait", text);
        EXPECT_EQ(store.read("Wait", ""), text);
    }
}

TEST(SettingsStoreFailure, AWriteThatCannotReachTheDiskThrows) {
    // Not even root can create a folder below a character device.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, "/dev/null/config");
    QtSettingsStore store;
    EXPECT_THROW(store.write("Loads", "1"), std::runtime_error);
}

} // namespace
} // namespace cursovia::qtx11
