// Bad desktops against the real Pellinor.exe: shortcut files that are not
// shortcuts, a working folder longer than the shell's buffer, and a desktop
// of ten thousand shortcuts. The scan skips what it cannot read, never
// crashes, finishes, and keeps the window alive while it walks.
#include <iostream>
#include <random>

#include "UpgradeScenario.h"
#include "text/Texts.h"

namespace pellinor::e2e {
namespace {

// Files the test puts on the desktop itself, removed again at its end.
class DesktopFiles {
  public:
    DesktopFiles() = default;
    DesktopFiles(const DesktopFiles&) = delete;
    DesktopFiles& operator=(const DesktopFiles&) = delete;
    ~DesktopFiles() { Clear(); }
    void Add(const std::string& path) { paths_.push_back(path); }
    void Clear() {
        for (const std::string& path : paths_) ::DeleteFileW(Widen(path).c_str());
        paths_.clear();
    }

  private:
    std::vector<std::string> paths_;
};

std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
    return bytes;
}

class ScanFaults : public UpgradeScenario {
  protected:
    // The old program in a folder of over 300 characters (names of 49),
    // with a shortcut on the desktop that names that folder.
    std::string DeepInstallation() {
        std::string relative;
        while (TempFolder().size() + relative.size() < 300) {
            relative += std::string(49, static_cast<char>('a' + relative.size() / 50)) + "\\";
        }
        const std::string deep = MakeFolder(relative);
        EXPECT_GE(deep.size(), 300u);
        EXPECT_TRUE(WriteBytes(deep + "Tessaron.Exe", oldBytes_)) << deep;
        MakeDesktopShortcut(Desktop::User, "Deep.lnk", deep + "Tessaron.Exe", deep);
        return deep;
    }
};

TEST_F(ScanFaults, CorruptAndEmptyShortcutsAreSkippedSilently) {
    const std::string folder = Install("Lock");
    const std::string desktop = UserDesktopFolder();
    const std::string good = ReadBytes(desktop + "Lock.lnk");
    ASSERT_GT(good.size(), 76u) << "a shortcut file starts with its 76-byte header";
    DesktopFiles files;
    // Noise; a shortcut's header followed by noise; a shortcut cut short;
    // nothing at all. All of them sort before the good one.
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"A random.lnk", RandomBytes(4096, 1)},
        {"B header.lnk", good.substr(0, 76) + RandomBytes(4096, 2)},
        {"C cut.lnk", good.substr(0, good.size() / 2)},
        {"D empty.lnk", ""},
    };
    for (const auto& [name, bytes] : bad) {
        ASSERT_TRUE(WriteBytes(desktop + name, bytes)) << name;
        files.Add(desktop + name);
    }
    ServeNewProgram();
    UiDriver& ui = Start();

    const UpgradeOutcome outcome = RunUpgrade(ui);
    EXPECT_EQ(outcome.confirmation.text, Tr(TextId::N9079, false) + folder);
    EXPECT_EQ(outcome.Captions(), std::vector<std::string>{"N9082"}) << outcome.Describe();
    EXPECT_TRUE(outcome.ended);
    ExpectPromisesKept(folder, outcome);
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), newBytes_);
}

TEST_F(ScanFaults, WorkingFolderOf300CharactersIsReadWhole) {
    const std::string deep = DeepInstallation();
    ServeNewProgram();
    UiDriver& ui = Start();

    // The folder is read whole, never cut to a shorter one. Whether the
    // replacement then works depends on the file system's limit on path
    // lengths (Wine has none); either way the promises hold.
    const UpgradeOutcome outcome = RunUpgrade(ui);
    EXPECT_EQ(outcome.confirmation.text, Tr(TextId::N9079, false) + deep);
    ExpectPromisesKept(deep, outcome);
    EXPECT_TRUE(outcome.Succeeded() || outcome.NamesAFailure()) << outcome.Describe();
}

TEST_F(ScanFaults, WorkingFolderCutShortIsNotTakenForAnotherFolder) {
    const std::string deep = DeepInstallation();
    // What a buffer of 260 characters would keep of the long folder (259
    // characters) ends inside one of its names; here that shorter name is a
    // folder with a lock program of its own, which the shortcut does not name.
    const std::string other = deep.substr(0, 259) + "\\";
    ASSERT_NE(deep.compare(0, other.size(), other), 0);
    ASSERT_TRUE(::CreateDirectoryW(Widen(other).c_str(), nullptr)) << other;
    ASSERT_TRUE(WriteBytes(other + "Tessaron.Exe", oldBytes_));
    ServeNewProgram();
    UiDriver& ui = Start();

    ui.Click(Control::BitBtn2);
    const DialogInfo box = Answer(ui, "N9079", IDCANCEL);
    EXPECT_EQ(box.text, Tr(TextId::N9079, false) + deep) << "only the folder the shortcut names";
    EXPECT_EQ(ui.ListItems(), std::vector<std::string>{" " + deep});
    EXPECT_EQ(ReadBytes(other + "Tessaron.Exe"), oldBytes_);
    EXPECT_EQ(ReadBytes(deep + "Tessaron.Exe"), oldBytes_);
    EXPECT_TRUE(server_.Requests().empty());
}

TEST_F(ScanFaults, DesktopOfTenThousandShortcuts) {
    const std::string folder = Install("Lock");
    const std::string desktop = UserDesktopFolder();
    // Shortcuts to a folder without the program, copied from one real one.
    const std::string elsewhere = MakeFolder("Elsewhere");
    const std::string model = TempFolder() + "model.lnk";
    ASSERT_TRUE(MakeShortcut(model, elsewhere + "Other.exe", elsewhere));
    DesktopFiles files;
    const DWORD made = ::GetTickCount();
    const std::string bytes = ReadBytes(model);
    for (int i = 0; i < 10000; ++i) {
        const std::string link = desktop + "Many " + std::to_string(10000 + i) + ".lnk";
        ASSERT_TRUE(WriteBytes(link, bytes)) << link;
        files.Add(link);
    }
    std::cout << "[ desktop  ] 10000 shortcuts made in " << ::GetTickCount() - made << " ms\n";
    ServeNewProgram();
    UiDriver& ui = Start();

    // While the scan runs, the window answers messages: it never counts as
    // hung (5 s without reading its messages), so the probe never gives up.
    const DWORD start = ::GetTickCount();
    ui.Click(Control::BitBtn2);
    int probes = 0, answered = 0, answeredWhileScanning = 0;
    DWORD slowest = 0;
    while (ui.Dialogs().empty() && ::GetTickCount() - start < 120000) {
        const DWORD sent = ::GetTickCount();
        DWORD_PTR result = 0;
        ++probes;
        if (::SendMessageTimeoutW(ui.MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000,
                                  &result)) {
            ++answered;
            // The box comes only after the walk: without it, the answer
            // came from inside the walk.
            if (ui.Dialogs().empty()) ++answeredWhileScanning;
        }
        slowest = std::max<DWORD>(slowest, ::GetTickCount() - sent);
        ::Sleep(20);
    }
    const DWORD scan = ::GetTickCount() - start;
    std::cout << "[ scan     ] " << scan << " ms for 10001 shortcuts; " << answered << " of "
              << probes << " probes answered (" << answeredWhileScanning
              << " during the walk), slowest " << slowest << " ms\n";
    ASSERT_FALSE(ui.Dialogs().empty()) << "the scan did not finish";
    EXPECT_EQ(answered, probes);
    EXPECT_GT(answeredWhileScanning, 0);

    const DialogInfo confirm = Answer(ui, "N9079", IDCANCEL);
    EXPECT_EQ(confirm.text, Tr(TextId::N9079, false) + folder);
    EXPECT_EQ(ui.ListItems(), std::vector<std::string>{" " + folder});
    EXPECT_TRUE(server_.Requests().empty());
    const DWORD cleaning = ::GetTickCount();
    files.Clear();
    std::cout << "[ desktop  ] removed in " << ::GetTickCount() - cleaning << " ms\n";
}

}  // namespace
}  // namespace pellinor::e2e
