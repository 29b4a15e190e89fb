// SPDX-License-Identifier: MIT
// Start-up and shutdown of the window.
#include "monitor/fisnteventlog.h"
#include "monitor/messages.h"
#include "settings/fileio.h"
#include "settings/loadconfig.h"
#include "text/cp1252.h"
#include "ui/dialogs.h"
#include "ui/orvaneform.h"
#include "ui/reportlistview.h"
#include "ui/scaling.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <functional>

namespace orvane {

namespace {

constexpr double kDesignPpi = 96.0;

// The Preferences page as loading the settings sees it. Setting a box runs its click
// handler when its state changes; setting a field runs its change handler.
class FormPreferences : public SettingsSink
{
public:
    explicit FormPreferences(TOrvane_Form &form)
        : m_form(form)
    {
    }

    void showFlag(ConfigFlag flag, bool on) override { checkBox(flag)->setChecked(on); }

    void showText(ConfigText field, const std::string &text) override
    {
        QLineEdit *edit = field == ConfigText::Temp ? m_form.CritTemp_Edit
            : field == ConfigText::EmailAddr        ? m_form.Email_Edit
                                                    : m_form.SoundPath_Edit;
        edit->setText(QString::fromUtf8(cp1252ToUtf8(text)));
    }

private:
    QCheckBox *checkBox(ConfigFlag flag) const
    {
        switch (flag) {
        case ConfigFlag::AutoRun:
            return m_form.AutoRun_CheckBox;
        case ConfigFlag::LogEvents:
            return m_form.LogEvents_CheckBox;
        case ConfigFlag::SystemLog:
            return m_form.SystemLogEvents_CheckBox;
        case ConfigFlag::DiskStatus:
            return m_form.DiskStatus_CheckBox;
        case ConfigFlag::Hibernation:
            return m_form.Hibernate_CheckBox;
        case ConfigFlag::TempWarn:
            return m_form.TempWarn_CheckBox;
        case ConfigFlag::PopupNotification:
            return m_form.PopupNotify_CheckBox;
        case ConfigFlag::EmailNotification:
            return m_form.EmailNotify_CheckBox;
        case ConfigFlag::PlaySound:
            break;
        }
        return m_form.SndFile_CheckBox;
    }

    TOrvane_Form &m_form;
};

} // namespace

void TOrvane_Form::FormCreate()
{
    // An error in a step is shown and skips the steps after it; the window opens all the same.
    const std::function<void()> steps[] = {
        [this] { scaleToScreen(); },
        [this] { Main_PageControl->setCurrentIndex(0); },
        // The log's stamp always writes its date as mm/dd/yyyy, whatever the locale says.
        [this] { loadReadme(); },
        [this] {
            LoadConfig();
            Config.TempWarn ? CheckTemp_Timer->start() : CheckTemp_Timer->stop();
        },
        // A refused event source is logged and start-up goes on: the log stays on the Log page.
        [this] {
            if (const auto refused = RegisterSourceOrExplain(fisNTEventLog1)) {
                LogEvent(*refused);
            }
        },
        [this] { setColumnWidths(); },
        [this] { probeDrives(); },
        [this] { ShowDriveDetails("0"); },
        [this] { LogEvent(msg::kOrvaneStarted); },
    };
    try {
        for (const auto &step : steps) {
            step();
        }
    } catch (const std::exception &error) {
        m_dialogs.showMessage(error.what());
    }
}

void TOrvane_Form::FormCloseQuery(bool &canClose)
{
    try {
        SaveConfig();
    } catch (const std::exception &error) {
        m_dialogs.showMessage(error.what());
        canClose = false;
    }
}

void TOrvane_Form::EndForSystem()
{
    bool saved = true;
    try {
        SaveConfig();
    } catch (const std::exception &error) {
        // Nobody may be there to answer a box: the program ends all the same.
        saved = false;
        LogEvent(std::string(msg::kSettingsNotSaved) + error.what());
        std::fprintf(stderr, "orvane: %s%s\n", msg::kSettingsNotSaved.data(), cp1252ToUtf8(error.what()).c_str());
    }
    m_endingForSystem = true;
    close();
    // Every event loop ends, also that of a box that is open (the watch's question).
    QCoreApplication::exit(saved ? 0 : 1);
}

void TOrvane_Form::LoadConfig()
{
    FormPreferences controls(*this);
    try {
        ::orvane::LoadConfig(Config, CritTemp, controls);
    } catch (const std::exception &) {
        m_unreadConfig = Config;
        throw;
    }
}

void TOrvane_Form::SaveConfig()
{
    if (m_unreadConfig) {
        // The file that could not be read holds the user's settings: it is replaced only
        // when a setting changed, and then kept beside the new one.
        if (Config == *m_unreadConfig) {
            return;
        }
        const std::string kept = KeepUnreadableConfig();
        if (!kept.empty()) {
            LogEvent(std::string(msg::kUnreadableSettingsKept) + kept);
        }
        m_unreadConfig.reset();
    }
    ::orvane::SaveConfig(Config);
}

void TOrvane_Form::scaleToScreen()
{
    double ppi = m_places.screenPpi;
    if (ppi <= 0) {
        const QScreen *shown = screen();
        ppi = shown ? shown->logicalDotsPerInch() : kDesignPpi;
    }
    if (qFuzzyCompare(ppi, kDesignPpi)) {
        return;
    }
    m_scale = ppi / kDesignPpi;
    ScaleWidgetTree(*this, m_scale);
    for (ReportListView *list : {HDDs_ListView, DiskInfo_ListView, SMARTInfo_ListView}) {
        list->setScale(m_scale);
    }
    Main_PageControl->setIconSize(QSize(qRound(16 * m_scale), qRound(16 * m_scale)));
}

void TOrvane_Form::loadReadme()
{
    // The program's own folder, not the current one: readme.txt ships beside the program,
    // or in the data folder of an installed program.
    for (const std::string &folder : {m_places.programFolder, m_places.dataFolder}) {
        if (folder.empty()) {
            continue;
        }
        const std::filesystem::path path = std::filesystem::path(folder) / "readme.txt";
        std::error_code missing;
        if (!std::filesystem::exists(path, missing)) {
            continue;
        }
        std::string lines = readWholeFile(path);
        std::erase(lines, '\r');
        readmeMemo->setPlainText(QString::fromUtf8(cp1252ToUtf8(lines)));
        return;
    }
}

} // namespace orvane
