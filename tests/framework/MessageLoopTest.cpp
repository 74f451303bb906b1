#include "FrameworkTestIds.h"
#include "FrameworkTestSupport.h"
#include "MessageLoop.h"
#include "WindowRegistry.h"

namespace {

using MessageLoopTest = FrameworkTest;

}  // namespace

TEST_F(MessageLoopTest, LoopsReturnTheQuitCode) {
    for (const int code : {0, 42, -3}) {
        PostQuitMessage(code);
        EXPECT_EQ(code, RunMessageLoop());
        PostQuitMessage(code);
        EXPECT_EQ(code, RunPlainMessageLoop());
    }
}

TEST_F(MessageLoopTest, AcceleratorsOfTheActiveWindowComeFirst) {
    Log firstLog, secondLog;
    RecordingWindow first(&firstLog), second(&secondLog);
    const HACCEL table = LoadAcceleratorsA(instance(), MAKEINTRESOURCEA(IDA_TEST));
    ASSERT_NE(nullptr, table);
    ASSERT_TRUE(first.CreateDefault());
    ASSERT_TRUE(second.CreateDefault());
    first.SetAccelerator(table);
    second.SetAccelerator(table);

    struct Row {
        const char* name;
        SmartWindow* active;
        int (*loop)();
        Log first, second;
    };
    const Row rows[] = {
        {"active window first", &second, RunMessageLoop, {}, {"OnCommandId 2010", "OnCommand 1 2010 null"}},
        {"then creation order", nullptr, RunMessageLoop, {"OnCommandId 2010", "OnCommand 1 2010 null"}, {}},
        {"plain loop", &second, RunPlainMessageLoop, {"OnKeyDown 0x76"}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        SetActiveWindowObject(row.active);
        firstLog.clear();
        secondLog.clear();
        PostMessageA(first.hwnd(), WM_KEYDOWN, VK_F7, 0);
        PostQuitMessage(0);
        EXPECT_EQ(0, row.loop());
        EXPECT_EQ(row.first, Only(firstLog, {"OnCommand", "OnKeyDown"}));
        EXPECT_EQ(row.second, Only(secondLog, {"OnCommand", "OnKeyDown"}));
    }

    SetActiveWindowObject(&second);
    second.SetAccelerator(nullptr);
    firstLog.clear();
    PostMessageA(first.hwnd(), WM_KEYDOWN, VK_F7, 0);
    PostQuitMessage(0);
    RunMessageLoop();
    EXPECT_EQ(Log{"OnCommandId 2010"}, Only(firstLog, {"OnCommandId"}))
        << "an active window without a table is passed over";
    first.Destroy();
    second.Destroy();
}
