// The desktop scan on the real Pellinor.exe, with real shortcut files made
// through the shell: which folders the upgrade lists, and in which order.
#include <algorithm>

#include "Fixture.h"

namespace pellinor::e2e {
namespace {

class DesktopScanTest : public WineTest {
  protected:
    std::string Installation(const std::string& relative,
                             const std::string& exeName = "Tessaron.Exe") {
        const std::string folder = MakeFolder(relative);
        EXPECT_TRUE(WriteBytes(folder + exeName, "MZ stand-in"));
        return folder;
    }
};

TEST_F(DesktopScanTest, ListsEveryShortcutsFolderThatHoldsTheProgram) {
    const std::string own = Installation("Own");
    const std::string pro = Installation("Pro", "TessaronPro.Exe");
    const std::string shared = Installation("Shared");
    const std::string noProgram = MakeFolder("Empty");
    const std::string folderNamedLikeIt = MakeFolder("Decoy");
    MakeFolder("Decoy\\Tessaron.Exe");

    MakeDesktopShortcut(Desktop::User, "Own.lnk", own + "Tessaron.Exe", own);
    // No trailing backslash in the working folder, in a sub-folder, upper-case extension.
    MakeDesktopShortcut(Desktop::User, "Hotel\\Pro.LNK", pro + "TessaronPro.Exe",
                        pro.substr(0, pro.size() - 1));
    MakeDesktopShortcut(Desktop::User, "Again.lnk", own + "Tessaron.Exe", own);
    // A shortcut to the program without a working folder counts for nothing.
    MakeDesktopShortcut(Desktop::User, "NoFolder.lnk", own + "Tessaron.Exe", "");
    MakeDesktopShortcut(Desktop::User, "Nothing.lnk", noProgram + "x.exe", noProgram);
    MakeDesktopShortcut(Desktop::User, "Decoy.lnk", folderNamedLikeIt + "x.exe", folderNamedLikeIt);
    MakeDesktopShortcut(Desktop::Public, "Shared.lnk", shared + "Tessaron.Exe", shared);

    UiDriver& ui = StartPellinor();
    ASSERT_TRUE(ui.Started());
    ui.Click(Control::BitBtn2);
    std::optional<DialogInfo> box = ui.WaitForDialog(20000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "N9080, 4");
    AnswerDialog(box->handle, IDOK);

    std::vector<std::string> items = ui.ListItems();
    ASSERT_EQ(items.size(), 4u);
    // The user's own desktop comes first, each item marked by a blank; its
    // order is the file system's, so compare it as a set.
    std::vector<std::string> own3(items.begin(), items.begin() + 3);
    std::sort(own3.begin(), own3.end());
    std::vector<std::string> expected = {" " + own, " " + own, " " + pro};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(own3, expected);
    EXPECT_EQ(items[3], shared) << "the Public desktop's items carry no blank";
    EXPECT_TRUE(ui.Visible(Control::ListBox2));
    EXPECT_TRUE(ui.Visible(Control::Label2));
}

}  // namespace
}  // namespace pellinor::e2e
