#pragma once

#include "ui/dialogs.h"

namespace orvane {

// The real boxes and file dialogs, parented to the application's active window.
class QtDialogs : public Dialogs
{
public:
    void showMessage(const std::string &text) override;
    std::optional<std::string> chooseSoundFile() override;
    std::optional<std::filesystem::path> chooseLogFile() override;
};

} // namespace orvane
