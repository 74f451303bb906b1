#pragma once
// The data layer's platform on Windows: the shell's system image lists, the
// current directory and the system locale's date and time formats.
#include "data/PlatformSeam.h"

class ShellPlatform : public PlatformSeam {
  public:
    ShellIcon IconForPath(const std::string& path, int size) override;
    std::int32_t ImageCount(IconHandle imageList) override;
    std::string CurrentDirectory() override;
    std::string LongDate() override;
    std::string TimeOfDay() override;
};
