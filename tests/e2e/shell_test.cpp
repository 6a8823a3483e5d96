// Win32Shell under Wine: the desktop folder, working folders read from real
// shortcut files, the error when no shortcut object can be made, and "open".
#include <shlobj.h>

#include <thread>

#include "Fixture.h"
#include "platform/Error.h"
#include "platform/win32/Utf.h"
#include "platform/win32/Win32Shell.h"

namespace pellinor::e2e {
namespace {

class ShellTest : public WineTest {
  protected:
    Win32Shell shell_{[] { return static_cast<HWND>(nullptr); }};
};

TEST_F(ShellTest, DesktopFolderIsTheUsersDesktop) {
    std::string expected = UserDesktopFolder();
    ASSERT_FALSE(expected.empty());
    expected.pop_back();  // the shell names folders without the "\"
    EXPECT_EQ(shell_.DesktopFolder(), expected);
}

TEST_F(ShellTest, ShortcutGivesItsWorkingFolder) {
    const std::string install = MakeFolder("门锁 软件");
    const std::string target = CopyProgram("tessaron", install + "Tessaron.Exe");
    const std::string links = MakeFolder("links");
    ASSERT_TRUE(MakeShortcut(links + "with.lnk", target, install));
    ASSERT_TRUE(MakeShortcut(links + "without.lnk", target, ""));
    ASSERT_TRUE(WriteBytes(links + "broken.lnk", "not a shortcut"));

    std::string expected = install;
    expected.pop_back();  // stored as given, here without the "\"
    ASSERT_TRUE(MakeShortcut(links + "plain.lnk", target, expected));

    EXPECT_EQ(shell_.ShortcutWorkingDirectory(links + "with.lnk"), install);
    EXPECT_EQ(shell_.ShortcutWorkingDirectory(links + "plain.lnk"), expected);
    EXPECT_EQ(shell_.ShortcutWorkingDirectory(links + "without.lnk"), "");
    EXPECT_EQ(shell_.ShortcutWorkingDirectory(links + "broken.lnk"), "");
    EXPECT_EQ(shell_.ShortcutWorkingDirectory(links + "missing.lnk"), "");
}

TEST_F(ShellTest, NoShortcutObjectWithoutComRaisesAnError) {
    // A thread that never initialised COM cannot make the object.
    std::string message;
    bool raised = false;
    std::thread worker([&] {
        try {
            shell_.ShortcutWorkingDirectory(TempFolder() + "any.lnk");
        } catch (const Error& error) {
            raised = true;
            message = error.what();
        }
    });
    worker.join();
    EXPECT_TRUE(raised);
    EXPECT_FALSE(message.empty());
}

TEST_F(ShellTest, OpenStartsTheProgram) {
    const std::string program = CopyProgram("marker", MakeFolder("set up") + "R7.35Setup.exe");
    shell_.Open(program);
    const std::string trace = program + ".marker";
    ASSERT_TRUE(WaitUntil([&] { return !ReadBytes(trace).empty(); }));
    EXPECT_EQ(ReadBytes(trace), program + "\n");
}

}  // namespace
}  // namespace pellinor::e2e
