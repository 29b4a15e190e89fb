// SPDX-License-Identifier: MIT
#include "tools/reportoptions.h"

namespace orvane {

namespace {

std::uint8_t driveNumber(const std::string &text, const std::string &option)
{
    if (text.size() != 1 || text[0] < '0' || text[0] > '3') {
        throw std::invalid_argument(option + " takes a drive number from 0 to 3, not \"" + text + "\"");
    }
    return static_cast<std::uint8_t>(text[0] - '0');
}

} // namespace

ReportOptions ParseReportOptions(const std::vector<std::string> &args)
{
    ReportOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= args.size()) {
                throw std::invalid_argument(arg + " needs a value");
            }
            return args[++i];
        };
        if (arg == "--json") {
            options.json = true;
        } else if (arg == "--prometheus") {
            options.prometheus = true;
        } else if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--drive") {
            const std::string argument = value();
            const std::size_t equals = argument.find('=');
            if (equals == std::string::npos || equals + 1 == argument.size()) {
                throw std::invalid_argument("--drive takes N=FILE, not \"" + argument + "\"");
            }
            const std::uint8_t number = driveNumber(argument.substr(0, equals), "--drive");
            if (!options.drives.emplace(number, argument.substr(equals + 1)).second) {
                throw std::invalid_argument("--drive " + std::to_string(number) + " is given twice");
            }
        } else if (arg == "--record") {
            options.record = driveNumber(value(), "--record");
        } else {
            throw std::invalid_argument("unknown option \"" + arg + "\"");
        }
    }
    if (options.record && (options.json || options.prometheus)) {
        throw std::invalid_argument("--record writes a recording; it does not go with --json or --prometheus");
    }
    if (options.json && options.prometheus) {
        throw std::invalid_argument("--json and --prometheus do not go together");
    }
    return options;
}

} // namespace orvane
