// SPDX-License-Identifier: MIT
#pragma once

// Stand-ins for what the temperature watch needs of the window. They write what they are
// asked into one journal, so that a test can check the order of every step.

#include "monitor/logpage.h"
#include "monitor/temperaturewatch.h"
#include "monitor/watchwindow.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace orvane::test {

using Journal = std::vector<std::string>;

// The Log page: "log <message>", stamp left off.
class JournalPage : public LogPage
{
public:
    explicit JournalPage(Journal &journal)
        : m_journal(journal)
    {
    }
    void appendLine(const std::string &line) override
    {
        m_journal.push_back("log " + line.substr(line.find(" * ") + 3));
    }
    void clear() override { }
    std::vector<std::string> lines() const override { return {}; }

private:
    Journal &m_journal;
};

// Only what changes is written: "<name> start" or "<name> stop".
class JournalTimer : public WatchTimer
{
public:
    JournalTimer(Journal &journal, std::string name)
        : m_journal(journal)
        , m_name(std::move(name))
    {
    }
    void switchOn() override
    {
        if (!on) {
            on = true;
            m_journal.push_back(m_name + " start");
        }
    }
    void switchOff() override
    {
        if (on) {
            on = false;
            m_journal.push_back(m_name + " stop");
        }
    }
    bool isOn() const override { return on; }
    bool on = false;

private:
    Journal &m_journal;
    std::string m_name;
};

// What the user does while the question is open: seconds of countdown pass (the countdown
// timer ticks when it is on), the watch's own timer may fire, then the answer.
struct Reply
{
    HibernateAnswer answer = HibernateAnswer::Cancel;
    int seconds = 0;
    bool watchTicks = false;
};

class JournalWindow : public WatchWindow
{
public:
    struct Row
    {
        std::string caption;
        bool ticked = true;
    };

    explicit JournalWindow(Journal &journal)
        : m_journal(journal)
    {
    }
    int rowCount() const override { return static_cast<int>(rows.size()); }
    bool rowTicked(int row) const override { return rows.at(static_cast<std::size_t>(row)).ticked; }
    std::string rowCaption(int row) const override { return rows.at(static_cast<std::size_t>(row)).caption; }
    void setCaption(const std::string &caption) override { m_journal.push_back("caption " + caption); }
    void setAlertTemperatureText(const std::string &text) override { m_journal.push_back("field " + text); }
    void setForegroundWindow(ForegroundWindow window) override
    {
        m_journal.push_back(window == ForegroundWindow::Main ? "foreground main" : "foreground application");
    }
    HibernateAnswer askToHibernate() override
    {
        m_journal.push_back("ask");
        const Reply reply = replies.empty() ? Reply{} : replies.front();
        if (!replies.empty()) {
            replies.pop_front();
        }
        open = true;
        for (int second = 0; second < reply.seconds && countdown->on; ++second) {
            watch->Hibernate_TimerTimer();
        }
        if (reply.watchTicks) {
            watch->CheckTemperatures();
        }
        if (whileOpen) {
            whileOpen();
        }
        open = false;
        return reply.answer;
    }

    std::vector<Row> rows;
    std::deque<Reply> replies;
    TemperatureWatch *watch = nullptr;
    const JournalTimer *countdown = nullptr;
    std::function<void()> whileOpen;
    bool open = false;

private:
    Journal &m_journal;
};

} // namespace orvane::test
