// SPDX-License-Identifier: MIT
#include "uitestsupport.h"

#include "text/cp1252.h"
#include "ui/reportlistview.h"

#include <QPlainTextEdit>
#include <cstdlib>

namespace orvane::test {

namespace {

void putModel(SectorBytes &identify, const std::string &model)
{
    // Words 27-46: two characters a word, the first in the high byte; blank padded.
    std::string text = model;
    text.resize(40, ' ');
    for (std::size_t i = 0; i < 40; i += 2) {
        identify[54 + i] = static_cast<std::uint8_t>(text[i + 1]);
        identify[54 + i + 1] = static_cast<std::uint8_t>(text[i]);
    }
}

void putSlot(SectorBytes &attributes, SectorBytes &thresholds, int slot, std::uint8_t id, int value, int threshold,
             int raw)
{
    const std::size_t at = 2 + 12 * static_cast<std::size_t>(slot);
    attributes[at] = id;
    attributes[at + 1] = 0x22;
    attributes[at + 3] = static_cast<std::uint8_t>(value);
    attributes[at + 4] = static_cast<std::uint8_t>(value);
    attributes[at + 5] = static_cast<std::uint8_t>(raw % 256);
    attributes[at + 6] = static_cast<std::uint8_t>(raw / 256);
    thresholds[at] = id;
    thresholds[at + 1] = static_cast<std::uint8_t>(threshold);
}

} // namespace

DriveRecording MadeDrive(const std::string &model, std::optional<int> celsius, int value, int threshold)
{
    DriveRecording drive;
    drive.deviceMap = 0x01;
    drive.enableOk = true;
    SectorBytes identify{};
    identify[0] = 0x40; // word 0: fixed ATA device
    putModel(identify, model);
    SectorBytes attributes{};
    SectorBytes thresholds{};
    attributes[0] = 0x10;
    thresholds[0] = 0x10;
    putSlot(attributes, thresholds, 0, 5, 100, 36, 0);
    if (celsius) {
        putSlot(attributes, thresholds, 1, 194, value, threshold, *celsius);
    }
    drive.identify = identify;
    drive.attributes = attributes;
    drive.thresholds = thresholds;
    return drive;
}

DeviceHandle WatchedDrives::createFile(const std::string &path)
{
    opened.push_back(path);
    return replay.createFile(path);
}

bool WatchedDrives::deviceIoControl(DeviceHandle handle, std::uint32_t code, std::span<const std::uint8_t> in,
                                    std::span<std::uint8_t> out)
{
    return replay.deviceIoControl(handle, code, in, out);
}

FormHarness::FormHarness()
{
    clock.twentyFourHours = true;
    power.privileges = false;
    eventSources.keys.insert("SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Orvane");
    places.programFolder = (folder.path() / "program").string();
    places.dataFolder = (folder.path() / "share" / "orvane").string();
    places.executablePath = (folder.path() / "program" / "orvane").string();
    std::filesystem::create_directories(places.programFolder);
    std::filesystem::create_directories(places.dataFolder);
    std::filesystem::create_directories(folder.path() / "work");
    m_previousDirectory = std::filesystem::current_path();
    std::filesystem::current_path(folder.path() / "work");
}

FormHarness::~FormHarness()
{
    m_form.reset();
    std::filesystem::current_path(m_previousDirectory);
}

void FormHarness::addDrive(std::uint8_t number, const std::string &model, std::optional<int> celsius, int value,
                           int threshold)
{
    drives.replay.addDrive(number, MadeDrive(model, celsius, value, threshold));
}

TOrvane_Form &FormHarness::create(double screenPpi)
{
    places.screenPpi = screenPpi;
    m_form =
        std::make_unique<TOrvane_Form>(FormServices{transport, dialogs, clock, eventLog, eventSources, mail, sound,
                                                    power, autostart, realTray != nullptr ? *realTray : tray, opener},
                                       places);
    return *m_form;
}

std::vector<std::string> FormHarness::logMessages() const
{
    std::vector<std::string> messages;
    const QStringList lines = m_form->Log_Memo->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const std::string text = utf8ToCp1252(line.toStdString());
        const std::size_t mark = text.find(" * ");
        messages.push_back(mark == std::string::npos ? text : text.substr(mark + 3));
    }
    return messages;
}

std::vector<std::vector<std::string>> FormHarness::rows(const ReportListView &list)
{
    std::vector<std::vector<std::string>> all;
    for (int row = 0; row < list.rowCount(); ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < list.columnCount(); ++column) {
            cells.push_back(list.cellText(row, column));
        }
        all.push_back(cells);
    }
    return all;
}

std::string FormHarness::diskInfo(const std::string &name) const
{
    for (const auto &row : rows(*m_form->DiskInfo_ListView)) {
        if (row.at(0) == name) {
            return row.at(1);
        }
    }
    return {};
}

} // namespace orvane::test
