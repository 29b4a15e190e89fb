// SPDX-License-Identifier: MIT
// The Preferences page: one control per setting, placed at 96 pixels per inch.
#include "ui/assets.h"
#include "ui/orvaneform.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace orvane {

namespace {

QCheckBox *checkBox(QWidget *page, const char *name, const char *caption, QRect geometry)
{
    auto *box = new QCheckBox(QString::fromLatin1(caption), page);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(geometry);
    return box;
}

QLineEdit *edit(QWidget *page, const char *name, const char *text, QRect geometry)
{
    auto *field = new QLineEdit(QString::fromLatin1(text), page);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(geometry);
    return field;
}

QPushButton *button(QWidget *page, const char *name, const char *caption, const char *picture, QRect geometry)
{
    auto *push = new QPushButton(QIcon(AssetPicture(QString::fromLatin1(picture))), QString::fromLatin1(caption), page);
    push->setObjectName(QString::fromLatin1(name));
    push->setGeometry(geometry);
    return push;
}

QLabel *hiddenPicture(QWidget *page, const char *name, bool ok)
{
    auto *picture = new QLabel(page);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setPixmap(VerdictPicture(ok));
    picture->setGeometry(0, 0, 16, 16);
    picture->hide();
    return picture;
}

void createControls(TOrvane_Form &f, QWidget *page)
{
    f.AutoRun_CheckBox = checkBox(page, "AutoRun_CheckBox", "Auto run Orvane at Windows Startup", {6, 16, 397, 17});
    f.LogEvents_CheckBox = checkBox(page, "LogEvents_CheckBox", "Log Events", {6, 36, 397, 17});
    f.SystemLogEvents_CheckBox = checkBox(page, "SystemLogEvents_CheckBox", "Use System Log Events", {6, 56, 397, 17});
    f.DiskStatus_CheckBox =
        checkBox(page, "DiskStatus_CheckBox", "Show disk status in the system tray", {6, 76, 397, 17});
    f.Hibernate_CheckBox = checkBox(page, "Hibernate_CheckBox", "Enable emergency PC hibernation", {6, 96, 397, 17});
    f.TempWarn_CheckBox = checkBox(page, "TempWarn_CheckBox", "Enable Temperature warning at :", {6, 116, 199, 17});
    f.CritTemp_Edit = edit(page, "CritTemp_Edit", "50", {216, 116, 33, 21});
    f.PopupNotify_CheckBox = checkBox(page, "PopupNotify_CheckBox", "Popup Notification", {6, 136, 195, 17});
    f.EmailNotify_CheckBox = checkBox(page, "EmailNotify_CheckBox", "Email Notification", {6, 156, 205, 17});
    f.Email_Edit = edit(page, "Email_Edit", "", {216, 150, 145, 21});
    f.MailTest_Button = button(page, "MailTest_Button", "Test     ", "button-mail.png", {368, 150, 71, 20});
    f.SndFile_CheckBox = checkBox(page, "SndFile_CheckBox", "Play the sound", {6, 176, 205, 17});
    f.SoundPath_Edit = edit(page, "SoundPath_Edit", "alert.wav", {216, 174, 145, 21});
    f.SndBrowse_Button = button(page, "SndBrowse_Button", "Choose", "button-folder.png", {368, 171, 71, 20});
    f.OK_Image = hiddenPicture(page, "OK_Image", true);
    f.BAD_Image = hiddenPicture(page, "BAD_Image", false);
}

// The keyboard order: the boxes top to bottom, then the fields, then the buttons.
void setTabOrder(TOrvane_Form &f)
{
    QWidget *const order[] = {f.AutoRun_CheckBox,     f.LogEvents_CheckBox, f.SystemLogEvents_CheckBox,
                              f.DiskStatus_CheckBox,  f.Hibernate_CheckBox, f.PopupNotify_CheckBox,
                              f.EmailNotify_CheckBox, f.SndFile_CheckBox,   f.TempWarn_CheckBox,
                              f.CritTemp_Edit,        f.Email_Edit,         f.SoundPath_Edit,
                              f.MailTest_Button,      f.SndBrowse_Button};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void connectHandlers(TOrvane_Form &f)
{
    // toggled: runs on every change of state, by the user or the program, and never when a
    // box is set to the state it has.
    const std::pair<QCheckBox *, void (TOrvane_Form::*)()> boxes[] = {
        {f.AutoRun_CheckBox, &TOrvane_Form::AutoRun_CheckBoxClick},
        {f.LogEvents_CheckBox, &TOrvane_Form::LogEvents_CheckBoxClick},
        {f.SystemLogEvents_CheckBox, &TOrvane_Form::SystemLogEvents_CheckBoxClick},
        {f.DiskStatus_CheckBox, &TOrvane_Form::DiskStatus_CheckBoxClick},
        {f.Hibernate_CheckBox, &TOrvane_Form::Hibernate_CheckBoxClick},
        {f.TempWarn_CheckBox, &TOrvane_Form::TempWarn_CheckBoxClick},
        {f.PopupNotify_CheckBox, &TOrvane_Form::PopupNotify_CheckBoxClick},
        {f.EmailNotify_CheckBox, &TOrvane_Form::EmailNotify_CheckBoxClick},
        {f.SndFile_CheckBox, &TOrvane_Form::SndFile_CheckBoxClick},
    };
    for (const auto &[box, handler] : boxes) {
        QObject::connect(box, &QCheckBox::toggled, &f, [&f, handler = handler] { (f.*handler)(); });
    }
    QObject::connect(f.CritTemp_Edit, &QLineEdit::textChanged, &f, [&f] { f.CritTemp_EditChange(); });
    QObject::connect(f.Email_Edit, &QLineEdit::textChanged, &f, [&f] { f.Email_EditChange(); });
    QObject::connect(f.SoundPath_Edit, &QLineEdit::textChanged, &f, [&f] { f.SoundPath_EditChange(); });
    for (QLineEdit *field : {f.CritTemp_Edit, f.Email_Edit, f.SoundPath_Edit}) {
        field->installEventFilter(&f);
    }
    QObject::connect(f.SndBrowse_Button, &QPushButton::clicked, &f, [&f] { f.SndBrowse_ButtonClick(); });
    QObject::connect(f.MailTest_Button, &QPushButton::clicked, &f, [&f] { f.MailTest_ButtonClick(); });
}

} // namespace

void CreatePreferencesPage(TOrvane_Form &form)
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("Preferences_TabSheet"));
    form.Preferences_TabSheet = page;
    createControls(form, page);
    setTabOrder(form);
    connectHandlers(form);
}

} // namespace orvane
