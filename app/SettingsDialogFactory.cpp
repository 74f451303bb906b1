#include "app/SettingsDialogFactory.h"

#include "settings/SettingsDialog.h"

std::unique_ptr<SmartDialog> MakeSettingsDialog() { return std::make_unique<SettingsDialog>(); }
