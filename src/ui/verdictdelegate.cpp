// SPDX-License-Identifier: MIT
#include "ui/verdictdelegate.h"

#include "ui/assets.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>

namespace orvane {

namespace {

constexpr int kIconSize = 16;

// The origin of a row as the list reports it, at the design size: the caption's text starts
// after the check box; vertically the origin sits so that the icon, placed with the list's
// offset, stays within the row.
constexpr int kOriginDrop = 3;

} // namespace

VerdictDelegate::VerdictDelegate(int verdictColumn, QPoint iconOffset, bool boldVerdict, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_verdictColumn(verdictColumn)
    , m_iconOffset(iconOffset)
    , m_boldVerdict(boldVerdict)
    , m_ok(VerdictPicture(true))
    , m_bad(VerdictPicture(false))
{
}

CellStyle VerdictDelegate::styleFor(int column, const QString &text, const QPalette &palette) const
{
    if (column != m_verdictColumn) {
        return {palette.color(QPalette::WindowText), false, nullptr};
    }
    const bool ok = text == QLatin1String("OK");
    return {ok ? QColor(0, 128, 0) : QColor(255, 0, 0), m_boldVerdict, ok ? &m_ok : &m_bad};
}

QRect VerdictDelegate::iconRect(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const auto *view = qobject_cast<const QAbstractItemView *>(option.widget);
    if (!view) {
        return {};
    }
    const QModelIndex caption = index.siblingAtColumn(0);
    QStyleOptionViewItem captionOption(option);
    captionOption.rect = view->visualRect(caption);
    initStyleOption(&captionOption, caption);
    const QStyle *style = view->style();
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &captionOption, view);
    const int size = qRound(kIconSize * m_scale);
    const QPoint origin(text.left(), captionOption.rect.top() + qRound(kOriginDrop * m_scale));
    return {origin + m_iconOffset * m_scale, QSize(size, size)};
}

void VerdictDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem cell(option);
    initStyleOption(&cell, index);
    const QPalette &colours = option.widget ? option.widget->palette() : QApplication::palette();
    const CellStyle style = styleFor(index.column(), cell.text, colours);
    cell.palette.setColor(QPalette::Text, style.colour);
    cell.palette.setColor(QPalette::HighlightedText, style.colour);
    cell.font.setBold(style.bold);
    const QWidget *widget = option.widget;
    QStyle *qstyle = widget ? widget->style() : QApplication::style();
    qstyle->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

    // The icon belongs to the verdict cell but lands in the caption's cell; it is drawn
    // whenever either of them is painted, so repainting one cell alone never wipes it.
    const QModelIndex verdict = index.siblingAtColumn(m_verdictColumn);
    if (verdict.isValid() && (index.column() == m_verdictColumn || index.column() == 0)) {
        const CellStyle verdictStyle = styleFor(m_verdictColumn, verdict.data().toString(), colours);
        painter->drawPixmap(iconRect(option, index), *verdictStyle.icon);
    }
}

} // namespace orvane
