// SPDX-License-Identifier: MIT
// The drive list: selection drives the two reports; verdict cells are drawn in colour.
#include "ui/reportlistview.h"
#include "ui/verdictdelegate.h"
#include "uitestsupport.h"

#include <QApplication>
#include <QHeaderView>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace orvane::test {
namespace {

const std::string kDrive0 = "\\\\.\\PhysicalDrive0";
const std::string kDrive2 = "\\\\.\\PhysicalDrive2";
const std::string kDrive3 = "\\\\.\\PhysicalDrive3";

class DriveList : public ::testing::Test
{
protected:
    void SetUp() override
    {
        h.addDrive(0, "First", 30);
        h.addDrive(2, "Second", 40);
        h.addDrive(3, "Third", 50);
        form = &h.create();
        form->FormCreate();
        h.drives.opened.clear();
    }
    std::string shownModel() const
    {
        std::string model = h.diskInfo("Model number");
        return model.substr(0, model.find(' '));
    }

    FormHarness h;
    TOrvane_Form *form = nullptr;
};

TEST_F(DriveList, SelectionChangeShowsTheRowLosingItThenTheRowGettingIt)
{
    form->HDDs_ListView->selectRow(0);
    EXPECT_EQ(h.drives.opened, std::vector<std::string>{kDrive0});
    h.drives.opened.clear();
    form->HDDs_ListView->selectRow(1);
    EXPECT_EQ(h.drives.opened, (std::vector<std::string>{kDrive0, kDrive2}));
    EXPECT_EQ(shownModel(), "Second");
}

TEST_F(DriveList, KeyboardMovesAreSelectionChanges)
{
    form->show();
    form->HDDs_ListView->setFocus();
    form->HDDs_ListView->selectRow(0);
    h.drives.opened.clear();
    QTest::keyClick(form->HDDs_ListView, Qt::Key_Down);
    QTest::keyClick(form->HDDs_ListView, Qt::Key_Down);
    EXPECT_EQ(h.drives.opened, (std::vector<std::string>{kDrive0, kDrive2, kDrive2, kDrive3}));
    EXPECT_EQ(shownModel(), "Third");
}

TEST_F(DriveList, TickingABoxIsNoSelectionChange)
{
    form->HDDs_ListView->selectRow(0);
    h.drives.opened.clear();
    form->HDDs_ListView->item(1, 0)->setCheckState(Qt::Unchecked);
    form->HDDs_ListView->item(0, 0)->setCheckState(Qt::Unchecked);
    EXPECT_TRUE(h.drives.opened.empty());
}

TEST_F(DriveList, SmartInfoPageShowsTheSelectedRowOrTheFirst)
{
    form->Main_PageControl->setCurrentWidget(form->SMARTInfo_TabSheet);
    EXPECT_EQ(h.drives.opened, std::vector<std::string>{kDrive0});

    form->Main_PageControl->setCurrentWidget(form->DiskInfo_TabSheet);
    form->HDDs_ListView->selectRow(2);
    h.drives.opened.clear();
    form->Main_PageControl->setCurrentWidget(form->SMARTInfo_TabSheet);
    EXPECT_EQ(h.drives.opened, std::vector<std::string>{kDrive3});
    // Drive 3's attribute rows: 5 and the temperature.
    ASSERT_EQ(form->SMARTInfo_ListView->rowCount(), 2);
    EXPECT_EQ(form->SMARTInfo_ListView->cellText(1, 5), "50");
}

TEST(DriveListEmpty, SmartInfoPageChangesNothingWithoutDrives)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    form.FormCreate();
    h.drives.opened.clear();
    form.Main_PageControl->setCurrentWidget(form.SMARTInfo_TabSheet);
    EXPECT_TRUE(h.drives.opened.empty());
}

TEST(DriveListPages, PagesInOrderWithTheInformationTabHidden)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    QTabWidget &pages = *form.Main_PageControl;
    ASSERT_EQ(pages.count(), 5);
    const char *captions[] = {"Disk Info", "SMART Info", "Preferences", "Log", "About"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(pages.tabText(i).toStdString(), captions[i]);
        EXPECT_EQ(pages.isTabVisible(i), i != 4) << i;
    }
    EXPECT_EQ(pages.widget(4), form.about_TabSheet);
    const auto *header = form.HDDs_ListView->horizontalHeader();
    EXPECT_FALSE(header->sectionsClickable());
    EXPECT_EQ(form.HDDs_ListView->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(form.HDDs_ListView->selectionBehavior(), QAbstractItemView::SelectRows);
}

// Which cells of a rendered list hold a colour exactly.
int pixelsOf(const QImage &image, const QRect &area, QColor colour)
{
    int count = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            count += image.pixelColor(x, y).rgb() == colour.rgb();
        }
    }
    return count;
}

const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kTick(0x16, 0xa3, 0x4a);
const QColor kCross(0xdc, 0x26, 0x26);

TEST(VerdictDrawing, GreenTickForOkRedCrossOtherwiseReadBackFromTheScreen)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    form.AddDriveRow(0, "Good", {35, 0, 100, 100});
    form.AddDriveRow(1, "Worn", {35, 40, 40, 40});
    form.show();
    ReportListView &list = *form.HDDs_ListView;
    list.setFixedHeight(120);
    QApplication::processEvents();
    const QImage image = list.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto cell = [&](int row, int column) { return list.visualRect(list.model()->index(row, column)); };

    EXPECT_GT(pixelsOf(image, cell(0, 3), kGreen), 0);
    EXPECT_EQ(pixelsOf(image, cell(0, 3), kRed), 0);
    EXPECT_GT(pixelsOf(image, cell(1, 3), kRed), 0);
    EXPECT_EQ(pixelsOf(image, cell(1, 3), kGreen), 0);
    // The pictures land in the caption's cell, with their black made transparent.
    EXPECT_GT(pixelsOf(image, cell(0, 0), kTick), 10);
    EXPECT_EQ(pixelsOf(image, cell(0, 0), kCross), 0);
    EXPECT_GT(pixelsOf(image, cell(1, 0), kCross), 10);
    auto *delegate = qobject_cast<VerdictDelegate *>(list.itemDelegate());
    QStyleOptionViewItem option;
    option.widget = &list;
    const QRect icon = delegate->iconRect(option, list.model()->index(0, 3));
    EXPECT_TRUE(cell(0, 0).contains(icon)) << "the icon stays in the caption's cell";
    EXPECT_EQ(pixelsOf(image, icon, Qt::black), 0);
    // Every other cell is in the window-text colour.
    for (int row = 0; row < 2; ++row) {
        for (int column = 1; column < 3; ++column) {
            EXPECT_EQ(pixelsOf(image, cell(row, column), kGreen) + pixelsOf(image, cell(row, column), kRed), 0);
        }
    }
    image.save(QStringLiteral(ORVANE_SCREENSHOTS "/drive-list-verdicts.png"));
}

struct StyleCase
{
    int column;
    const char *text;
    bool driveList;
    QColor colour; // invalid: the window-text colour
    bool bold;
    bool tick;
    bool icon;
};

TEST(VerdictDrawing, CellStyles)
{
    const StyleCase cases[] = {
        {3, "OK", true, kGreen, true, true, true},       {3, "BAD", true, kRed, true, false, true},
        {3, "ok", true, kRed, true, false, true},        {3, "OK ", true, kRed, true, false, true},
        {3, "", true, kRed, true, false, true},          {1, "OK", true, QColor(), false, false, false},
        {2, "BAD", true, QColor(), false, false, false}, {6, "OK", false, kGreen, false, true, true},
        {6, "BAD", false, kRed, false, false, true},     {5, "OK", false, QColor(), false, false, false},
    };
    VerdictDelegate drives(3, {13, -2}, true, nullptr);
    VerdictDelegate smart(6, {20, -3}, false, nullptr);
    QPalette palette;
    palette.setColor(QPalette::WindowText, QColor(1, 2, 3));
    for (const StyleCase &c : cases) {
        const VerdictDelegate &delegate = c.driveList ? drives : smart;
        const CellStyle style = delegate.styleFor(c.column, QString::fromLatin1(c.text), palette);
        const QColor expected = c.colour.isValid() ? c.colour : QColor(1, 2, 3);
        EXPECT_EQ(style.colour, expected) << c.column << " " << c.text;
        EXPECT_EQ(style.bold, c.bold) << c.column << " " << c.text;
        ASSERT_EQ(style.icon != nullptr, c.icon) << c.column << " " << c.text;
        if (c.icon) {
            const QImage picture = style.icon->toImage();
            EXPECT_EQ(pixelsOf(picture, picture.rect(), c.tick ? kTick : kCross) > 0, true) << c.text;
        }
    }
}

} // namespace
} // namespace orvane::test
