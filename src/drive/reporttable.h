// SPDX-License-Identifier: MIT
#pragma once

#include "drive/reportlist.h"

#include <string>
#include <vector>

namespace orvane {

// A report list that only keeps its rows: for the command-line tool and for tests.
class ReportTable : public ReportList
{
public:
    void clear() override { rows.clear(); }
    void addRow(const std::vector<std::string> &cells) override { rows.push_back(cells); }

    std::vector<std::vector<std::string>> rows;
};

} // namespace orvane
