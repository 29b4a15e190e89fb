// SPDX-License-Identifier: MIT
#pragma once

#include "drive/reportlist.h"

#include <QTableWidget>
#include <vector>

namespace orvane {

class VerdictDelegate;

// One column of a report list as the window lays it out, at 96 pixels per inch.
struct ReportColumn
{
    QString caption;
    int width = 0; // 0: the list's default width
    bool autoSize = false; // shares the room left by the fixed columns
};

// The window's report lists (drive list, Disk Info, S.M.A.R.T. Info): a report view with
// headers and grid lines, whole-row selection that stays visible without the focus, no
// editing, headers that cannot be clicked, no border.
class ReportListView : public QTableWidget
{
    Q_OBJECT
public:
    ReportListView(const QString &name, const std::vector<ReportColumn> &columns, QWidget *parent);

    // Rows get a check box in front of their caption.
    void setCheckBoxes(bool on) { m_checkBoxes = on; }
    [[nodiscard]] bool checkBoxes() const { return m_checkBoxes; }

    // Appends a row of Windows-1252 cell texts, the caption first; yields its index.
    int appendRow(const std::vector<std::string> &cells);

    // The cell text as the program holds it (Windows-1252); empty for a missing cell.
    [[nodiscard]] std::string cellText(int row, int column) const;

    // Rewrites the text of an existing cell (Windows-1252); a missing cell is left alone.
    void setCellText(int row, int column, const std::string &text);

    // Width of a column in pixels at 96 pixels per inch; scaled like the rest of the window.
    void setDesignColumnWidth(int column, int width);

    // Sizes on screen are the design sizes times this factor.
    void setScale(double scale);
    [[nodiscard]] double scale() const { return m_scale; }

    void setVerdictDelegate(VerdictDelegate *delegate);

    // A line drawn in the list while it has no row (why it is empty), as plain text; empty
    // text draws nothing.
    void setEmptyHint(const QString &hint);
    [[nodiscard]] const QString &emptyHint() const { return m_emptyHint; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int scaled(int value) const { return qRound(value * m_scale); }

    std::vector<ReportColumn> m_columns;
    bool m_checkBoxes = false;
    double m_scale = 1.0;
    QString m_emptyHint;
};

// A report list seen from the drive code.
class ListViewReport : public ReportList
{
public:
    explicit ListViewReport(ReportListView &view)
        : m_view(view)
    {
    }
    void clear() override;
    void addRow(const std::vector<std::string> &cells) override;

private:
    ReportListView &m_view;
};

} // namespace orvane
