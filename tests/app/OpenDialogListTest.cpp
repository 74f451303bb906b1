// Lines added while the settings dialog is open also appear in its list.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "MenuTestSupport.h"
#include "SmartDialog.h"
#include "resource.h"

namespace {

// The settings dialog template, running the test body once it has its window.
class ProbeDialog : public SmartDialog {
  public:
    explicit ProbeDialog(std::function<void(ProbeDialog&)> body) : body_(std::move(body)) {
        SetTemplate(IDD_SETTINGS, nullptr);
    }
    BOOL OnInitDialog(WPARAM wParam, LPARAM lParam) override {
        SmartDialog::OnInitDialog(wParam, lParam);
        body_(*this);
        EndModal(1);
        return TRUE;
    }
    HWND list() const { return GetDlgItem(hwnd(), IDC_ITEM_LIST); }

  private:
    std::function<void(ProbeDialog&)> body_;
};

std::vector<std::string> ListTexts(HWND list) {
    std::vector<std::string> texts;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::string text(static_cast<std::size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1, '\0');
        SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(text.size() - 1);
        texts.push_back(text);
    }
    return texts;
}

struct MoveButtons {
    bool up;
    bool down;
};

MoveButtons MoveButtonsOf(HWND dialog) {
    return {IsWindowEnabled(GetDlgItem(dialog, IDC_MOVE_UP_BUTTON)) != FALSE,
            IsWindowEnabled(GetDlgItem(dialog, IDC_MOVE_DOWN_BUTTON)) != FALSE};
}

TEST(OpenDialogList, AddedLinesGoBeforeTheFirstSectionAndSectionsToTheEnd) {
    TempDirectory directory;
    AppUnderTest app;
    WriteBytes("kwibra.ini", SettingsText({"a", " -節", "b"}));
    app->LoadSettings(true);

    std::vector<std::vector<std::string>> seen;
    std::vector<MoveButtons> buttons;
    bool ran = false;
    ProbeDialog dialog([&](ProbeDialog& d) {
        ran = true;
        for (const char* line : {"a", " -節", "b"})
            SendMessageA(d.list(), LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(line));
        SendMessageA(d.list(), LB_SETCURSEL, 0, 0);
        app->settingsDialog = &d;

        app->AddLine("追加\tした", app->PhraseMenu, nullptr);
        seen.push_back(ListTexts(d.list()));
        buttons.push_back(MoveButtonsOf(d.hwnd()));

        app->AddLine(" -新しい", nullptr, nullptr);
        app->AddLine("---", nullptr, nullptr);
        SendMessageA(d.list(), LB_SETCURSEL, SendMessageA(d.list(), LB_GETCOUNT, 0, 0) - 1, 0);
        app->AddLine("x", nullptr, nullptr);
        seen.push_back(ListTexts(d.list()));
        buttons.push_back(MoveButtonsOf(d.hwnd()));

        SendMessageA(d.list(), LB_SETCURSEL, 2, 0);
        app->AddLine("y", nullptr, nullptr);
        buttons.push_back(MoveButtonsOf(d.hwnd()));
        app->settingsDialog = nullptr;
    });
    dialog.ShowModal();
    ASSERT_TRUE(ran);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], (std::vector<std::string>{"a", "追加        した", " -節", "b"}));
    EXPECT_EQ(seen[1],
              (std::vector<std::string>{"a", "追加        した", "---", "x", " -節", "b", " -新しい"}));
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_FALSE(buttons[0].up);
    EXPECT_TRUE(buttons[0].down);
    EXPECT_TRUE(buttons[1].up);
    EXPECT_FALSE(buttons[1].down);
    EXPECT_TRUE(buttons[2].up);
    EXPECT_TRUE(buttons[2].down);

    // The menus got the same lines.
    const HMENU newest = EntryAt(app->MainMenu(), 3).popup;
    EXPECT_EQ(EntryTexts(newest), (std::vector<std::string>{"---", "x", "y"}));
}

TEST(OpenDialogList, LineWithoutParentGoesToTheNewestSection) {
    TempDirectory directory;
    AppUnderTest app;
    app->LoadSettings(true);
    app->AddLine("z", nullptr, nullptr);
    EXPECT_EQ(EntryTexts(EntryAt(app->MainMenu(), 2).popup).back(), "z");
}

}  // namespace
