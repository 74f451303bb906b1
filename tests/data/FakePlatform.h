#pragma once
// A platform with a fixed clock and a shell that knows only the paths it is told.
#include <map>
#include <string>
#include <vector>

#include "data/PlatformSeam.h"

class FakePlatform : public PlatformSeam {
public:
    static constexpr IconHandle SmallList = 0x5100;
    static constexpr IconHandle LargeList = 0x5200;

    FakePlatform() { InstallPlatform(this); }
    ~FakePlatform() override { InstallPlatform(nullptr); }
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    ShellIcon IconForPath(const std::string& path, int size) override
    {
        asked.push_back(path);
        const auto found = known.find(path);
        if (found == known.end())
            return {};
        return {size == 16 ? SmallList : LargeList, found->second, imageCount};
    }
    std::string CurrentDirectory() override { return directory; }
    std::string LongDate() override { return date; }
    std::string TimeOfDay() override { return time; }

    std::map<std::string, std::int32_t> known; // path -> icon index
    std::vector<std::string> asked;
    std::int32_t imageCount = 40;
    std::string directory = "C:\\kwibra";
    std::string date = "2026年12月6日日曜日";
    std::string time = "19:05:33";
};

// Fixed icons and icon size for one test, restored afterwards.
class IconGlobals {
public:
    explicit IconGlobals(IconHandle label, IconHandle history = 0) : label_(LabelIcon), history_(HistoryIcon)
    {
        LabelIcon = label;
        HistoryIcon = history;
        iconSize = 16;
    }
    ~IconGlobals()
    {
        LabelIcon = label_;
        HistoryIcon = history_;
        iconSize = 16;
    }

private:
    IconHandle label_;
    IconHandle history_;
};
