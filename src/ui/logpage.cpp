// The Log page: every log line, and the buttons that save and clear them.
#include "text/cp1252.h"
#include "ui/dialogs.h"
#include "ui/logstamp.h"
#include "ui/orvaneform.h"

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

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

void TOrvane_Form::LogEvent(const std::string &message)
{
    const std::string line = LogStamp(m_clock.now(), m_dateFormat) + " * " + message;
    Log_Memo->appendPlainText(QString::fromUtf8(cp1252ToUtf8(line)));
}

void TOrvane_Form::Save_ButtonClick()
{
    const std::optional<std::string> file = m_dialogs.chooseLogFile();
    if (!file) {
        return;
    }
    try {
        std::ofstream out(*file, std::ios::binary | std::ios::trunc);
        if (!out) {
            const std::string reason = std::strerror(errno);
            throw std::runtime_error(
                "Cannot create file \"" + std::filesystem::absolute(*file).string() + "\". " + reason);
        }
        const QString text = Log_Memo->toPlainText();
        if (!text.isEmpty()) {
            for (const QString &line : text.split(QLatin1Char('\n'))) {
                out << utf8ToCp1252(line.toStdString()) << "\r\n";
            }
        }
    } catch (const std::exception &error) {
        m_dialogs.showMessage(error.what());
    }
}

void TOrvane_Form::Clear_ButtonClick()
{
    Log_Memo->clear();
}

} // namespace orvane
