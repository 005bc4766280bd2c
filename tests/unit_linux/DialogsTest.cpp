// The dialogs on Qt's offscreen platform, looked at while they are open.
#include "Dialogs.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace cursovia::x11 {
namespace {

// A message box beside the bold window is in the window's font, not the
// desktop's regular one.
TEST(Dialogs, MessageBoxesUseTheWindowsFont) {
    QWidget window;
    QFont bold(QStringLiteral("Arial"), 9);
    bold.setBold(true);
    window.setFont(bold);
    window.show();
    QtDialogs dialogs(window);
    QFont shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shown = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->font();
        box->accept();
    });
    dialogs.messageBox("Must be a numeric entry.", "Cursovia", MessageButtons::Ok, MessageIcon::None);
    EXPECT_TRUE(shown.bold());
    EXPECT_EQ(shown.family(), bold.family());
    EXPECT_EQ(shown.pointSize(), 9);
}

} // namespace
} // namespace cursovia::x11
