// SPDX-License-Identifier: MIT
// The bottom bar and the information page: the layout of the bar, the pictures under the
// mouse, and the addresses the links hand to the desktop.
#include "ui/assets.h"
#include "ui/links.h"
#include "ui/reportlistview.h"
#include "ui/rolloverimage.h"
#include "uitestsupport.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace orvane::test {
namespace {

bool samePicture(const QPixmap &a, const QPixmap &b)
{
    return !a.isNull()
        && a.toImage().convertToFormat(QImage::Format_ARGB32) == b.toImage().convertToFormat(QImage::Format_ARGB32);
}

bool lit(const TRolloverImage *button, const QString &name)
{
    return samePicture(button->picture(), BarPicture(name, true));
}

TEST(BottomBar, LaysOutItsPicturesAlongTheBottomEdge)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    form.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(form.Panel1->height(), 27);
    EXPECT_EQ(form.Panel1->geometry().bottom(), form.rect().bottom());
    struct Placed
    {
        QWidget *widget;
        int width;
    };
    const Placed left[] = {{form.helpRollover, 32}, {form.SupportRollover, 54}, {form.InfoRollover, 42}};
    int x = 0;
    for (const Placed &p : left) {
        EXPECT_EQ(p.widget->geometry(), QRect(x, 0, p.width, 27)) << p.widget->objectName().toStdString();
        x += p.width;
    }
    EXPECT_FALSE(form.aboutRollover->isVisible());
    EXPECT_EQ(form.aboutRollover->size(), QSize(42, 27));
    EXPECT_EQ(form.Image9->geometry(), QRect(form.Panel1->width() - 18, 0, 18, 27));
    EXPECT_EQ(form.websiteRollover->geometry(), QRect(form.Panel1->width() - 18 - 165, 0, 165, 27));
    EXPECT_EQ(form.Image10->geometry(), QRect(-9, 0, form.Panel1->width() + 9, 27));
    for (TRolloverImage *button : {form.helpRollover, form.SupportRollover, form.InfoRollover, form.websiteRollover}) {
        EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_EQ(button->OverBitmap().size(), button->picture().size());
    }
}

TEST(BottomBar, AButtonLightsUnderTheMouseAndTheNextOneTakesOver)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::mouseMove(form.helpRollover, QPoint(10, 10));
    EXPECT_TRUE(lit(form.helpRollover, QStringLiteral("help")));
    EXPECT_FALSE(lit(form.SupportRollover, QStringLiteral("support")));

    // Straight on to the next button: the first goes back, the second lights.
    QTest::mouseMove(form.SupportRollover, QPoint(10, 10));
    EXPECT_TRUE(samePicture(form.helpRollover->picture(), BarPicture(QStringLiteral("help"))));
    EXPECT_TRUE(lit(form.SupportRollover, QStringLiteral("support")));

    // Off the bar: every button shows its normal picture.
    QTest::mouseMove(form.DiskInfo_ListView, QPoint(50, 50));
    EXPECT_TRUE(samePicture(form.SupportRollover->picture(), BarPicture(QStringLiteral("support"))));

    // The mouse all along the bar never reaches the invisible fourth button.
    for (int x = 0; x < form.Panel1->width(); x += 4) {
        QTest::mouseMove(form.Panel1, QPoint(x, 13));
        QTest::mouseClick(form.Panel1, Qt::LeftButton, {}, QPoint(x, 13));
        EXPECT_TRUE(samePicture(form.aboutRollover->picture(), BarPicture(QStringLiteral("about")))) << x;
    }
    EXPECT_FALSE(form.aboutRollover->isVisible());
}

TEST(BottomBar, TheHoverPictureIsTheControlsOwnCopy)
{
    TRolloverImage button(QStringLiteral("button"));
    QPixmap normal(20, 10);
    normal.fill(Qt::blue);
    QPixmap over(20, 10);
    over.fill(Qt::red);
    button.setPicture(normal);
    button.setOverBitmap(over);
    over.fill(Qt::green); // the owner changes or releases its picture afterwards
    normal.fill(Qt::green);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(&button, &enter);
    EXPECT_EQ(button.picture().toImage().pixelColor(5, 5), QColor(Qt::red));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&button, &leave);
    EXPECT_EQ(button.picture().toImage().pixelColor(5, 5), QColor(Qt::blue));
    EXPECT_EQ(button.size(), QSize(20, 10));
}

struct LinkCase
{
    const char *name;
    QWidget *(*widget)(TOrvane_Form &);
    bool onInformationPage;
    std::string address;
};

class Links : public ::testing::TestWithParam<LinkCase>
{
};

TEST_P(Links, AClickHandsTheExactAddressToTheDesktop)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    form.FormCreate();
    form.show();
    if (GetParam().onInformationPage) {
        form.InfoRolloverClick();
    }
    QTest::mouseClick(GetParam().widget(form), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(h.opener.opened, std::vector<std::string>{GetParam().address});
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, Links,
    ::testing::Values(
        LinkCase{"help", [](TOrvane_Form &f) -> QWidget * { return f.helpRollover; }, false, links::kFaqPage},
        LinkCase{"support", [](TOrvane_Form &f) -> QWidget * { return f.SupportRollover; }, false, links::kSupportPage},
        LinkCase{"website", [](TOrvane_Form &f) -> QWidget * { return f.websiteRollover; }, false, links::kMainSite},
        LinkCase{"websiteValue", [](TOrvane_Form &f) -> QWidget * { return f.websiteValue; }, true,
                 links::kProductPage},
        LinkCase{"supportMail", [](TOrvane_Form &f) -> QWidget * { return f.emailValue; }, true,
                 "mailto:support@example.org?subject=Support Question - Orvane"}),
    [](const auto &param) { return std::string(param.param.name); });

TEST(InformationPage, TheThirdButtonShowsThePageWithoutATabAndDiskInfoReturns)
{
    FormHarness h;
    TOrvane_Form &form = h.create();
    form.FormCreate();
    form.show();
    QTest::mouseClick(form.InfoRollover, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(form.Main_PageControl->currentWidget(), form.about_TabSheet);
    const int about = form.Main_PageControl->indexOf(form.about_TabSheet);
    EXPECT_FALSE(form.Main_PageControl->isTabVisible(about));
    EXPECT_TRUE(h.opener.opened.empty());
    // The links show the main site and the mail address, as plain text in the link colour.
    EXPECT_EQ(form.websiteValue->text().toStdString(), links::kMainSiteShown);
    EXPECT_EQ(form.emailValue->text().toStdString(), links::kSupportMail);
    EXPECT_EQ(form.emailValue->textFormat(), Qt::PlainText);
    EXPECT_EQ(form.emailValue->palette().color(QPalette::WindowText), QColor(252, 83, 0));
    EXPECT_TRUE(form.emailValue->font().underline());

    QTabBar *tabs = form.Main_PageControl->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    EXPECT_EQ(form.Main_PageControl->currentWidget(), form.DiskInfo_TabSheet);
}

} // namespace
} // namespace orvane::test
