#pragma once
// The one place that chooses the class of the settings dialog.
#include <memory>

#include "SmartDialog.h"

std::unique_ptr<SmartDialog> MakeSettingsDialog();
