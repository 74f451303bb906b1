#include <windows.h>

#include <gtest/gtest.h>

// Every other test compares Shift-JIS bytes, which needs the Japanese code
// page; this file comes first in the executable so a wrong locale shows first.
TEST(CodePage, IsShiftJis)
{
    ASSERT_EQ(GetACP(), 932u);
    EXPECT_EQ(std::string("表"), "\x95\x5C");
    char wide[8] = {};
    ASSERT_GT(WideCharToMultiByte(CP_ACP, 0, L"\u30BD", 1, wide, sizeof(wide), nullptr, nullptr), 0);
    EXPECT_STREQ(wide, "\x83\x5C");
}
