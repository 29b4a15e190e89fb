// The information page: reached from the bottom bar only, its tab is never shown.
#include "ui/orvaneform.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace orvane {

void CreateAboutPage(TOrvane_Form &form)
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("about_TabSheet"));
    form.about_TabSheet = page;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    form.readmeMemo = new QPlainTextEdit(page);
    form.readmeMemo->setObjectName(QStringLiteral("readmeMemo"));
    form.readmeMemo->setReadOnly(true);
    layout->addWidget(form.readmeMemo);
}

} // namespace orvane
