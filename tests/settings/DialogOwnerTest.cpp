#include <gtest/gtest.h>

#include "AppFixture.h"
#include "DialogSteps.h"
#include "Files.h"
#include "resource.h"

namespace {

TEST(SettingsOwner, OkSavesTheEditedListAndRebuildsTheMenus) {
    TempFolder folder;
    AppWithWindow app("alpha\nbeta");
    RunDialog([&] { app.Command(IDM_SETTINGS); },
              {Expect([](HWND dialog) {
                   EXPECT_EQ((std::vector<std::string>{"alpha", "beta"}), ListLines(dialog, IDC_ITEM_LIST));
               }),
               TypeInto(IDC_LINE_EDIT, "gamma"), ClickOn(IDC_ADD_BUTTON), ClickOn(IDOK)});
    EXPECT_EQ(SettingsText("alpha\nbeta\ngamma"), ReadBytes(PhraseApp::settingsPath));
    EXPECT_EQ("alpha\nbeta\ngamma\n---\n", MenuTexts(app->PhraseMenu));
}

}  // namespace
