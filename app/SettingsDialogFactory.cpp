#include "app/SettingsDialogFactory.h"

std::unique_ptr<SmartDialog> MakeSettingsDialog()
{
    return std::make_unique<SmartDialog>();
}
