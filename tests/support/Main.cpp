// Without the Japanese code page every Shift-JIS expectation would fail for another reason.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

namespace {

class JapaneseCodePage : public ::testing::Environment {
    void SetUp() override {
        ASSERT_EQ(932u, GetACP()) << "run under Wine with LC_ALL=ja_JP.UTF-8";
        ASSERT_EQ(std::string("\x95\x5C"), "表") << "compile with -fexec-charset=CP932";
    }
};

// Without a window manager, Wine waits seconds for one each time a window is hidden, the tray's own window
// too when its last icon goes. One icon of the test process stays in the tray for the whole run.
void KeepTheTrayShown() {
    static NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = CreateWindowA("STATIC", "tests", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    icon.uID = 99;
    icon.uFlags = NIF_ICON;
    icon.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    Shell_NotifyIconA(NIM_ADD, &icon);
}

}  // namespace

int main(int argc, char** argv) {
    KeepTheTrayShown();
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new JapaneseCodePage);
    return RUN_ALL_TESTS();
}
