// SPDX-License-Identifier: MIT
// The drive list and the two drive reports.
#include "drive/detailsrefresh.h"
#include "drive/driveprobe.h"
#include "text/cp1252.h"
#include "ui/orvaneform.h"
#include "ui/reportlistview.h"

namespace orvane {

void TOrvane_Form::AddDriveRow(int drive, const std::string &model, const TAttrReading &reading)
{
    const int row = HDDs_ListView->appendRow(driveRowTexts(static_cast<std::uint8_t>(drive), model, reading));
    // Every drive found is watched until the user clears its box.
    HDDs_ListView->item(row, 0)->setCheckState(Qt::Checked);
}

void TOrvane_Form::ShowDriveDetails(const std::string &driveText)
{
    ListViewReport diskInfo(*DiskInfo_ListView);
    ListViewReport smartInfo(*SMARTInfo_ListView);
    ::orvane::ShowDriveDetails(m_drives, driveText, diskInfo, smartInfo);
}

void TOrvane_Form::HDDs_ListViewSelectItem(int row, bool /*selected*/)
{
    // Called for the row that lost the selection as well as for the one that got it; the
    // last call decides what the reports show.
    ShowDriveDetails(HDDs_ListView->cellText(row, 0));
}

void TOrvane_Form::SMARTInfo_TabSheetShow()
{
    if (HDDs_ListView->rowCount() == 0) {
        return;
    }
    const QModelIndexList selected = HDDs_ListView->selectionModel()->selectedRows();
    const int row = selected.isEmpty() ? 0 : selected.constFirst().row();
    const std::string caption = HDDs_ListView->cellText(row, 0);
    if (!caption.empty()) {
        ShowDriveDetails(caption);
    }
}

void TOrvane_Form::setColumnWidths()
{
    DiskInfo_ListView->setDesignColumnWidth(0, 200);
    DiskInfo_ListView->setDesignColumnWidth(1, 150);
    const int smart[] = {45, 150, 70, 50, 50};
    for (int column = 0; column < 5; ++column) {
        SMARTInfo_ListView->setDesignColumnWidth(column, smart[column]);
    }
    const int drives[] = {50, 200, 50, 50};
    for (int column = 0; column < 4; ++column) {
        HDDs_ListView->setDesignColumnWidth(column, drives[column]);
    }
}

void TOrvane_Form::probeDrives()
{
    DriveCount = 0;
    for (const ProbedDrive &drive : orvane::probeDrives(m_drives)) {
        ++DriveCount;
        AddDriveRow(drive.number, drive.model, drive.reading);
    }
    if (DriveCount == 0) {
        explainEmptyDriveList();
    }
}

// Disks that are there but cannot be opened (the program runs without the privilege to
// read them) leave the list empty: the log says why, and so does the empty list.
void TOrvane_Form::explainEmptyDriveList()
{
    if (!m_places.driveOpenProblem) {
        return;
    }
    std::string first;
    for (unsigned drive = 0; drive < kProbedDrives; ++drive) {
        const std::string problem = m_places.driveOpenProblem(drive);
        if (!problem.empty()) {
            LogEvent("Drive " + std::to_string(drive) + " cannot be opened: " + problem);
            first = first.empty() ? problem : first;
        }
    }
    if (!first.empty()) {
        HDDs_ListView->setEmptyHint(QString::fromUtf8(cp1252ToUtf8("No drive could be read: " + first)));
    }
}

} // namespace orvane
