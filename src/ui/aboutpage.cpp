// SPDX-License-Identifier: MIT
// The information page: reached from the bottom bar only, its tab is never shown.
#include "ui/links.h"
#include "ui/orvaneform.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace orvane {

namespace {

// Design sizes at 96 pixels per inch; the page is 685 x 340.
constexpr int kValueLeft = 90;
constexpr QMargins kMemoMargins(5, 72, 27, 10); // the memo follows all four edges
const QColor kLinkColour(252, 83, 0);

// A label that acts on a left click.
class LinkLabel : public QLabel
{
public:
    LinkLabel(const char *name, const QString &text, std::function<void()> onClick, QWidget *parent)
        : QLabel(text, parent)
        , m_onClick(std::move(onClick))
    {
        setObjectName(QString::fromLatin1(name));
        setTextFormat(Qt::PlainText);
        setCursor(Qt::PointingHandCursor);
        QFont font(QStringLiteral("MS Sans Serif"));
        font.setPixelSize(11);
        font.setUnderline(true);
        setFont(font);
        QPalette colours = palette();
        colours.setColor(QPalette::WindowText, kLinkColour);
        setPalette(colours);
    }

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
            m_onClick();
        }
        QLabel::mouseReleaseEvent(event);
    }

private:
    std::function<void()> m_onClick;
};

QLabel *plainLabel(const char *name, const QString &text, QPoint at, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->move(at);
    return label;
}

} // namespace

void CreateAboutPage(TOrvane_Form &form)
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("about_TabSheet"));
    form.about_TabSheet = page;
    form.websiteLabel = plainLabel("websiteLabel", QStringLiteral("Main website:"), QPoint(5, 7), page);
    form.websiteValue = new LinkLabel(
        "websiteValue", QString::fromLatin1(links::kMainSiteShown), [&form] { form.websiteValueClick(); }, page);
    form.websiteValue->move(kValueLeft, 7);
    form.emailLabel = plainLabel("emailLabel", QStringLiteral("Support email:"), QPoint(5, 42), page);
    form.emailValue = new LinkLabel(
        "emailValue", QString::fromLatin1(links::kSupportMail), [&form] { form.emailValueClick(); }, page);
    form.emailValue->move(kValueLeft, 42);

    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(kMemoMargins);
    form.readmeMemo = new QPlainTextEdit(page);
    form.readmeMemo->setObjectName(QStringLiteral("readmeMemo"));
    form.readmeMemo->setReadOnly(true);
    form.readmeMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    layout->addWidget(form.readmeMemo);
}

} // namespace orvane
