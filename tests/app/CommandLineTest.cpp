// The one option of the command line.
#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace {

TEST(CommandLine, HyphenOSelectsNonResidentMode)
{
    const struct {
        const char* line;
        bool nonResident;
    } cases[] = {
        {"-o", true},       {"-O", true},        {"   -O", true},    {"file-o", true},
        {"-x -o", true},    {"--o", true},       {"a b -oz", true},  {"\"C:\\x y\\\" -o", true},
        {"", false},        {"o", false},        {"- o", false},     {"-", false},
        {"  -", false},     {"-x", false},       {"\t-", false},    {"O-", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RequestsNonResident(c.line), c.nonResident) << "[" << c.line << "]";
    EXPECT_FALSE(RequestsNonResident(nullptr));
}

} // namespace
