// SPDX-License-Identifier: MIT
// orvane-demo: the window on recorded drives, so that it can be tried on any machine.
//
//   orvane-demo [--drives FOLDER] [--screenshot FILE.png]
//
// Without --drives, four of the shipped recordings stand in for drives 0 to 3: a healthy
// disk, a worn one (a BAD attribute on its SMART Info page), one that runs hot and a failed
// NVMe drive (BAD in the list: its health log carries a critical warning). With --drives,
// the first four recordings (*.rec, in name order) of FOLDER do.
#include "monitor/power.h"
#include "platform/replay/replaydrivecontrol.h"
#include "platform/systemservices.h"
#include "ui/app/appwindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <cstdio>
#include <memory>
#include <utility>

namespace {

// The demo's power back-end: it says what it would do and does nothing, so that a demo
// never switches anybody's machine off.
class LoggingPower : public orvane::PowerApi
{
public:
    [[nodiscard]] bool hasPrivileges() const override { return false; }
    [[nodiscard]] orvane::TokenHandle openProcessToken(std::uint32_t) override { return orvane::kNoToken; }
    [[nodiscard]] bool lookupPrivilegeValue(const std::string &, std::uint64_t &) override { return false; }
    bool adjustTokenPrivileges(orvane::TokenHandle, std::uint64_t, std::uint32_t) override { return false; }
    [[nodiscard]] bool exitWindowsEx(std::uint32_t flags, std::uint32_t) override
    {
        std::fprintf(stderr, "orvane-demo: would shut the computer down now (flags %u)\n", flags);
        return false;
    }
    bool setSuspendState(bool hibernate, bool, bool) override
    {
        std::fprintf(stderr, "orvane-demo: would %s the computer now\n", hibernate ? "hibernate" : "suspend");
        return false;
    }
    [[nodiscard]] std::string lastErrorText() const override { return "the demo only says what it would do"; }
};

} // namespace

int main(int argc, char **argv)
{
    orvane::PrepareApplication();
    QApplication app(argc, argv);
    QCommandLineParser options;
    options.addHelpOption();
    options.addOption({QStringLiteral("drives"), QStringLiteral("Folder of drive recordings."),
                       QStringLiteral("folder"), QStringLiteral(ORVANE_DRIVES_DIR)});
    options.addOption({QStringLiteral("screenshot"), QStringLiteral("Save the screen to this file and quit."),
                       QStringLiteral("file")});
    options.process(app);

    auto drives = std::make_unique<orvane::ReplayDriveControl>();
    const bool shipped = !options.isSet(QStringLiteral("drives"));
    const QDir folder(shipped ? QStringLiteral(ORVANE_DRIVES_DIR) : options.value(QStringLiteral("drives")));
    const QStringList recordings = shipped
        ? QStringList{QStringLiteral("wdc-wd10ezex.rec"), QStringLiteral("failing-st2000dm001.rec"),
                      QStringLiteral("hot-hitachi-hcc543232a7a380.rec"),
                      QStringLiteral("failed-nvme-crucial-ct4000p3pssd8.rec")}
        : folder.entryList({QStringLiteral("*.rec")}, QDir::Files, QDir::Name);
    try {
        for (std::uint8_t number = 0; number < 4 && number < recordings.size(); ++number) {
            drives->addDrive(number, orvane::loadRecording(folder.filePath(recordings[number]).toStdString()));
        }
    } catch (const orvane::RecordingError &error) {
        std::fprintf(stderr, "orvane-demo: %s\n", error.what());
        return 1;
    }
    if (recordings.isEmpty()) {
        std::fprintf(stderr, "orvane-demo: no drive recordings in %s\n", qPrintable(folder.path()));
    }
    // This machine's back-ends, but recorded drives and a power back-end that only talks.
    orvane::SystemServices services = orvane::createSystemServices();
    services.drives = std::move(drives);
    services.driveOpenProblem = nullptr; // recorded drives always open
    services.power = std::make_unique<LoggingPower>();
    orvane::RunOptions run;
    run.screenshotFile = options.value(QStringLiteral("screenshot"));
    run.diskStatusOnFirstStart = true; // the demo shows its drives in the tray's balloon
    return orvane::RunMainWindow(app, services, run);
}
