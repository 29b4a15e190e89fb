// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace orvane {

// The Log page as the activity log sees it: an ordered list of lines that only grows until
// it is cleared. The window implements it with its read-only memo; MemoryLogPage keeps the
// lines in memory for tools and tests.
class LogPage
{
public:
    virtual ~LogPage() = default;

    // Appends `line` as the new last line.
    virtual void appendLine(const std::string &line) = 0;

    // Removes every line.
    virtual void clear() = 0;

    // Every line, first to last.
    [[nodiscard]] virtual std::vector<std::string> lines() const = 0;
};

class MemoryLogPage : public LogPage
{
public:
    void appendLine(const std::string &line) override { m_lines.push_back(line); }
    void clear() override { m_lines.clear(); }
    [[nodiscard]] std::vector<std::string> lines() const override { return m_lines; }

private:
    std::vector<std::string> m_lines;
};

} // namespace orvane
