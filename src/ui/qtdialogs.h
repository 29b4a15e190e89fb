// SPDX-License-Identifier: MIT
#pragma once

#include "ui/dialogs.h"

class QMessageBox;

namespace orvane {

// Fills `box` with the program's text (Windows-1252) and its OK button. The text is shown
// as it is, never as markup: it may hold a mail address or a file name from anywhere.
void PrepareMessageBox(QMessageBox &box, const std::string &text);

// The real boxes and file dialogs, parented to the application's active window.
class QtDialogs : public Dialogs
{
public:
    void showMessage(const std::string &text) override;
    std::optional<std::string> chooseSoundFile() override;
    std::optional<std::filesystem::path> chooseLogFile() override;
};

} // namespace orvane
