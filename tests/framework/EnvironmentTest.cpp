// Linked first: everything else assumes the Japanese ANSI code page.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

TEST(Environment, AnsiCodePageIsShiftJis) {
    EXPECT_EQ(932u, GetACP());
    EXPECT_EQ(std::string("\x95\x5C"), std::string("表"));
    EXPECT_TRUE(IsDBCSLeadByte(0x83));
    EXPECT_FALSE(IsDBCSLeadByte(0xB1));  // half-width katakana is one byte
}
