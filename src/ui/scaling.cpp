// SPDX-License-Identifier: MIT
#include "ui/scaling.h"

#include <QLayout>
#include <QWidget>

namespace orvane {

namespace {

int scaled(int value, double ratio)
{
    return qRound(value * ratio);
}

void scaleFont(QWidget &widget, double ratio)
{
    QFont font = widget.font();
    if (font.pixelSize() > 0) {
        font.setPixelSize(scaled(font.pixelSize(), ratio));
        widget.setFont(font);
    }
}

bool placedByLayout(const QWidget &widget)
{
    const QWidget *parent = widget.parentWidget();
    return parent && parent->layout() && parent->layout()->indexOf(&widget) >= 0;
}

void scaleFixedSizes(QWidget &widget, double ratio)
{
    if (widget.minimumHeight() == widget.maximumHeight()) {
        widget.setFixedHeight(scaled(widget.minimumHeight(), ratio));
    }
    if (widget.minimumWidth() == widget.maximumWidth()) {
        widget.setFixedWidth(scaled(widget.minimumWidth(), ratio));
    }
}

} // namespace

void ScaleWidgetTree(QWidget &window, double ratio)
{
    // Collect first: setting a font or a geometry must not change the list being walked.
    const QList<QWidget *> children = window.findChildren<QWidget *>();
    scaleFont(window, ratio);
    window.resize(scaled(window.width(), ratio), scaled(window.height(), ratio));
    for (QWidget *child : children) {
        if (child->objectName().isEmpty() || child->isWindow()) {
            continue;
        }
        if (child->testAttribute(Qt::WA_SetFont)) {
            scaleFont(*child, ratio);
        }
        scaleFixedSizes(*child, ratio);
        if (!placedByLayout(*child)) {
            const QRect g = child->geometry();
            child->setGeometry(scaled(g.x(), ratio), scaled(g.y(), ratio), scaled(g.width(), ratio),
                               scaled(g.height(), ratio));
        }
    }
}

} // namespace orvane
