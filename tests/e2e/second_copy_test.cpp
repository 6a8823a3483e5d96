// One copy of Pellinor.exe per session: a second start while one runs brings
// the running one's window to the front and ends without a window of its own.
#include <chrono>
#include <cstdio>

#include "Fixture.h"

namespace pellinor::e2e {
namespace {

BOOL CALLBACK CountMainWindow(HWND window, LPARAM context) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    if (std::wstring(name) == L"TForm1") ++*reinterpret_cast<int*>(context);
    return TRUE;
}

// Every window of Pellinor's class on the desktop.
int MainWindowCount() {
    int count = 0;
    ::EnumWindows(CountMainWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

using SecondCopyTest = WineTest;

TEST_F(SecondCopyTest, BringsTheFirstCopyToTheFrontAndEnds) {
    UiDriver& first = StartPellinor();
    ASSERT_TRUE(first.Started());
    // Another program takes the front, as the user's next window would.
    ChildProcess& other = StartProgram(ProgramPath("plain_window"));
    ASSERT_TRUE(other.Started());
    HWND plain = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        plain = ::FindWindowW(L"PellinorPlainWindow", nullptr);
        return plain && ::GetForegroundWindow() == plain;
    })) << "the plain window did not come to the front";

    const auto start = std::chrono::steady_clock::now();
    ChildProcess& second = StartProgram(UiDriver::DefaultExePath());
    ASSERT_TRUE(second.WaitForExit(10000)) << "the second copy did not end";
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("the second copy ended after %.3f s with exit code %lu\n", seconds,
                static_cast<unsigned long>(second.ExitCode()));
    EXPECT_EQ(second.ExitCode(), 0u);

    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == first.MainWindow(); }))
        << "the first copy is not in front";
    EXPECT_EQ(MainWindowCount(), 1) << "a second window was made";
    EXPECT_TRUE(first.Running());
    first.Click(Control::cmdExit);
    EXPECT_TRUE(first.WaitForExit(5000));
}

}  // namespace
}  // namespace pellinor::e2e
