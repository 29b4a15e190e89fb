// SPDX-License-Identifier: MIT
#include "ui/qtdialogs.h"

#include "text/cp1252.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace orvane {

namespace {

QString fromProgram(const std::string &text)
{
    return QString::fromUtf8(cp1252ToUtf8(text));
}

std::optional<QString> runFileDialog(QFileDialog &dialog)
{
    // Qt's own dialog everywhere, so the filters behave alike on every desktop; Qt matches
    // them without regard to case, so "*.wav" also finds "ALERT.WAV".
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace

void PrepareMessageBox(QMessageBox &box, const std::string &text)
{
    box.setWindowTitle(QCoreApplication::applicationName());
    box.setTextFormat(Qt::PlainText);
    box.setText(fromProgram(text));
    box.setStandardButtons(QMessageBox::Ok);
}

void QtDialogs::showMessage(const std::string &text)
{
    QMessageBox box(QApplication::activeWindow());
    PrepareMessageBox(box, text);
    box.exec();
}

std::optional<std::string> QtDialogs::chooseSoundFile()
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("Wave File (*.wav)"));
    const std::optional<QString> file = runFileDialog(dialog);
    return file ? std::optional(utf8ToCp1252(file->toStdString())) : std::nullopt;
}

std::optional<std::filesystem::path> QtDialogs::chooseLogFile()
{
    // A new file name is accepted: the log is usually saved to a file that does not exist yet.
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Log File (*.txt)"));
    dialog.setDefaultSuffix(QString());
    const std::optional<QString> file = runFileDialog(dialog);
    return file ? std::optional(std::filesystem::path(file->toStdString())) : std::nullopt;
}

} // namespace orvane
