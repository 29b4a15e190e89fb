#include "ui/assets.h"

#include <QBitmap>

namespace orvane {

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

} // namespace orvane
