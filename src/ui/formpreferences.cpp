// SPDX-License-Identifier: MIT
// The Preferences page's handlers: each control writes its setting at once and most of
// them log the change.
#include "drive/attributes.h"
#include "monitor/alertmail.h"
#include "monitor/messages.h"
#include "text/cp1252.h"
#include "text/textops.h"
#include "ui/autorun.h"
#include "ui/dialogs.h"
#include "ui/orvaneform.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>
#include <charconv>

namespace orvane {

namespace {

std::string programText(const QLineEdit *field)
{
    return utf8ToCp1252(field->text().toStdString());
}

// Sets a flag from its box and logs "ENABLED ..." or "DISABLE ...".
void keepFlag(TOrvane_Form &form, bool &flag, const QCheckBox *box, const msg::ToggleMessages &messages)
{
    flag = box->isChecked();
    form.LogEvent(messages.forState(flag));
}

// The alert temperature as typed: blanks and control characters around it do not count;
// an optional sign and decimal digits are a number, anything else is -1.
long alertTemperature(const std::string &text)
{
    long value = 0;
    const char *first = text.data();
    const char *last = text.data() + text.size();
    if (first != last && *first == '+') {
        ++first;
    }
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last && first != last ? value : -1;
}

} // namespace

void TOrvane_Form::AutoRun_CheckBoxClick()
{
    const bool ticked = AutoRun_CheckBox->isChecked();
    ticked ? EnableAutoRun() : DisableAutoRun();
    Config.AutoRun = ticked;
}

void TOrvane_Form::LogEvents_CheckBoxClick()
{
    keepFlag(*this, Config.LogEvents, LogEvents_CheckBox, msg::kLogEvents);
}

void TOrvane_Form::SystemLogEvents_CheckBoxClick()
{
    Config.SystemLog = SystemLogEvents_CheckBox->isChecked();
}

void TOrvane_Form::DiskStatus_CheckBoxClick()
{
    keepFlag(*this, Config.DiskStatus, DiskStatus_CheckBox, msg::kDiskStatus);
}

void TOrvane_Form::Hibernate_CheckBoxClick()
{
    keepFlag(*this, Config.Hibernation, Hibernate_CheckBox, msg::kHibernation);
}

void TOrvane_Form::TempWarn_CheckBoxClick()
{
    const bool ticked = TempWarn_CheckBox->isChecked();
    Config.TempWarn = ticked;
    // Switching on starts a full interval.
    ticked ? CheckTemp_Timer->start() : CheckTemp_Timer->stop();
    LogEvent(msg::kTemperatureWarning.forState(ticked));
}

void TOrvane_Form::PopupNotify_CheckBoxClick()
{
    keepFlag(*this, Config.PopupNotification, PopupNotify_CheckBox, msg::kPopupNotification);
}

void TOrvane_Form::EmailNotify_CheckBoxClick()
{
    keepFlag(*this, Config.EmailNotification, EmailNotify_CheckBox, msg::kEmailNotification);
}

void TOrvane_Form::SndFile_CheckBoxClick()
{
    keepFlag(*this, Config.PlaySound, SndFile_CheckBox, msg::kPlaySound);
}

void TOrvane_Form::CritTemp_EditChange()
{
    Config.Temp = programText(CritTemp_Edit);
}

void TOrvane_Form::CritTemp_EditExit()
{
    const std::string text = std::string(trimmed(programText(CritTemp_Edit)));
    if (text.empty()) {
        return;
    }
    const long value = alertTemperature(text);
    if (value < 0 || value > 100) {
        m_dialogs.showMessage("Error! Temp Warning must be in [0..100]");
        m_refocusing = true;
        CritTemp_Edit->setFocus(Qt::OtherFocusReason);
        m_refocusing = false;
        return;
    }
    CritTemp = static_cast<std::uint8_t>(value);
    LogEvent(msg::changedMaxTemperature(static_cast<std::int32_t>(value)));
}

void TOrvane_Form::Email_EditChange()
{
    Config.EmailAddr = programText(Email_Edit);
}

void TOrvane_Form::Email_EditExit()
{
    LogEvent(msg::changedEmailAddress(Config.EmailAddr));
}

void TOrvane_Form::SoundPath_EditChange()
{
    Config.SoundPath = programText(SoundPath_Edit);
}

void TOrvane_Form::SoundPath_EditExit()
{
    LogEvent(msg::changedSoundFile(Config.SoundPath));
}

void TOrvane_Form::SndBrowse_ButtonClick()
{
    if (const std::optional<std::string> file = m_dialogs.chooseSoundFile()) {
        SoundPath_Edit->setText(QString::fromUtf8(cp1252ToUtf8(*file)));
    }
}

void TOrvane_Form::MailTest_ButtonClick()
{
    // Always drive 0, ticked or not; the box says whether the library accepted the mail.
    const TemperatureReader readTemperature = [this](std::uint8_t drive) { return ReadTemperature(m_drives, drive); };
    sendTestMail(Config.EmailAddr, readTemperature, m_mail, m_dialogs);
}

void TOrvane_Form::EnableAutoRun()
{
    LogEvent(msg::kAutorun.enabled);
    m_autostart.write(m_places.executablePath);
}

void TOrvane_Form::DisableAutoRun()
{
    LogEvent(msg::kAutorun.disabled);
    m_autostart.remove();
}

} // namespace orvane
