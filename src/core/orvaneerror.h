// SPDX-License-Identifier: MIT
#pragma once

#include <stdexcept>
#include <string>

namespace orvane {

// A fault of the program itself, raised with the exact text the user is shown (a
// Windows-1252 string). Every exception the program raises is one, or derives from it
// (the log save, the event source registration, a broken drive recording), so a caller
// can catch them all as one type. The window catches them at its handlers and shows what()
// in a message box; nothing in the settings code catches it except the XML reader, which
// turns its own reading errors into a report.
class OrvaneError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace orvane
