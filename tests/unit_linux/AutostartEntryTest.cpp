#include "AutostartEntryAdapter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace cursovia::qtx11 {
namespace {

struct AutostartEntry : ::testing::Test {
    QTemporaryDir config;
    QByteArray formerConfigHome = qgetenv("XDG_CONFIG_HOME");
    XdgAutostartEntry entry;
    void SetUp() override {
        ASSERT_TRUE(config.isValid());
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    }
    void TearDown() override { qputenv("XDG_CONFIG_HOME", formerConfigHome); }
    QString folder() const { return config.path() + "/autostart"; }
    QStringList files() const { return QDir(folder()).entryList(QDir::Files); }
    QByteArray text(const QString& name) const {
        QFile f(folder() + "/" + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no file>");
    }
};

TEST_F(AutostartEntry, AddWritesADesktopEntryNamedByTheProgramsFileName) {
    entry.add("cursovia", {"/opt/my tools/cursovia", {}});
    EXPECT_EQ(files(), QStringList{"cursovia.desktop"});
    EXPECT_EQ(text("cursovia.desktop"), "[Desktop Entry]\nType=Application\nName=Cursovia\n"
                                        "Exec=\"/opt/my tools/cursovia\"\n");
}

TEST_F(AutostartEntry, AddingTwiceLeavesOneEntryAndRemoveTakesExactlyIt) {
    QDir().mkpath(folder());
    QFile other(folder() + "/other.desktop");
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    entry.add("cursovia", {"/usr/bin/cursovia", {}});
    entry.add("cursovia", {"/usr/bin/cursovia", {}});
    EXPECT_EQ(files(), (QStringList{"cursovia.desktop", "other.desktop"}));
    entry.remove("cursovia");
    EXPECT_EQ(files(), QStringList{"other.desktop"});
    EXPECT_NO_THROW(entry.remove("cursovia"));
}

TEST_F(AutostartEntry, AFolderThatCannotBeMadeFailsWithTheEntrysPath) {
    qputenv("XDG_CONFIG_HOME", "/dev/null/config");
    try {
        entry.add("cursovia", {"/usr/bin/cursovia", {}});
        ADD_FAILURE() << "no failure reported";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("/dev/null/config/autostart/cursovia.desktop"), std::string::npos)
            << e.what();
    }
}

} // namespace
} // namespace cursovia::qtx11
