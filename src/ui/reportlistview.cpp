// SPDX-License-Identifier: MIT
#include "ui/reportlistview.h"

#include "text/cp1252.h"
#include "ui/verdictdelegate.h"

#include <QHeaderView>
#include <QPainter>

namespace orvane {

namespace {

constexpr int kDesignRowHeight = 19;

} // namespace

ReportListView::ReportListView(const QString &name, const std::vector<ReportColumn> &columns, QWidget *parent)
    : QTableWidget(0, int(columns.size()), parent)
    , m_columns(columns)
{
    setObjectName(name);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    setFrameShape(QFrame::NoFrame);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    // The selection stays as visible as with the focus when the list loses it.
    QPalette colours = palette();
    colours.setColor(QPalette::Inactive, QPalette::Highlight, colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);

    QStringList captions;
    for (const ReportColumn &column : m_columns) {
        captions << column.caption;
    }
    setHorizontalHeaderLabels(captions);
    setScale(1.0);
}

void ReportListView::setEmptyHint(const QString &hint)
{
    m_emptyHint = hint;
    setToolTip(hint);
    viewport()->update();
}

void ReportListView::paintEvent(QPaintEvent *event)
{
    QTableWidget::paintEvent(event);
    if (rowCount() != 0 || m_emptyHint.isEmpty()) {
        return;
    }
    QPainter painter(viewport());
    const QRect area = viewport()->rect().adjusted(scaled(4), 0, -scaled(4), 0);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     fontMetrics().elidedText(m_emptyHint, Qt::ElideRight, area.width()));
}

void ReportListView::setScale(double scale)
{
    m_scale = scale;
    // The header takes its font from its class, not from the window: keep it the list's.
    horizontalHeader()->setFont(font());
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(scaled(kDesignRowHeight));
    for (int row = 0; row < rowCount(); ++row) {
        setRowHeight(row, scaled(kDesignRowHeight));
    }
    QHeaderView *header = horizontalHeader();
    for (int column = 0; column < int(m_columns.size()); ++column) {
        const ReportColumn &design = m_columns[column];
        header->setSectionResizeMode(column, design.autoSize ? QHeaderView::Stretch : QHeaderView::Interactive);
        if (design.width > 0) {
            header->resizeSection(column, scaled(design.width));
        }
    }
    if (auto *delegate = qobject_cast<VerdictDelegate *>(itemDelegate())) {
        delegate->setScale(scale);
    }
}

void ReportListView::setDesignColumnWidth(int column, int width)
{
    if (column < 0 || column >= int(m_columns.size())) {
        return;
    }
    m_columns[column].width = width;
    horizontalHeader()->resizeSection(column, scaled(width));
}

void ReportListView::setVerdictDelegate(VerdictDelegate *delegate)
{
    delegate->setScale(m_scale);
    setItemDelegate(delegate);
}

int ReportListView::appendRow(const std::vector<std::string> &cells)
{
    const int row = rowCount();
    insertRow(row);
    for (int column = 0; column < columnCount() && column < int(cells.size()); ++column) {
        auto *item = new QTableWidgetItem(QString::fromUtf8(cp1252ToUtf8(cells[column])));
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (column == 0 && m_checkBoxes) {
            flags |= Qt::ItemIsUserCheckable;
            item->setCheckState(Qt::Unchecked);
        }
        item->setFlags(flags);
        setItem(row, column, item);
    }
    return row;
}

std::string ReportListView::cellText(int row, int column) const
{
    const QTableWidgetItem *cell = item(row, column);
    return cell ? utf8ToCp1252(cell->text().toStdString()) : std::string();
}

void ReportListView::setCellText(int row, int column, const std::string &text)
{
    if (QTableWidgetItem *cell = item(row, column)) {
        cell->setText(QString::fromUtf8(cp1252ToUtf8(text)));
    }
}

void ListViewReport::clear()
{
    m_view.setRowCount(0);
}

void ListViewReport::addRow(const std::vector<std::string> &cells)
{
    m_view.appendRow(cells);
}

} // namespace orvane
