#include "menus/FixedIcons.h"

#include "data/PlatformSeam.h"
#include "resource.h"

namespace {

// At the display's small icon size: 16 at 96 dots per inch, 24 at 144.
HICON LoadSmallIcon(HINSTANCE instance, int id) {
    const int size = GetSystemMetrics(SM_CXSMICON);
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
}

IconHandle AsIconHandle(HICON icon) { return reinterpret_cast<IconHandle>(icon); }

}  // namespace

FixedIcons::~FixedIcons() {
    if (LabelIcon == AsIconHandle(label_.get())) LabelIcon = 0;
    if (HistoryIcon == AsIconHandle(history_.get())) HistoryIcon = 0;
}

bool FixedIcons::Load(HINSTANCE instance) {
    label_.reset(LoadSmallIcon(instance, IDI_LABEL));
    history_.reset(LoadSmallIcon(instance, IDI_HISTORY));
    Publish();
    return label_ && history_;
}

void FixedIcons::Publish() const {
    LabelIcon = AsIconHandle(label_.get());
    HistoryIcon = AsIconHandle(history_.get());
}
