// SPDX-License-Identifier: MIT
#pragma once

#include "monitor/logpage.h"

class QPlainTextEdit;

namespace orvane {

// The Log page's memo as the activity log sees it: Windows-1252 lines in, shown as text.
class MemoLogPage : public LogPage
{
public:
    explicit MemoLogPage(QPlainTextEdit &memo)
        : m_memo(memo)
    {
    }
    void appendLine(const std::string &line) override;
    void clear() override;
    [[nodiscard]] std::vector<std::string> lines() const override;

private:
    QPlainTextEdit &m_memo;
};

} // namespace orvane
