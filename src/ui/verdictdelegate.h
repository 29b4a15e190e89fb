// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QPixmap>
#include <QPoint>
#include <QStyledItemDelegate>

namespace orvane {

// How one cell of a list with a verdict column is drawn.
struct CellStyle
{
    QColor colour; // the text colour
    bool bold = false; // bold on top of the list's own font
    const QPixmap *icon{}; // the tick or the cross, drawn at the row's origin; none for other cells
};

// Draws the verdict cells of the drive list and the S.M.A.R.T. Info list: the tick and green
// text (0, 128, 0) for exactly "OK", the cross and red text (255, 0, 0) for anything else,
// the icon placed from the row's origin (the start of the caption's text, after the check
// box) plus an offset. Every other cell is drawn in the window-text colour.
class VerdictDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    VerdictDelegate(int verdictColumn, QPoint iconOffset, bool boldVerdict, QObject *parent);

    [[nodiscard]] CellStyle styleFor(int column, const QString &text, const QPalette &palette) const;

    void setScale(double scale) { m_scale = scale; }

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // Where the icon of a row lands in the list's viewport.
    [[nodiscard]] QRect iconRect(const QStyleOptionViewItem &option, const QModelIndex &index) const;

private:
    int m_verdictColumn;
    QPoint m_iconOffset;
    bool m_boldVerdict;
    QPixmap m_ok;
    QPixmap m_bad;
    double m_scale = 1.0;
};

} // namespace orvane
