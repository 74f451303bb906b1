#include <gtest/gtest.h>

#include "../data/ShiftJisBytes.h"
#include "settings/LineText.h"

// A path with a directory and an extension becomes a command line named after its file; a "\" that
// ends a two-byte character separates nothing. Other paths become memo lines.
TEST(SettingsLineText, APathBecomesACommandNamedAfterItsFile) {
    EXPECT_EQ(" * a.b : C:/d.x/a.b.txt", CommandLineForPath("C:/d.x/a.b.txt", "memo "));
    for (const std::string path : {"C:\\ソフト\\readme", "表.txt"})
        EXPECT_EQ("memo " + path, CommandLineForPath(path, "memo "));
    for (const auto& [byte, lead] : ShiftJisBytes) {
        const std::string path = "C:\\" + byte + "\\x.txt";
        EXPECT_EQ(" * " + (lead ? byte + "\\x" : "x") + " : " + path, CommandLineForPath(path, "memo "));
    }
}
