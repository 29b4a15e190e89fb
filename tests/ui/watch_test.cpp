// SPDX-License-Identifier: MIT
// The temperature watch on the window with the real question box: the test answers the box
// from inside its event loop, as a user would.
#include "settings/fileio.h"
#include "uitestsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace orvane::test {
namespace {

// A window on one drive at 58 degrees, the default alert temperature (50), the question
// and the countdown switched on.
class WindowWatch : public ::testing::Test
{
protected:
    WindowWatch()
        : form(harness.create())
    {
        harness.addDrive(0, "HOT DISK", 58);
        harness.power.suspendOk = false; // every hibernation is refused: the OK answer ends in a failure line
        form.FormCreate();
        form.PopupNotify_CheckBox->setChecked(true);
        form.Hibernate_CheckBox->setChecked(true);
        form.show();
    }

    // Runs a watch cycle; `user` acts while the question is open and gets the box.
    void cycleWith(const std::function<void(QMessageBox &)> &user)
    {
        QTimer::singleShot(0, &form, [this, user] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr) << "no question on the screen";
            asked = {box->windowTitle(), box->text()};
            plain =
                box->icon() == QMessageBox::NoIcon && box->standardButtons() == (QMessageBox::Ok | QMessageBox::Cancel);
            form.Hibernate_TimerTimer();
            form.Hibernate_TimerTimer();
            captionWhileAsking = form.windowTitle();
            user(*box);
        });
        form.CheckTemp_TimerTimer();
    }

    FormHarness harness;
    TOrvane_Form &form;
    std::pair<QString, QString> asked;
    bool plain = false;
    QString captionWhileAsking;
};

struct AnswerCase
{
    const char *name;
    std::function<void(QMessageBox &)> answer;
    int critTemp;
    std::string lastLine;
};

void PrintTo(const AnswerCase &c, std::ostream *out)
{
    *out << c.name;
}

class WindowAnswers : public WindowWatch, public ::testing::WithParamInterface<AnswerCase>
{
};

TEST_P(WindowAnswers, TheAnswerReachesTheWatch)
{
    cycleWith(GetParam().answer);
    EXPECT_EQ(asked, std::make_pair(QStringLiteral("Warning"), QStringLiteral("Would you like to HIBERNATE ?")));
    EXPECT_TRUE(plain);
    EXPECT_EQ(captionWhileAsking, QStringLiteral("Hibernate on 58s"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Orvane"));
    EXPECT_EQ(form.CritTemp, GetParam().critTemp);
    EXPECT_EQ(form.CritTemp_Edit->text().toStdString(), std::to_string(GetParam().critTemp));
    EXPECT_EQ(form.Config.Temp, std::to_string(GetParam().critTemp));
    EXPECT_EQ(harness.logMessages().back(), GetParam().lastLine);
    EXPECT_TRUE(form.CheckTemp_Timer->isActive());
    EXPECT_FALSE(form.Hibernate_Timer->isActive());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Box, WindowAnswers,
    ::testing::Values(AnswerCase{"CancelButton", [](QMessageBox &box) { box.button(QMessageBox::Cancel)->click(); }, 58,
                                 "CHANGED the alert temperature to: 58\xB0"},
                      AnswerCase{"Escape", [](QMessageBox &box) { QTest::keyClick(&box, Qt::Key_Escape); }, 58,
                                 "CHANGED the alert temperature to: 58\xB0"},
                      AnswerCase{"OkButton", [](QMessageBox &box) { box.button(QMessageBox::Ok)->click(); }, 50,
                                 "FAILED to hibernate the system: the system refused the request"}),
    [](const auto &param) { return std::string(param.param.name); });

// Ending the program with the question open: the settings are saved, the box goes, and the
// watch leaves the answer alone (no Cancel effects after the save).
TEST_F(WindowWatch, ClosingTheWindowUnderTheQuestionSavesAndEndsTheCycle)
{
    QApplication::setQuitOnLastWindowClosed(false); // the test's own application stays
    bool closed = false;
    cycleWith([this, &closed](QMessageBox &box) {
        closed = form.close();
        // Should the box outlive the close, a later Cancel shows it in the checks below.
        QTimer::singleShot(0, &box, [&box] { box.reject(); });
    });
    QApplication::setQuitOnLastWindowClosed(true);
    EXPECT_TRUE(closed);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(form.CritTemp, 50);
    EXPECT_EQ(harness.logMessages().back(), "Temperature is over maximum: 58 > 50");
    EXPECT_FALSE(form.CheckTemp_Timer->isActive());
    EXPECT_FALSE(form.Hibernate_Timer->isActive());
    const auto saved = readWholeFile(harness.folder.path() / "work" / "config.xml");
    EXPECT_NE(saved.find("<Hibernation>-1</Hibernation>"), std::string::npos) << saved;
}

} // namespace
} // namespace orvane::test
