#pragma once
// The few things the data layer needs from the platform: shell icons, the
// current directory and the formatted clock. The Windows program installs its
// shell-backed implementation at start-up; tests install a fake.
#include <cstdint>
#include <string>

// An image list or icon handle kept as an opaque number; 0 is none.
using IconHandle = std::uintptr_t;

struct ShellIcon {
    IconHandle imageList = 0;     // the system image list, 0 when the shell knows no icon
    std::int32_t index = 0;       // index of the icon in that list
    std::int32_t imageCount = 0;  // images in that list at the time of the look-up
};

class PlatformSeam {
  public:
    virtual ~PlatformSeam() = default;
    // The icon of path from the small or the large system image list, as size asks.
    virtual ShellIcon IconForPath(const std::string& path, int size) = 0;
    // The number of images in an image list now.
    virtual std::int32_t ImageCount(IconHandle) { return 0; }
    virtual std::string CurrentDirectory() = 0;
    // The current date and time in the system's long date and default time
    // format; empty when the system cannot format them.
    virtual std::string LongDate() = 0;
    virtual std::string TimeOfDay() = 0;
};

// The installed seam, or one that knows no icons and formats empty texts.
PlatformSeam& Platform();
// Installs seam (not owned; it must outlive its use); nullptr restores the default.
void InstallPlatform(PlatformSeam* seam);

// Size at which icons are looked up and drawn: the system's small icon size
// (16 at 96 dots per inch), or its large one for large menu fonts.
extern int iconSize;
// The fixed icons, none until the program has loaded them.
extern IconHandle LabelIcon;
extern IconHandle HistoryIcon;
