#include "DialogsAdapter.h"

#include "LineBreaks.h"

#include <QFileDialog>
#include <QMessageBox>

namespace cursovia::qtx11 {

QString nameFilter(const FileFilter& filter) {
    QStringList patterns;
    for (const std::string& pattern : filter.patterns) patterns.push_back(QString::fromStdString(pattern));
    return QString::fromStdString(filter.description) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
           QLatin1Char(')');
}

QWidget* QtDialogs::owner() const { return mainWindow_.isVisible() ? &mainWindow_ : nullptr; }

MessageAnswer QtDialogs::messageBox(const std::string& text, const std::string& title, MessageButtons buttons,
                                    MessageIcon icon) {
    const bool yesNo = buttons == MessageButtons::YesNo;
    QMessageBox box(icon == MessageIcon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
                    QString::fromStdString(title), withQtLineBreaks(text),
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, owner());
    box.setTextFormat(Qt::PlainText);
    // The window's own font: the desktop's regular one looks foreign beside it.
    box.setFont(mainWindow_.font());
    const int answer = box.exec();
    if (!yesNo) return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

FileDialogResult QtDialogs::runFileDialog(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(owner(), QString::fromStdString(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QStringList filters;
    for (const FileFilter& filter : request.filters) filters.push_back(nameFilter(filter));
    dialog.setNameFilters(filters);
    FileDialogResult result;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return result;
    result.outcome = FileDialogResult::Outcome::Chosen;
    result.path = QFile::encodeName(dialog.selectedFiles().front()).toStdString();
    return result;
}

FileDialogResult QtDialogs::openFile(const FileDialogRequest& request) { return runFileDialog(request, false); }

FileDialogResult QtDialogs::saveFile(const FileDialogRequest& request) { return runFileDialog(request, true); }

} // namespace cursovia::qtx11
