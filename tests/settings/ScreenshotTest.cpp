// The dialog in each input mode on the test display, saved for people to
// look at (screenshots/settings-*.png in the build tree). The checks only
// make sure that something was painted.
#include "DialogHarness.h"

#include <sstream>

#include "ScreenCapture.h"
#include "data/DefaultPhraseList.h"

namespace {

std::vector<FillLine> DefaultLines() {
    std::vector<FillLine> lines;
    std::istringstream text(DefaultPhraseList());
    std::string line;
    for (int i = 0; std::getline(text, line); ++i) {
        if (i >= 3)  // after the header lines
            lines.push_back({line});
    }
    return lines;
}

// Puts the dialog at the top left and repaints it; the capture follows a
// few message-loop rounds later, once the screen shows it.
void Present(HWND dialog) {
    SetWindowPos(dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    RedrawWindow(dialog, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Settle(std::vector<Step>& steps) {
    for (int i = 0; i < 5; ++i) steps.push_back([](SettingsDialog&, HWND) { Sleep(60); });
}

void Capture(std::vector<Step>& steps, const std::string& name) {
    Settle(steps);
    steps.push_back([name](SettingsDialog&, HWND d) {
        const Picture picture = CaptureClientArea(d);
        ASSERT_GT(picture.width, 300);
        ASSERT_GT(picture.height, 300);
        EXPECT_GT(CountDistinctColours(picture), 8) << "text, frames and icons were painted";
        EXPECT_TRUE(WriteBitmapFile(picture, name + ".bmp")) << name;
    });
}

class Screenshots : public SettingsDialogTest {};

TEST_F(Screenshots, EachInputMode) {
    owner->fill.lines = DefaultLines();
    owner->fill.lines[1].virtualKey = 'J';
    owner->fill.lines[1].modifiers = MOD_CONTROL | MOD_ALT;
    owner->fill.menuHotkeys = {{0, 'M', MOD_CONTROL | MOD_ALT}, {2, 'Z', MOD_CONTROL | MOD_ALT}};
    owner->fill.tildeOnShiftZero = true;
    std::vector<Step> steps{[](SettingsDialog&, HWND d) {
        SelectItem(d, 1);
        SetFocus(Item(d, IDC_LINE_EDIT));
        Present(d);
    }};
    Capture(steps, "settings-single");
    steps.push_back([](SettingsDialog&, HWND d) {
        ChooseInCombo(d, IDC_INPUT_MODE_COMBO, 1);
        SelectItem(d, 10);
        SetFocus(Item(d, IDC_DISPLAY_EDIT));
        Present(d);
    });
    Capture(steps, "settings-separate");
    steps.push_back([](SettingsDialog&, HWND d) {
        ChooseInCombo(d, IDC_INPUT_MODE_COMBO, 2);
        SelectItem(d, 6);
        SetFocus(Item(d, IDC_LINE_EDIT));
        Present(d);
    });
    Capture(steps, "settings-multi");
    SettingsDialog dialog;
    owner->Run(dialog, steps);
}

}  // namespace
