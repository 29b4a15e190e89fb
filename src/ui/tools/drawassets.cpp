// SPDX-License-Identifier: MIT
// orvane-drawassets: draws the window's pictures into assets/ui. Run it after changing a
// picture and commit the PNG files it writes; the build only reads the PNG files.
//
//   cmake --build --preset dev --target orvane-drawassets && build/orvane-drawassets assets/ui assets/icons/hicolor
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

const QColor kBandTop(0x1d, 0x2b, 0x3a);
const QColor kBandBottom(0x27, 0x3c, 0x52);
const QColor kAccent(0x3d, 0xa5, 0xf4);
const QColor kWarm(0xf5, 0x9e, 0x0b);

QImage canvas(int width, int height, QColor fill = Qt::transparent)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(fill);
    return image;
}

bool save(const QImage &image, const QDir &dir, const QString &name)
{
    const bool ok = image.save(dir.filePath(name));
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(dir.filePath(name)));
    return ok;
}

// The band behind the header pictures, stretched to the window's width.
void paintBand(QPainter &p, int width, int height)
{
    QLinearGradient band(0, 0, 0, height);
    band.setColorAt(0, kBandTop);
    band.setColorAt(1, kBandBottom);
    p.fillRect(0, 0, width, height, band);
    p.fillRect(0, height - 2, width, 2, kAccent);
}

void drawPlatter(QPainter &p, QPointF centre, double radius)
{
    p.setPen(QPen(QColor(255, 255, 255, 230), radius / 7));
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawEllipse(centre, radius, radius);
    p.setBrush(kAccent);
    p.setPen(Qt::NoPen);
    p.drawEllipse(centre, radius / 3.2, radius / 3.2);
    p.setPen(QPen(kWarm, radius / 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre + QPointF(radius * 0.15, radius * 0.15), centre + QPointF(radius * 0.7, radius * 0.75));
}

QImage band()
{
    QImage image = canvas(16, 55);
    QPainter p(&image);
    paintBand(p, 16, 55);
    return image;
}

// Drawn 4 pixels above the band's top edge, so its content sits 4 pixels low and the
// band's own accent line shows below it.
QImage banner()
{
    QImage image = canvas(395, 55);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, -4, 0, 51);
    band.setColorAt(0, kBandTop);
    band.setColorAt(1, kBandBottom);
    p.fillRect(0, 0, 395, 55, band);
    drawPlatter(p, QPointF(30, 31), 15);
    QFont title(QStringLiteral("Lato"));
    title.setPixelSize(26);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(56, 12, 200, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Orvane"));
    QFont tag(QStringLiteral("Lato"));
    tag.setPixelSize(11);
    p.setFont(tag);
    p.setPen(QColor(0xb8, 0xc7, 0xd6));
    p.drawText(QRectF(170, 22, 220, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("disk health and temperature"));
    return image;
}

// A temperature trace that fades in from the left, following the right edge.
QImage rightPicture()
{
    QImage image = canvas(306, 55);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintBand(p, 306, 55);
    QPainterPath trace;
    const double ys[] = {36, 34, 35, 31, 33, 27, 29, 24, 26, 20, 23, 18, 21, 17};
    for (int i = 0; i < 14; ++i) {
        const QPointF point(40 + i * 19, ys[i]);
        i == 0 ? trace.moveTo(point) : trace.lineTo(point);
    }
    QLinearGradient fade(40, 0, 290, 0);
    fade.setColorAt(0, QColor(61, 165, 244, 0));
    fade.setColorAt(0.6, kAccent);
    fade.setColorAt(1, kWarm);
    p.setPen(QPen(QBrush(fade), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(trace);
    p.setPen(Qt::NoPen);
    p.setBrush(kWarm);
    p.drawEllipse(QPointF(287, 17), 3.5, 3.5);
    return image;
}

// Tick and cross for the verdict cells: hard edges on black, which the window makes
// transparent, so no dark fringe is left around them.
QImage verdict(bool ok)
{
    QImage image = canvas(16, 16, Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (ok) {
        p.setPen(QPen(QColor(0x16, 0xa3, 0x4a), 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.drawPolyline(QPolygon({QPoint(3, 8), QPoint(6, 11), QPoint(12, 4)}));
    } else {
        p.setPen(QPen(QColor(0xdc, 0x26, 0x26), 3, Qt::SolidLine, Qt::SquareCap));
        p.drawLine(4, 4, 11, 11);
        p.drawLine(11, 4, 4, 11);
    }
    return image;
}

using IconPainter = void (*)(QPainter &);

void iconDrive(QPainter &p)
{
    p.setPen(QPen(QColor(0x33, 0x41, 0x55), 1.2));
    p.setBrush(QColor(0xcb, 0xd5, 0xe1));
    p.drawRoundedRect(QRectF(1.5, 4.5, 13, 8), 2, 2);
    p.setBrush(QColor(0x22, 0xc5, 0x5e));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(11.5, 8.5), 1.3, 1.3);
}

void iconThermometer(QPainter &p)
{
    p.setPen(QPen(QColor(0x33, 0x41, 0x55), 1.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(6.5, 1.5, 3, 10), 1.5, 1.5);
    p.setBrush(QColor(0xef, 0x44, 0x44));
    p.drawEllipse(QPointF(8, 12.5), 2.6, 2.6);
}

void iconDiskInfo(QPainter &p)
{
    p.setPen(QPen(QColor(0x1e, 0x40, 0xaf), 1.2));
    p.setBrush(QColor(0xdb, 0xea, 0xfe));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(QColor(0x1e, 0x40, 0xaf));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(8, 8), 2, 2);
}

void iconSmart(QPainter &p)
{
    p.setPen(Qt::NoPen);
    const QColor bars[] = {QColor(0x22, 0xc5, 0x5e), QColor(0x3b, 0x82, 0xf6), QColor(0xf5, 0x9e, 0x0b)};
    const int heights[] = {6, 11, 8};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(bars[i]);
        p.drawRect(QRectF(2 + i * 4.5, 14 - heights[i], 3.2, heights[i]));
    }
    p.setPen(QPen(QColor(0x33, 0x41, 0x55), 1));
    p.drawLine(QPointF(1, 14.5), QPointF(15, 14.5));
}

void iconAbout(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0e, 0xa5, 0xe9));
    p.drawEllipse(QRectF(1, 1, 14, 14));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(8, 4.8), 1.2, 1.2);
    p.drawRect(QRectF(7, 7, 2, 5.5));
}

void iconPreferences(QPainter &p)
{
    p.setPen(QPen(QColor(0x47, 0x55, 0x69), 1.4, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i) {
        p.drawLine(QPointF(2, 3.5 + i * 4.5), QPointF(14, 3.5 + i * 4.5));
    }
    p.setPen(QPen(QColor(0x33, 0x41, 0x55), 1));
    p.setBrush(QColor(0x3b, 0x82, 0xf6));
    const double knobs[] = {10, 5, 8.5};
    for (int i = 0; i < 3; ++i) {
        p.drawEllipse(QPointF(knobs[i], 3.5 + i * 4.5), 1.9, 1.9);
    }
}

void iconLog(QPainter &p)
{
    p.setPen(QPen(QColor(0x47, 0x55, 0x69), 1.1));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(2.5, 1.5, 11, 13), 1.5, 1.5);
    p.setPen(QPen(QColor(0x64, 0x74, 0x8b), 1));
    for (int i = 0; i < 4; ++i) {
        p.drawLine(QPointF(4.5, 4.5 + i * 2.5), QPointF(i == 3 ? 8.5 : 11.5, 4.5 + i * 2.5));
    }
}

void iconMail(QPainter &p)
{
    p.setPen(QPen(QColor(0x33, 0x41, 0x55), 1.1));
    p.setBrush(QColor(0xfe, 0xf3, 0xc7));
    p.drawRect(QRectF(1.5, 3.5, 13, 9));
    p.drawPolyline(QPolygonF({QPointF(1.5, 3.5), QPointF(8, 9), QPointF(14.5, 3.5)}));
}

void iconFolder(QPainter &p)
{
    p.setPen(QPen(QColor(0xb4, 0x53, 0x09), 1.1));
    p.setBrush(QColor(0xfb, 0xbf, 0x24));
    QPainterPath folder;
    folder.moveTo(1.5, 3.5);
    folder.lineTo(6, 3.5);
    folder.lineTo(7.5, 5);
    folder.lineTo(14.5, 5);
    folder.lineTo(14.5, 13.5);
    folder.lineTo(1.5, 13.5);
    folder.closeSubpath();
    p.drawPath(folder);
}

QImage icon16(IconPainter paint)
{
    QImage image = canvas(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    return image;
}

// The program's icon at `size` pixels square: a platter on a rounded tile, in the band's
// colours, drawn on a 32-pixel grid.
QImage programIcon(int size)
{
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    QLinearGradient tile(0, 0, 0, 32);
    tile.setColorAt(0, kBandBottom);
    tile.setColorAt(1, kBandTop);
    p.setBrush(tile);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    drawPlatter(p, QPointF(16, 16), 10);
    return image;
}

// The window's icon: 32 x 32 in 256 colours.
QImage windowIcon()
{
    return programIcon(32).convertToFormat(QImage::Format_Indexed8);
}

// The icon in every size of the desktop's icon theme, as SIZExSIZE/apps/orvane.png under
// `theme` (installed into share/icons/hicolor).
bool saveThemeIcons(const QDir &theme)
{
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        if (!theme.mkpath(folder)
            || !save(programIcon(size), QDir(theme.filePath(folder)), QStringLiteral("orvane.png"))) {
            return false;
        }
    }
    return true;
}

// The tray icon at `size` pixels: the window icon's platter on its tile, with a warm
// temperature mark that stays readable at 16 pixels.
QImage trayIcon(int size)
{
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double unit = size / 32.0;
    QLinearGradient tile(0, 0, 0, size);
    tile.setColorAt(0, kBandBottom);
    tile.setColorAt(1, kBandTop);
    p.setBrush(tile);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(0.5 * unit, 0.5 * unit, 31 * unit, 31 * unit), 6 * unit, 6 * unit);
    drawPlatter(p, QPointF(14 * unit, 15 * unit), 10.5 * unit);
    p.setBrush(kWarm);
    p.drawEllipse(QPointF(25 * unit, 25 * unit), 4.5 * unit, 4.5 * unit);
    return image;
}

// The bottom bar's background, stretched to the window's width: a thin accent line over
// the band's colours.
QImage barBackground()
{
    QImage image = canvas(702, 27);
    QPainter p(&image);
    QLinearGradient band(0, 0, 0, 27);
    band.setColorAt(0, kBandBottom);
    band.setColorAt(1, kBandTop);
    p.fillRect(0, 0, 702, 27, band);
    p.fillRect(0, 0, 702, 1, kAccent);
    return image;
}

QImage barEnd()
{
    QImage image = barBackground().copy(0, 0, 18, 27);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kWarm);
    p.drawEllipse(QPointF(9, 14), 2.5, 2.5);
    return image;
}

// A bar button: its word on the bar's background, lit in the accent colour under the mouse.
QImage barButton(int width, const QString &word, bool lit)
{
    QImage image = barBackground().copy(0, 0, width, 27);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (lit) {
        p.fillRect(1, 3, width - 2, 22, QColor(61, 165, 244, 60));
        p.fillRect(1, 24, width - 2, 2, kAccent);
    }
    QFont font(QStringLiteral("Lato"));
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(lit ? Qt::white : QColor(0xb8, 0xc7, 0xd6));
    p.drawText(QRectF(0, 1, width, 26), Qt::AlignCenter, word);
    return image;
}

bool saveBar(const QDir &dir)
{
    struct Button
    {
        const char *name;
        int width;
        const char *word;
    };
    const Button buttons[] = {{"help", 32, "HELP"},
                              {"support", 54, "SUPPORT"},
                              {"about", 42, "ABOUT"},
                              {"website", 165, "www.example.org"}};
    bool ok = save(barBackground(), dir, QStringLiteral("bar-background.png"))
        && save(barEnd(), dir, QStringLiteral("bar-end.png"));
    for (const Button &button : buttons) {
        const QString name = QStringLiteral("bar-") + QString::fromLatin1(button.name);
        const QString word = QString::fromLatin1(button.word);
        ok = ok && save(barButton(button.width, word, false), dir, name + QStringLiteral(".png"))
            && save(barButton(button.width, word, true), dir, name + QStringLiteral("-hover.png"));
    }
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: orvane-drawassets OUTPUT-FOLDER [ICON-THEME-FOLDER]\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const IconPainter tabs[] = {iconDrive, iconThermometer, iconDiskInfo, iconSmart,
                                iconAbout, iconPreferences, iconLog};
    bool ok = save(band(), dir, QStringLiteral("header-band.png"))
        && save(banner(), dir, QStringLiteral("header-banner.png"))
        && save(rightPicture(), dir, QStringLiteral("header-right.png"))
        && save(verdict(true), dir, QStringLiteral("verdict-ok.png"))
        && save(verdict(false), dir, QStringLiteral("verdict-bad.png"))
        && save(windowIcon(), dir, QStringLiteral("orvane.png"))
        && save(icon16(iconMail), dir, QStringLiteral("button-mail.png"))
        && save(icon16(iconFolder), dir, QStringLiteral("button-folder.png"));
    for (int i = 0; ok && i < 7; ++i) {
        ok = save(icon16(tabs[i]), dir, QStringLiteral("icon-%1.png").arg(i));
    }
    for (const int size : {16, 20, 22, 24, 32, 40, 48, 64, 72}) {
        ok = ok && save(trayIcon(size), dir, QStringLiteral("tray-%1.png").arg(size));
    }
    ok = ok && saveBar(dir);
    if (ok && argc == 3) {
        ok = saveThemeIcons(QDir(QString::fromLocal8Bit(argv[2])));
    }
    return ok ? 0 : 1;
}
