// SPDX-License-Identifier: MIT
#include "ui/assets.h"

#include <QBitmap>

namespace orvane {

namespace {

constexpr int kTrayPictureSizes[] = {16, 20, 22, 24, 32, 40, 48, 64, 72};

} // namespace

QPixmap AssetPicture(const QString &name)
{
    return QPixmap(QStringLiteral(":/ui/") + name);
}

QPixmap VerdictPicture(bool ok)
{
    QPixmap picture = AssetPicture(ok ? QStringLiteral("verdict-ok.png") : QStringLiteral("verdict-bad.png"));
    picture.setMask(picture.createMaskFromColor(Qt::black, Qt::MaskInColor));
    return picture;
}

QIcon ListIcon(int index)
{
    return QIcon(AssetPicture(QStringLiteral("icon-%1.png").arg(index)));
}

QIcon WindowIcon()
{
    return QIcon(AssetPicture(QStringLiteral("orvane.png")));
}

QIcon TrayPicture()
{
    QIcon icon;
    for (const int size : kTrayPictureSizes) {
        icon.addPixmap(AssetPicture(QStringLiteral("tray-%1.png").arg(size)));
    }
    return icon;
}

QPixmap BarPicture(const QString &name, bool hover)
{
    return AssetPicture(QStringLiteral("bar-") + name
                        + (hover ? QStringLiteral("-hover.png") : QStringLiteral(".png")));
}

} // namespace orvane
