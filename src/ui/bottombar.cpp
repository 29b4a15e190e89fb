// SPDX-License-Identifier: MIT
// The bottom bar of picture buttons, and the links it and the information page open.
#include "text/cp1252.h"
#include "ui/assets.h"
#include "ui/desktopopener.h"
#include "ui/links.h"
#include "ui/orvaneform.h"
#include "ui/rolloverimage.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabWidget>

namespace orvane {

namespace {

// Design sizes at 96 pixels per inch.
constexpr int kBarHeight = 27;
constexpr int kBackgroundLeft = -9; // the background starts left of the window's edge

TRolloverImage *barButton(QWidget &bar, const char *name, const QString &picture)
{
    auto *button = new TRolloverImage(QString::fromLatin1(name), &bar);
    button->setPicture(BarPicture(picture));
    button->setOverBitmap(BarPicture(picture, true));
    return button;
}

QLabel *barPicture(QWidget &bar, const char *name, const QString &picture)
{
    auto *label = new QLabel(&bar);
    label->setObjectName(QString::fromLatin1(name));
    label->setPixmap(BarPicture(picture));
    label->setScaledContents(true);
    return label;
}

} // namespace

void TOrvane_Form::createBottomBar()
{
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::NoFrame);
    Panel1->setFixedHeight(kBarHeight);
    Panel1->installEventFilter(this);

    // Behind the buttons, stretched over the bar's width.
    Image10 = barPicture(*Panel1, "Image10", QStringLiteral("background"));
    Image10->lower();
    helpRollover = barButton(*Panel1, "helpRollover", QStringLiteral("help"));
    SupportRollover = barButton(*Panel1, "SupportRollover", QStringLiteral("support"));
    InfoRollover = barButton(*Panel1, "InfoRollover", QStringLiteral("about"));
    aboutRollover = barButton(*Panel1, "aboutRollover", QStringLiteral("about"));
    aboutRollover->hide();
    aboutRollover->setCursor(Qt::ArrowCursor);
    websiteRollover = barButton(*Panel1, "websiteRollover", QStringLiteral("website"));
    Image9 = barPicture(*Panel1, "Image9", QStringLiteral("end"));
    Image9->setFixedSize(BarPicture(QStringLiteral("end")).size());

    auto *row = new QHBoxLayout(Panel1);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (QWidget *left : {static_cast<QWidget *>(helpRollover), static_cast<QWidget *>(SupportRollover),
                          static_cast<QWidget *>(InfoRollover), static_cast<QWidget *>(aboutRollover)}) {
        row->addWidget(left);
    }
    row->addStretch(1);
    row->addWidget(websiteRollover);
    row->addWidget(Image9);

    helpRollover->OnClick = [this] { helpRolloverClick(); };
    SupportRollover->OnClick = [this] { SupportRolloverClick(); };
    InfoRollover->OnClick = [this] { InfoRolloverClick(); };
    websiteRollover->OnClick = [this] { websiteRolloverClick(); };
}

void TOrvane_Form::placeBarBackground()
{
    const int left = qRound(kBackgroundLeft * m_scale);
    Image10->setGeometry(left, 0, Panel1->width() - left, Panel1->height());
}

void TOrvane_Form::OpenURL(const std::string &address)
{
    m_opener.open(address);
}

void TOrvane_Form::helpRolloverClick()
{
    OpenURL(links::kFaqPage);
}

void TOrvane_Form::SupportRolloverClick()
{
    OpenURL(links::kSupportPage);
}

void TOrvane_Form::InfoRolloverClick()
{
    Main_PageControl->setCurrentWidget(about_TabSheet);
}

void TOrvane_Form::websiteRolloverClick()
{
    OpenURL(links::kMainSite);
}

void TOrvane_Form::websiteValueClick()
{
    OpenURL(links::kProductPage);
}

void TOrvane_Form::emailValueClick()
{
    // Exactly as built: the subject keeps its blanks, nothing is percent-encoded.
    const std::string address = utf8ToCp1252(emailValue->text().toStdString());
    m_opener.open("mailto:" + address + "?subject=Support Question - " + links::kApplicationTitle);
}

} // namespace orvane
