#include <gtest/gtest.h>

#include "../data/ShiftJisBytes.h"
#include "settings/LineText.h"

// A chosen file's path becomes a command named after the file, whose name a two-byte "\" does not end.
TEST(SettingsLineText, APathBecomesACommandNamedAfterItsFile) {
    EXPECT_EQ(" * a.b : C:/d.x/a.b.txt", CommandLineForPath("C:/d.x/a.b.txt", "memo "));
    for (const std::string path : {"C:\\ソフト\\readme", "表.txt"})
        EXPECT_EQ("memo " + path, CommandLineForPath(path, "memo "));
    for (const auto& [byte, lead] : ShiftJisBytes) {
        const std::string path = "C:\\" + byte + "\\x.txt";
        EXPECT_EQ(" * " + (lead ? byte + "\\x" : "x") + " : " + path, CommandLineForPath(path, "memo "));
    }
}
