// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

namespace orvane {

// A report list of the window (Disk Info, S.M.A.R.T. Info) seen from the drive code:
// rows of cell texts in Windows-1252, first cell the row's caption. The window implements
// it with its list views, the command-line tool with tables.
class ReportList
{
public:
    virtual ~ReportList() = default;
    virtual void clear() = 0;
    virtual void addRow(const std::vector<std::string> &cells) = 0;
};

} // namespace orvane
