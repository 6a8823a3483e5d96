// The newcomer's demo, run by scripts/run inside its own Wine prefix.
//   pellinor_demo.exe prepare WWW   an "old" lock program installed under
//                                   C:\Hotel\Tessaron with a desktop shortcut,
//                                   and the "new" one put in WWW\V9\02\ for
//                                   the demo's download server
//   pellinor_demo.exe drive SHOTS   starts the old program and Pellinor, clicks
//                                   through the upgrade, a screenshot per step
//   pellinor_demo.exe check         says which version is installed
//   pellinor_demo.exe scales SHOTS [EXE]
//                                   the window at 100, 125, 150 and 200 %
//                                   in English and Chinese, and its question
//                                   box, a picture of each
// Exit code 0 when the installed program is the new one (drive, check), or
// when every scale was shown (scales).
#include <objbase.h>
#include <shellapi.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "driver/ChildProcess.h"
#include "driver/Files.h"
#include "driver/MessageBoxes.h"
#include "driver/ScreenDpi.h"
#include "driver/Screenshot.h"
#include "driver/Shortcuts.h"
#include "driver/UiDriver.h"
#include "helpers/VersionTrailer.h"
#include "platform/win32/Utf.h"

namespace pellinor::e2e {
namespace {

const std::string kFolder = "C:\\Hotel\\Tessaron\\";
const std::string kOldVersion = "R7.35 (old)";
const std::string kNewVersion = "R7.35 (new)";

void MakeFolders(const std::string& folder) {
    for (size_t at = folder.find('\\', 3); at != std::string::npos;
         at = folder.find('\\', at + 1)) {
        ::CreateDirectoryW(Widen(folder.substr(0, at)).c_str(), nullptr);
    }
}

std::string Installed() {
    return VersionOf(ReadBytes(kFolder + "Tessaron.Exe"));
}

int Prepare(const std::string& www) {
    const std::string program = ReadBytes(ExeFolder() + "tessaron.exe");
    if (program.empty()) {
        std::printf("demo: tessaron.exe is missing beside the demo\n");
        return 2;
    }
    MakeFolders(kFolder);
    const std::string served = www + "\\V9\\02\\";
    MakeFolders(served);
    if (!WriteBytes(kFolder + "Tessaron.Exe", WithVersionTrailer(program, kOldVersion)) ||
        !WriteBytes(served + "Tessaron.Exe", WithVersionTrailer(program, kNewVersion)) ||
        !MakeShortcut(UserDesktopFolder() + "Tessaron-System.lnk", kFolder + "Tessaron.Exe",
                      kFolder)) {
        std::printf("demo: could not prepare the installation\n");
        return 2;
    }
    std::printf("demo: installed %s in %s, with a shortcut on the desktop\n", kOldVersion.c_str(),
                kFolder.c_str());
    return 0;
}

class Steps {
  public:
    explicit Steps(std::string folder) : folder_(std::move(folder)) {}
    void Shot(const std::string& name) {
        const std::string path = folder_ + "\\" + std::to_string(++count_) + "-" + name + ".png";
        SaveWindowPng(::GetDesktopWindow(), path);
    }

  private:
    std::string folder_;
    int count_ = 0;
};

// Waits for the next box of Pellinor; says what it shows.
std::optional<DialogInfo> NextBox(UiDriver& ui, uint32_t timeoutMs = 30000) {
    std::optional<DialogInfo> box = ui.WaitForDialog(timeoutMs);
    if (box) std::printf("demo: box \"%s\": %s\n", box->caption.c_str(), box->text.c_str());
    return box;
}

void Answer(const DialogInfo& box, int button) {
    AnswerDialog(box.handle, button);
    WaitUntil([&] { return !::IsWindow(box.handle); });
}

int Drive(const std::string& shots) {
    Steps steps(shots);
    ChildProcess running(kFolder + "Tessaron.Exe");  // the lock program, in use at the front desk
    ::Sleep(500);
    UiDriver ui(ExeFolder() + "demo\\Pellinor.exe");
    if (!ui.Started()) {
        std::printf("demo: Pellinor did not start\n");
        return 2;
    }
    steps.Shot("window");
    ui.Click(Control::BitBtn2);
    std::optional<DialogInfo> box = NextBox(ui);
    if (!box || box->caption != "N9079") return 1;
    steps.Shot("confirm");
    Answer(*box, IDOK);
    WaitUntil([&] { return ui.ProgressPosition() > 0; }, 5000);
    steps.Shot("download");
    box = NextBox(ui);
    if (box) {
        steps.Shot(box->caption == "N9082" ? "done" : "failed");
        Answer(*box, IDOK);
    }
    ui.WaitForExit(10000);
    const std::string version = Installed();
    std::printf("demo: the installed Tessaron.Exe is now %s; the old copy %s\n", version.c_str(),
                running.Running() ? "is still running" : "was ended");
    return version == kNewVersion ? 0 : 1;
}

// Each scale in both languages, then the upgrade's question, which is
// answered Cancel, so nothing is changed.
int Scales(const std::string& shots, const std::string& exe) {
    for (const int dpi : {96, 120, 144, 192}) {
        const ScreenDpi logPixels(static_cast<DWORD>(dpi));
        UiDriver ui(exe);
        if (!ui.Started()) {
            std::printf("demo: Pellinor did not start at %d DPI\n", dpi);
            return 2;
        }
        const std::string name = shots + "\\scale-" + std::to_string(dpi * 100 / 96) + "-";
        RECT frame{};
        ::GetWindowRect(ui.MainWindow(), &frame);
        std::printf("demo: %d DPI: the window is %ld x %ld\n", dpi, frame.right - frame.left,
                    frame.bottom - frame.top);
        ::Sleep(500);  // the illustration follows the first paint
        SaveWindowPng(ui.MainWindow(), name + "english.png");
        ui.DoubleClick(Control::StatusBar1);
        ::SetCursorPos(0, 0);  // off the bar, whose hint would cover the picture
        ::Sleep(500);
        SaveWindowPng(ui.MainWindow(), name + "chinese.png");
        ui.Click(Control::BitBtn2);
        if (std::optional<DialogInfo> box = NextBox(ui)) {
            SaveWindowPng(box->handle, name + "question.png");
            Answer(*box, IDCANCEL);
        }
        ui.Click(Control::cmdExit);
        ui.WaitForExit();
    }
    return 0;
}

}  // namespace
}  // namespace pellinor::e2e

int wmain(int argc, wchar_t** argv) {
    using namespace pellinor::e2e;
    ::CoInitialize(nullptr);
    const std::string command = argc > 1 ? pellinor::Narrow(argv[1]) : "";
    const std::string argument = argc > 2 ? pellinor::Narrow(argv[2]) : "";
    int result = 2;
    if (command == "prepare" && !argument.empty()) {
        result = Prepare(argument);
    } else if (command == "drive" && !argument.empty()) {
        result = Drive(argument);
    } else if (command == "scales" && !argument.empty()) {
        result = Scales(argument,
                        argc > 3 ? pellinor::Narrow(argv[3]) : ExeFolder() + "demo\\Pellinor.exe");
    } else if (command == "check") {
        const std::string version = Installed();
        std::printf("demo: the installed Tessaron.Exe is %s\n", version.c_str());
        result = version == kNewVersion ? 0 : 1;
    } else {
        std::printf(
            "usage: pellinor_demo prepare WWW | drive SHOTS | check | scales SHOTS [EXE]\n");
    }
    std::fflush(stdout);
    ::CoUninitialize();
    return result;
}
