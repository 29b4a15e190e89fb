// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>
#include <QPixmap>
#include <functional>

class QMenu;

namespace orvane {

// A picture that lights up while the mouse is over it: on entering, the picture shown is
// saved and OverBitmap shown instead; on leaving, the saved picture comes back. Both
// pictures are the control's own copies. It shows the hand cursor, sizes itself to its
// picture and stretches the picture when the window scales it.
class TRolloverImage : public QLabel
{
    Q_OBJECT
public:
    explicit TRolloverImage(const QString &name, QWidget *parent = nullptr);

    // The normal picture; the control takes its size.
    void setPicture(const QPixmap &picture);
    [[nodiscard]] QPixmap picture() const { return pixmap(); }

    // Copies `over` into the control's own hover picture.
    void setOverBitmap(const QPixmap &over);
    [[nodiscard]] const QPixmap &OverBitmap() const { return m_over; }

    std::function<void()> OnClick; // a left click; empty: none
    QMenu *PopupMenu = nullptr; // the context menu, opened by a right click

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QPixmap m_over;
    QPixmap m_saved; // the normal picture while the mouse is over the control
};

} // namespace orvane
