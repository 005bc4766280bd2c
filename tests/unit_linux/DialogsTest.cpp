// The dialogs on Qt's offscreen platform, looked at while they are open.
#include "DialogsAdapter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include "fakes/TempFolder.h"

#include <gtest/gtest.h>

namespace cursovia::qtx11 {
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

// Qt reads a filter's patterns from the parentheses that end it; the core's
// pattern for every file is Qt's too.
TEST(Dialogs, FiltersBecomeQtNameFilters) {
    const struct {
        FileFilter filter;
        const char* shown;
    } cases[] = {
        {{"Text Files", {"*.txt"}}, "Text Files (*.txt)"},
        {{"All Files", {EveryFile}}, "All Files (*)"},
        {{"Logs and the rest", {"*.log", EveryFile}}, "Logs and the rest (*.log *)"},
        {{"Dotted", {"*.a.*"}}, "Dotted (*.a.*)"},
    };
    for (const auto& c : cases) EXPECT_EQ(nameFilter(c.filter).toStdString(), c.shown) << c.shown;
}

// The user picks an existing file in the save dialog and is asked first.
TEST(Dialogs, SaveAsksBeforeReplacingAnExistingFile) {
    fakes::TempFolder temp;
    const std::string existing = temp.file("list.txt", "former");
    QWidget window;
    window.show();
    QtDialogs dialogs(window);
    for (const bool replace : {false, true}) {
        SCOPED_TRACE(replace ? "replace" : "keep");
        QString question;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box) return;
                question = box->text();
                box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
            });
            dialog->selectFile(QString::fromStdString(existing));
            QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection); // as the Save button does
            if (dialog->isVisible()) dialog->reject();
        });
        const FileDialogResult result = dialogs.saveFile({"Save Action As", {{"Text Files", {"*.txt"}}}});
        EXPECT_TRUE(question.contains(QStringLiteral("list.txt"))) << question.toStdString();
        EXPECT_EQ(result.outcome, replace ? FileDialogResult::Outcome::Chosen : FileDialogResult::Outcome::Cancelled);
        if (replace) EXPECT_EQ(result.path, existing);
    }
}

} // namespace
} // namespace cursovia::qtx11
