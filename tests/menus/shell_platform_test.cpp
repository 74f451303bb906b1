#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "menus/ShellPlatform.h"

namespace {

int IconWidth(IconHandle list)
{
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(list), &width, &height);
    return width;
}

std::string DatePrefix(const SYSTEMTIME& t)
{
    return std::to_string(t.wYear) + "年" + std::to_string(t.wMonth) + "月" + std::to_string(t.wDay) + "日";
}

TEST(ShellPlatform, RunsInTheJapaneseCodePage)
{
    ASSERT_EQ(GetACP(), 932u);
}

TEST(ShellPlatform, LongDateIsTodayInJapanese)
{
    ASSERT_EQ(GetACP(), 932u);
    SYSTEMTIME before;
    GetLocalTime(&before);
    const std::string date = ShellPlatform().LongDate();
    SYSTEMTIME after;
    GetLocalTime(&after);
    EXPECT_TRUE(date.rfind(DatePrefix(before), 0) == 0 || date.rfind(DatePrefix(after), 0) == 0) << date;
    EXPECT_GT(date.size(), DatePrefix(after).size());
}

TEST(ShellPlatform, TimeHasHoursMinutesAndSeconds)
{
    const std::string time = ShellPlatform().TimeOfDay();
    ASSERT_GE(time.size(), 7u) << time;
    EXPECT_EQ(time.find(':'), time.size() - 6) << time;
    EXPECT_EQ(time.rfind(':'), time.size() - 3) << time;
}

TEST(ShellPlatform, ExistingPathHasAnIconAndAMissingOneNone)
{
    ShellPlatform shell;
    const ShellIcon drive = shell.IconForPath("C:\\", 16);
    ASSERT_NE(drive.imageList, 0u);
    EXPECT_GT(drive.imageCount, drive.index);
    EXPECT_GE(drive.index, 0);
    const ShellIcon missing = shell.IconForPath("C:\\no such folder\\no such file.xyz", 16);
    EXPECT_EQ(missing.imageList, 0u);
}

TEST(ShellPlatform, SizeChoosesTheSmallOrLargeList)
{
    ShellPlatform shell;
    const ShellIcon small = shell.IconForPath("C:\\", 16);
    const ShellIcon large = shell.IconForPath("C:\\", 32);
    ASSERT_NE(small.imageList, 0u);
    ASSERT_NE(large.imageList, 0u);
    EXPECT_NE(small.imageList, large.imageList);
    EXPECT_EQ(IconWidth(small.imageList), GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(IconWidth(large.imageList), GetSystemMetrics(SM_CXICON));
}

TEST(ShellPlatform, CurrentDirectoryIsTheProcesssOwn)
{
    char windows[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
    ASSERT_GT(length, 0u);
    char saved[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, saved), 0u);
    ASSERT_TRUE(SetCurrentDirectoryA(windows));
    const std::string directory = ShellPlatform().CurrentDirectory();
    SetCurrentDirectoryA(saved);
    EXPECT_EQ(CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, directory.c_str(), -1, windows, -1), CSTR_EQUAL)
        << directory << " / " << windows;
}

} // namespace
