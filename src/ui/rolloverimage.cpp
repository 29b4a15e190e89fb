// SPDX-License-Identifier: MIT
#include "ui/rolloverimage.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>

namespace orvane {

TRolloverImage::TRolloverImage(const QString &name, QWidget *parent)
    : QLabel(parent)
{
    setObjectName(name);
    setCursor(Qt::PointingHandCursor);
    setScaledContents(true);
}

void TRolloverImage::setPicture(const QPixmap &picture)
{
    setPixmap(picture.copy());
    setFixedSize(picture.size());
}

void TRolloverImage::setOverBitmap(const QPixmap &over)
{
    m_over = over.copy();
    update();
}

void TRolloverImage::enterEvent(QEnterEvent *event)
{
    m_saved = pixmap().copy();
    setPixmap(m_over);
    QLabel::enterEvent(event);
}

void TRolloverImage::leaveEvent(QEvent *event)
{
    if (!m_saved.isNull()) { // a leave without an enter keeps the picture
        setPixmap(m_saved);
    }
    QLabel::leaveEvent(event);
}

void TRolloverImage::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick) {
        OnClick();
    }
    QLabel::mouseReleaseEvent(event);
}

void TRolloverImage::contextMenuEvent(QContextMenuEvent *event)
{
    if (PopupMenu != nullptr) {
        PopupMenu->popup(event->globalPos());
        event->accept();
        return;
    }
    QLabel::contextMenuEvent(event);
}

} // namespace orvane
