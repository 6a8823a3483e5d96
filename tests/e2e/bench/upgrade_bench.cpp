// One round of the Wine benchmark of the real Pellinor.exe, run under Wine by
// bench/wine_upgrade_bench (scripts/bench), which serves the new program and
// times its curl peer between rounds.
//   upgrade_bench.exe round BASE SERVED
// BASE is the download base (".../V9/02/"), SERVED the Windows path of the
// file the server sends. The round times the start of the plain window
// program, of the same window with the common controls, and of Pellinor.exe
// to their window being shown (five of each, in turn; the medians), then
// upgrades an installation found through a real desktop shortcut through
// Pellinor's window, and prints one line:
//   ok UPGRADE_S IDLE_KB PEAK_KB PELLINOR_START_S PLAIN_START_S CONTROLS_START_S
// UPGRADE_S runs from the click on OK in N9079 to the N9082 box, the
// program's deliberate one-second pause included; IDLE_KB is the Linux
// process's VmRSS before the click, PEAK_KB its VmHWM at the N9082 box.
// Anything else goes out as "failed <why>" with exit code 1.
#include <objbase.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "driver/ChildProcess.h"
#include "driver/Files.h"
#include "driver/MessageBoxes.h"
#include "driver/Shortcuts.h"
#include "driver/UiDriver.h"
#include "helpers/VersionTrailer.h"
#include "platform/win32/Utf.h"

namespace pellinor::e2e {
namespace {

const std::string kRoot = "C:\\pellinor-bench\\";
const std::string kInstall = kRoot + "Hotel\\";
const std::string kApp = kRoot + "app\\";
constexpr char kLinkName[] = "Pellinor-bench.lnk";
// How often the round looks for a window or a box: fine enough for figures
// of a tenth of a second and up, coarse enough not to take a processor from
// the program it watches.
constexpr DWORD kPollMs = 2;
// Longer than any upgrade of the benchmark's file may reasonably take.
constexpr double kGiveUpSeconds = 120;
// Starts of each program a round: one start moves by tens of percent on a
// shared machine, the median of five much less.
constexpr int kStartsEach = 5;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f{};
        ::QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t{};
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequency;
}

struct WindowSearch {
    DWORD processId;
    std::string className;
    HWND found;
};

BOOL CALLBACK FindShown(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    if (pid == search->processId && ::IsWindowVisible(window) &&
        WindowClass(window) == search->className) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Seconds from starting exePath to a shown top-level window of className;
// negative when none came. The program is closed again afterwards.
double TimeToWindow(const std::string& exePath, const std::string& className) {
    const double start = Now();
    ChildProcess program(exePath);
    if (!program.Started()) return -1;
    WindowSearch search{program.Id(), className, nullptr};
    while (!search.found && program.Running() && Now() - start < kGiveUpSeconds) {
        ::EnumWindows(FindShown, reinterpret_cast<LPARAM>(&search));
        if (!search.found) ::Sleep(kPollMs);
    }
    const double shown = Now() - start;
    if (!search.found) return -1;
    ::PostMessageW(search.found, WM_CLOSE, 0, 0);
    if (!program.WaitForExit(5000)) program.Terminate();
    return shown;
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// The /proc folder (as a Windows path on Wine's Z: drive) of the Linux
// process that runs exePath: Wine puts the Windows path of the exe into the
// process's command line. Empty when there is none.
std::string ProcFolderOf(const std::string& exePath) {
    const std::string wanted = Lower(exePath);
    WIN32_FIND_DATAW data{};
    const HANDLE find = ::FindFirstFileW(L"Z:\\proc\\*", &data);
    if (find == INVALID_HANDLE_VALUE) return std::string();
    std::string folder;
    do {
        const std::string name = Narrow(data.cFileName);
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::string commandLine = ReadBytes("Z:\\proc\\" + name + "\\cmdline");
        for (char& c : commandLine) {
            if (c == '\0') c = ' ';
        }
        if (Lower(commandLine).find(wanted) != std::string::npos) {
            folder = "Z:\\proc\\" + name + "\\";
            break;
        }
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return folder;
}

// A "Vm...:" figure of /proc/<pid>/status in KiB; -1 when missing.
long StatusKb(const std::string& procFolder, const std::string& field) {
    const std::string status = ReadBytes(procFolder + "status");
    const size_t at = status.find(field + ":");
    if (at == std::string::npos) return -1;
    return std::strtol(status.c_str() + at + field.size() + 1, nullptr, 10);
}

void MakeFolders(const std::string& folder) {
    for (size_t at = folder.find('\\', 3); at != std::string::npos;
         at = folder.find('\\', at + 1)) {
        ::CreateDirectoryW(Widen(folder.substr(0, at)).c_str(), nullptr);
    }
}

int Fail(const std::string& why) {
    std::printf("failed %s\n", why.c_str());
    return 1;
}

// Waits for the next box of the program; nothing when none came in time.
std::optional<DialogInfo> NextBox(UiDriver& ui, double timeoutSeconds) {
    const double start = Now();
    while (Now() - start < timeoutSeconds) {
        const std::vector<HWND> boxes = ui.Dialogs();
        if (!boxes.empty()) return ReadDialog(boxes.front());
        if (!ui.Running()) break;
        ::Sleep(kPollMs);
    }
    return std::nullopt;
}

void Answer(const DialogInfo& box) {
    AnswerDialog(box.handle, IDOK);
    WaitUntil([&] { return !::IsWindow(box.handle); });
}

int Round(const std::string& base, const std::string& served) {
    const std::string newBytes = ReadBytes(served);
    const std::string program = ReadBytes(ExeFolder() + "tessaron.exe");
    if (newBytes.size() < 2 || program.empty()) return Fail("cannot read the programs");

    MakeFolders(kInstall);
    MakeFolders(kApp);
    const std::string target = kInstall + "Tessaron.Exe";
    const std::string link = UserDesktopFolder() + kLinkName;
    const std::string pellinor = kApp + "Pellinor.exe";
    if (!WriteBytes(target, WithVersionTrailer(program, "old")) ||
        !MakeShortcut(link, target, kInstall) ||
        !::CopyFileW(Widen(ExeFolder() + "Pellinor.exe").c_str(), Widen(pellinor).c_str(), FALSE)) {
        return Fail("cannot prepare the installation");
    }

    // The programs start in turn, so that all meet the same load of a
    // shared machine; the medians go out.
    std::vector<double> plainStarts;
    std::vector<double> controlsStarts;
    std::vector<double> pellinorStarts;
    for (int turn = 0; turn < kStartsEach; ++turn) {
        plainStarts.push_back(
            TimeToWindow(ExeFolder() + "plain_window.exe", "PellinorPlainWindow"));
        controlsStarts.push_back(
            TimeToWindow(ExeFolder() + "plain_window_common_controls.exe", "PellinorPlainWindow"));
        pellinorStarts.push_back(TimeToWindow(pellinor, kMainWindowClass));
        if (plainStarts.back() < 0 || controlsStarts.back() < 0 || pellinorStarts.back() < 0) {
            return Fail("a window did not show");
        }
    }
    const double plainStart = Median(plainStarts);
    const double controlsStart = Median(controlsStarts);
    const double pellinorStart = Median(pellinorStarts);

    UiDriver ui(pellinor);
    if (!ui.Started()) return Fail("Pellinor did not start");
    ui.DoubleClick(Control::Image1);
    if (!WaitUntil([&] { return ui.Visible(Control::Edit1); })) return Fail("no base field");
    ui.SetEditText(base);
    const std::string proc = ProcFolderOf(pellinor);
    if (proc.empty()) return Fail("no Linux process runs " + pellinor);
    const long idleKb = StatusKb(proc, "VmRSS");

    ui.Click(Control::BitBtn2);
    const std::optional<DialogInfo> confirmation = NextBox(ui, 30);
    if (!confirmation || confirmation->caption != "N9079") return Fail("no N9079 box");
    const double clicked = Now();
    AnswerDialog(confirmation->handle, IDOK);
    // The confirmation goes away first; the next box is the outcome.
    while (::IsWindow(confirmation->handle) && Now() - clicked < kGiveUpSeconds) ::Sleep(kPollMs);
    const std::optional<DialogInfo> outcome = NextBox(ui, kGiveUpSeconds);
    const double upgraded = Now() - clicked;
    const long peakKb = StatusKb(proc, "VmHWM");
    if (!outcome) return Fail("no box after the confirmation");
    Answer(*outcome);
    if (outcome->caption != "N9082") return Fail("[" + outcome->caption + "] " + outcome->text);
    ui.WaitForExit(10000);
    if (ReadBytes(target) != newBytes) return Fail("the installed program is not the served one");

    ::DeleteFileW(Widen(link).c_str());
    std::printf("ok %.4f %ld %ld %.4f %.4f %.4f\n", upgraded, idleKb, peakKb, pellinorStart,
                plainStart, controlsStart);
    return 0;
}

}  // namespace
}  // namespace pellinor::e2e

int wmain(int argc, wchar_t** argv) {
    using namespace pellinor::e2e;
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int result = 2;
    if (argc == 4 && std::wstring(argv[1]) == L"round") {
        result = Round(pellinor::Narrow(argv[2]), pellinor::Narrow(argv[3]));
    } else {
        std::printf("usage: upgrade_bench round BASE SERVED\n");
    }
    std::fflush(stdout);
    ::CoUninitialize();
    return result;
}
