// SPDX-License-Identifier: MIT
// The Log page: every log line, and the buttons that save and clear them.
#include "monitor/activitylog.h"
#include "text/cp1252.h"
#include "ui/dialogs.h"
#include "ui/memologpage.h"
#include "ui/orvaneform.h"

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace orvane {

void CreateLogPage(TOrvane_Form &form)
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Log_TabSheet"));
    form.Log_TabSheet = page;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    form.Log_Memo = new QPlainTextEdit(page);
    form.Log_Memo->setObjectName(QStringLiteral("Log_Memo"));
    form.Log_Memo->setReadOnly(true);
    form.Log_Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    form.Log_Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    layout->addWidget(form.Log_Memo, 1);

    form.Log_GroupBox = new QGroupBox(QStringLiteral("Logs Control"), page);
    form.Log_GroupBox->setObjectName(QStringLiteral("Log_GroupBox"));
    form.Log_GroupBox->setFixedHeight(49);
    layout->addWidget(form.Log_GroupBox);
    form.Save_Button = new QPushButton(QStringLiteral("&Save"), form.Log_GroupBox);
    form.Save_Button->setObjectName(QStringLiteral("Save_Button"));
    form.Save_Button->setGeometry(6, 18, 75, 25);
    form.Clear_Button = new QPushButton(QStringLiteral("&Clear"), form.Log_GroupBox);
    form.Clear_Button->setObjectName(QStringLiteral("Clear_Button"));
    form.Clear_Button->setGeometry(84, 18, 75, 25);
    QObject::connect(form.Save_Button, &QPushButton::clicked, &form, [&form] { form.Save_ButtonClick(); });
    QObject::connect(form.Clear_Button, &QPushButton::clicked, &form, [&form] { form.Clear_ButtonClick(); });
}

void MemoLogPage::appendLine(const std::string &line)
{
    m_memo.appendPlainText(QString::fromUtf8(cp1252ToUtf8(line)));
}

void MemoLogPage::clear()
{
    m_memo.clear();
}

std::vector<std::string> MemoLogPage::lines() const
{
    std::vector<std::string> all;
    if (m_memo.document()->isEmpty()) {
        return all;
    }
    for (const QString &line : m_memo.toPlainText().split(QLatin1Char('\n'))) {
        all.push_back(utf8ToCp1252(line.toStdString()));
    }
    return all;
}

void TOrvane_Form::LogEvent(std::string_view message)
{
    m_log->LogEvent(message);
}

void TOrvane_Form::Save_ButtonClick()
{
    const std::optional<std::filesystem::path> file = m_dialogs.chooseLogFile();
    if (!file) {
        return;
    }
    try {
        m_log->Save(*file);
    } catch (const LogSaveError &error) {
        m_dialogs.showMessage(error.what());
    }
}

void TOrvane_Form::Clear_ButtonClick()
{
    m_log->Clear();
}

} // namespace orvane
