#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace cursovia::x11 {
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
} // namespace cursovia::x11
