// SPDX-License-Identifier: MIT
// The temperature watch on the window, and the window's two watch handlers.
#include "ui/formwatch.h"

#include "monitor/messages.h"
#include "text/cp1252.h"
#include "ui/orvaneform.h"
#include "ui/reportlistview.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

namespace orvane {

namespace {

QString shown(std::string_view text)
{
    return QString::fromUtf8(cp1252ToUtf8(text));
}

} // namespace

void FormTimer::switchOn()
{
    // QTimer::start would restart a running interval.
    if (!m_timer.isActive()) {
        m_timer.start();
    }
}

void FormTimer::switchOff()
{
    m_timer.stop();
}

bool FormTimer::isOn() const
{
    return m_timer.isActive();
}

FormWatch::FormWatch(TOrvane_Form &form, const WatchServices &services)
    : m_form(form)
    , m_checkTemp(*form.CheckTemp_Timer)
    , m_hibernate(*form.Hibernate_Timer)
    , m_watch(services, *this, m_checkTemp, m_hibernate, {form.Config, form.CritTemp, form.HibernateCountdown})
{
}

FormWatch::~FormWatch() = default;

void FormWatch::windowClosing()
{
    m_closing = true;
    m_watch.Stop();
    if (m_question) {
        m_question->done(QMessageBox::Cancel);
    }
}

int FormWatch::rowCount() const
{
    return m_form.HDDs_ListView->rowCount();
}

bool FormWatch::rowTicked(int row) const
{
    const QTableWidgetItem *caption = m_form.HDDs_ListView->item(row, 0);
    return caption != nullptr && caption->checkState() == Qt::Checked;
}

std::string FormWatch::rowCaption(int row) const
{
    return m_form.HDDs_ListView->cellText(row, 0);
}

void FormWatch::setCaption(const std::string &caption)
{
    m_form.setWindowTitle(shown(caption));
}

void FormWatch::setAlertTemperatureText(const std::string &text)
{
    m_form.CritTemp_Edit->setText(shown(text));
}

void FormWatch::setForegroundWindow(ForegroundWindow window)
{
    if (window == ForegroundWindow::Main) {
        m_form.raise();
        m_form.activateWindow();
    } else {
        // The desktop has no window of its own for the program; it is asked to draw the
        // user's eye to the program's taskbar entry instead.
        QApplication::alert(&m_form);
    }
}

HibernateAnswer FormWatch::askToHibernate()
{
    // On the heap and watched: should the window be destroyed while the box is open, the
    // box goes with it and nothing here may be touched again.
    auto *box = new QMessageBox(QMessageBox::NoIcon, shown(msg::kHibernateQuestionCaption),
                                shown(msg::kHibernateQuestion), QMessageBox::Ok | QMessageBox::Cancel, &m_form);
    box->setEscapeButton(QMessageBox::Cancel);
    box->setObjectName(QStringLiteral("Hibernate_Question"));
    const QPointer<QMessageBox> open(box);
    m_question = box;
    m_closing = false;
    const int answer = box->exec();
    if (open.isNull()) {
        return HibernateAnswer::WindowClosed;
    }
    delete box;
    if (m_closing) {
        return HibernateAnswer::WindowClosed;
    }
    return answer == QMessageBox::Ok ? HibernateAnswer::Ok : HibernateAnswer::Cancel;
}

void TOrvane_Form::CheckTemp_TimerTimer()
{
    m_watch->watch().CheckTemperatures();
}

void TOrvane_Form::Hibernate_TimerTimer()
{
    m_watch->watch().Hibernate_TimerTimer();
}

} // namespace orvane
