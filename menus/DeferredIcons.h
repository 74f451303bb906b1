#pragma once
// While an object of this class lives, the shell is not asked for icons: every
// look-up finds none and is counted. Lines are parsed this way when they are
// added to the menus, and their icons are looked up when an entry is first
// measured, which the shell's look-up of each target would otherwise make the
// bulk of loading a list.
#include <cstddef>

#include "data/PlatformSeam.h"

struct PhraseItem;

class DeferredIcons : public PlatformSeam {
  public:
    DeferredIcons();
    ~DeferredIcons() override;
    DeferredIcons(const DeferredIcons&) = delete;
    DeferredIcons& operator=(const DeferredIcons&) = delete;

    ShellIcon IconForPath(const std::string& path, int size) override;
    std::int32_t ImageCount(IconHandle imageList) override { return previous_.ImageCount(imageList); }
    std::string CurrentDirectory() override { return previous_.CurrentDirectory(); }
    std::string LongDate() override { return previous_.LongDate(); }
    std::string TimeOfDay() override { return previous_.TimeOfDay(); }

    // Parses line into item; an item whose icon was asked for is left
    // unresolved (iconState -1) for ResolveDeferredIcon.
    void Parse(PhraseItem& item, std::string_view line);

  private:
    PlatformSeam& previous_;
    std::size_t lookups_ = 0;
};

// Completes an item parsed by DeferredIcons: a command item is parsed again
// (its label depends on whether its target has an icon), any other item
// resolves its icon. Items already resolved are left alone.
void ResolveDeferredIcon(PhraseItem& item);
