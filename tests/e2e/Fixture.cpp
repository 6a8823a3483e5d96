// The common ground of the Wine tests.
#include "Fixture.h"

#include <objbase.h>
#include <shlobj.h>

#include "driver/Screenshot.h"
#include "platform/win32/Utf.h"

namespace pellinor::e2e {

namespace {
constexpr const char* kTestRoot = "C:\\pellinor-e2e\\";

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

bool MakeFolders(const std::string& folder) {
    // Each prefix of the path in turn; existing ones are fine.
    for (size_t at = folder.find('\\', 3); at != std::string::npos;
         at = folder.find('\\', at + 1)) {
        ::CreateDirectoryW(Widen(folder.substr(0, at)).c_str(), nullptr);
    }
    ::CreateDirectoryW(Widen(folder).c_str(), nullptr);
    const DWORD attributes = ::GetFileAttributesW(Widen(folder).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The parts of unfinished downloads: each test begins and ends without
// any, so that no test goes on from another's.
std::string PartsFolder() {
    wchar_t folder[MAX_PATH] = {};
    ::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    return Narrow(folder) + "\\Pellinor\\parts\\";
}

std::string CurrentTestName() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name) {
        if (c == '/' || c == '\\' || c == ':') c = '_';
    }
    return name;
}
}  // namespace

bool RemoveTree(const std::string& folder) {
    const std::string base = WithSlash(folder);
    WIN32_FIND_DATAW data{};
    const HANDLE find = ::FindFirstFileW(Widen(base + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = Narrow(data.cFileName);
            if (name == "." || name == "..") continue;
            const std::string path = base + name;
            // Links are removed, never followed: a test's loop must not lead
            // the clean-up out of the test's folder.
            const bool link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !link) {
                RemoveTree(path);
            } else {
                ::SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_NORMAL);
                if (!::DeleteFileW(Widen(path).c_str())) ::RemoveDirectoryW(Widen(path).c_str());
            }
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    return ::RemoveDirectoryW(Widen(folder).c_str()) != 0 || !PathExists(folder);
}

void WineTest::SetUp() {
    com_ = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    temp_ = kTestRoot + CurrentTestName() + "\\";
    RemoveTree(temp_);  // what an aborted earlier run left
    RemoveTree(PartsFolder());
    ASSERT_TRUE(MakeFolders(temp_)) << temp_;
}

void WineTest::TearDown() {
    pellinors_.clear();  // ends every Pellinor still running
    programs_.clear();
    for (auto path = desktopPaths_.rbegin(); path != desktopPaths_.rend(); ++path) {
        if (!::DeleteFileW(Widen(*path).c_str())) ::RemoveDirectoryW(Widen(*path).c_str());
    }
    desktopPaths_.clear();
    // A program just ended may hold its files a moment longer.
    WaitUntil([this] { return RemoveTree(temp_); }, 3000);
    RemoveTree(PartsFolder());
    if (com_) ::CoUninitialize();
}

std::string WineTest::MakeFolder(const std::string& relative) {
    const std::string folder = WithSlash(temp_ + relative);
    EXPECT_TRUE(MakeFolders(folder)) << folder;
    return folder;
}

std::string WineTest::ProgramPath(const std::string& name) {
    return ExeFolder() + name + ".exe";
}

std::string WineTest::CopyProgram(const std::string& name, const std::string& destination) {
    const size_t slash = destination.find_last_of('\\');
    if (slash != std::string::npos) MakeFolders(destination.substr(0, slash));
    EXPECT_TRUE(::CopyFileW(Widen(ProgramPath(name)).c_str(), Widen(destination).c_str(), FALSE))
        << name << " -> " << destination << ": " << ::GetLastError();
    return destination;
}

ChildProcess& WineTest::StartProgram(const std::string& exePath,
                                     const std::vector<std::string>& arguments) {
    programs_.push_back(std::make_unique<ChildProcess>(exePath, arguments));
    ChildProcess& program = *programs_.back();
    EXPECT_TRUE(program.Started()) << exePath << ": error " << program.StartError();
    return program;
}

ChildProcess* WineTest::HoldFile(const std::string& path) {
    ChildProcess& holder = StartProgram(ProgramPath("holder"), {path});
    const std::wstring ready = L"PellinorHolderReady-" + std::to_wstring(holder.Id());
    const bool holding = WaitUntil([&] {
        const HANDLE event = ::OpenEventW(SYNCHRONIZE, FALSE, ready.c_str());
        if (event) ::CloseHandle(event);
        return event != nullptr || !holder.Running();
    });
    return holding && holder.Running() ? &holder : nullptr;
}

UiDriver& WineTest::StartPellinor(const std::string& exePath) {
    pellinors_.push_back(std::make_unique<UiDriver>(exePath));
    UiDriver& app = *pellinors_.back();
    EXPECT_TRUE(app.Started()) << exePath << " showed no " << kMainWindowClass << " window";
    return app;
}

std::string WineTest::MakeDesktopShortcut(Desktop desktop, const std::string& relativeLink,
                                          const std::string& target,
                                          const std::string& workingDirectory) {
    const std::string root = desktop == Desktop::User ? UserDesktopFolder() : PublicDesktopFolder();
    EXPECT_FALSE(root.empty()) << "no desktop folder";
    // Sub-folders the link needs, remembered so they go again afterwards.
    for (size_t at = relativeLink.find('\\'); at != std::string::npos;
         at = relativeLink.find('\\', at + 1)) {
        const std::string folder = root + relativeLink.substr(0, at);
        if (!PathExists(folder)) {
            ::CreateDirectoryW(Widen(folder).c_str(), nullptr);
            desktopPaths_.push_back(folder);
        }
    }
    const std::string link = root + relativeLink;
    EXPECT_TRUE(MakeShortcut(link, target, workingDirectory)) << link;
    desktopPaths_.push_back(link);
    return link;
}

DialogInfo WineTest::Answer(UiDriver& ui, const std::string& caption, int button) {
    std::optional<DialogInfo> box = ui.WaitForDialog(20000);
    if (!box) {
        ADD_FAILURE() << "no box where " << caption << " was expected";
        return DialogInfo{};
    }
    EXPECT_EQ(box->caption, caption) << box->text;
    AnswerDialog(box->handle, button);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(box->handle); }));
    return *box;
}

std::string WineTest::SaveScreenshot(HWND window, const std::string& name) {
    const std::string path = ScreenshotFolder() + name + ".png";
    EXPECT_TRUE(SaveWindowPng(window, path)) << path;
    return path;
}

namespace {
void SetClassValue(const std::wstring& key, const std::wstring& value) {
    HKEY handle = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &handle, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(handle);
}
}  // namespace

void OpenArchivesWithMarker(const std::string& traceFile) {
    const std::wstring command = L"\"" + Widen(ExeFolder() + "marker.exe") + L"\" --out \"" +
                                 Widen(traceFile) + L"\" \"%1\"";
    SetClassValue(L".rar", L"PellinorTest.Archive");
    SetClassValue(L"PellinorTest.Archive\\shell\\open\\command", command);
}

void ForgetArchiveOpener() {
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L"PellinorTest.Archive");
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L".rar");
}

}  // namespace pellinor::e2e
