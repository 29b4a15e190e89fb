// SPDX-License-Identifier: MIT
// The real message box: what it is given is what the user reads, markup included.
#include "ui/qtdialogs.h"

#include <QLabel>
#include <QMessageBox>
#include <gtest/gtest.h>

namespace orvane {
namespace {

TEST(MessageBox, ShowsTheTextAsItIsNeverAsMarkup)
{
    const struct
    {
        std::string text; // Windows-1252, as the program holds it
        QString shown;
    } cases[] = {
        {"The Alert! Message could not be sent to: <h1>Sent OK</h1>",
         QStringLiteral("The Alert! Message could not be sent to: <h1>Sent OK</h1>")},
        {"<b>bold</b> &amp; <a href=\"x\">link</a>", QStringLiteral("<b>bold</b> &amp; <a href=\"x\">link</a>")},
        {"Temperature 50\xB0", QStringLiteral("Temperature 50\u00B0")},
    };
    for (const auto &c : cases) {
        QMessageBox box;
        PrepareMessageBox(box, c.text);
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
        const auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
        EXPECT_EQ(label->text(), c.shown);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
    }
}

} // namespace
} // namespace orvane
