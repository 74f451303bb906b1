#pragma once
// The shell's icons, asked once for each path and size. An answer stays what
// the shell said until one of its image lists changes (an icon added to the
// system's list may be a changed one), and then every path is asked again. A
// long list of launchers of one program costs one question, not one for each
// entry at each showing of its menu.
#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "data/PlatformSeam.h"

class IconCache : public PlatformSeam {
  public:
    explicit IconCache(PlatformSeam& shell) : shell_(shell) {}

    ShellIcon IconForPath(const std::string& path, int size) override;
    std::int32_t ImageCount(IconHandle imageList) override { return shell_.ImageCount(imageList); }
    std::string CurrentDirectory() override { return shell_.CurrentDirectory(); }
    std::string LongDate() override { return shell_.LongDate(); }
    std::string TimeOfDay() override { return shell_.TimeOfDay(); }

  private:
    PlatformSeam& shell_;
    std::map<std::pair<std::string, int>, ShellIcon> answers_;
    std::map<IconHandle, std::int32_t> imageCounts_;  // of the lists the answers came from
};
