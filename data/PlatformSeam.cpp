#include "data/PlatformSeam.h"

int iconSize = 16;
IconHandle LabelIcon = 0;
IconHandle HistoryIcon = 0;

namespace {

class NoPlatform : public PlatformSeam {
  public:
    ShellIcon IconForPath(const std::string&, int) override { return {}; }
    std::string CurrentDirectory() override { return {}; }
    std::string LongDate() override { return {}; }
    std::string TimeOfDay() override { return {}; }
};

NoPlatform noPlatform;
PlatformSeam* installed = &noPlatform;

}  // namespace

PlatformSeam& Platform() { return *installed; }

void InstallPlatform(PlatformSeam* seam) { installed = seam ? seam : &noPlatform; }
