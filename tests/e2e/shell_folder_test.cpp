// GetShellFolder on the prefix's real registry: the desktop folder, empty
// text without the value, the registry layer's error for a value that is no
// text.
#include <shlobj.h>

#include "Fixture.h"
#include "platform/Error.h"
#include "platform/win32/Utf.h"
#include "platform/win32/Win32Registry.h"
#include "system/ShellFolder.h"

namespace pellinor::e2e {
namespace {

constexpr const wchar_t* kShellFolders =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Takes the "Desktop" value out of the way for one test and puts back
// exactly what was there, whatever the test does.
class SavedDesktopValue {
  public:
    SavedDesktopValue() {
        ::RegOpenKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, KEY_ALL_ACCESS, &key_);
        DWORD size = 0;
        if (key_ && ::RegQueryValueExW(key_, L"Desktop", nullptr, &type_, nullptr, &size) ==
                        ERROR_SUCCESS) {
            data_.resize(size);
            ::RegQueryValueExW(key_, L"Desktop", nullptr, &type_, data_.data(), &size);
            present_ = true;
        }
    }
    ~SavedDesktopValue() {
        if (!key_) return;
        if (present_) {
            ::RegSetValueExW(key_, L"Desktop", 0, type_, data_.data(),
                             static_cast<DWORD>(data_.size()));
        } else {
            ::RegDeleteValueW(key_, L"Desktop");
        }
        ::RegCloseKey(key_);
    }
    bool Opened() const { return key_ != nullptr; }
    bool Present() const { return present_; }
    LONG Remove() { return ::RegDeleteValueW(key_, L"Desktop"); }
    LONG SetNumber(DWORD number) {
        return ::RegSetValueExW(key_, L"Desktop", 0, REG_DWORD,
                                reinterpret_cast<const BYTE*>(&number), sizeof number);
    }

  private:
    HKEY key_ = nullptr;
    DWORD type_ = 0;
    bool present_ = false;
    std::vector<BYTE> data_;
};

std::string DesktopDirectory() {
    wchar_t path[MAX_PATH] = {};
    ::SHGetSpecialFolderPathW(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE);
    return Narrow(path);
}

class ShellFolderTest : public WineTest {
  protected:
    Win32Registry registry_;
};

TEST_F(ShellFolderTest, DesktopIsThePrefixDesktopFolder) {
    const std::string desktop = DesktopDirectory();
    ASSERT_FALSE(desktop.empty());
    // Value names compare without regard to case, as the callers write "desktop".
    EXPECT_EQ(GetShellFolder(registry_, "desktop"), desktop);
    EXPECT_EQ(GetShellFolder(registry_, "DESKTOP"), desktop);
    EXPECT_NE(desktop.back(), '\\');
}

TEST_F(ShellFolderTest, MissingValueGivesEmptyText) {
    {
        SavedDesktopValue saved;
        ASSERT_TRUE(saved.Opened() && saved.Present());
        ASSERT_EQ(saved.Remove(), ERROR_SUCCESS);
        EXPECT_EQ(GetShellFolder(registry_, "desktop"), "");
    }
    EXPECT_EQ(GetShellFolder(registry_, "desktop"), DesktopDirectory());
    EXPECT_EQ(GetShellFolder(registry_, "NoSuchFolderName"), "");
}

TEST_F(ShellFolderTest, ValueThatIsNoTextRaisesTheRegistryError) {
    SavedDesktopValue saved;
    ASSERT_TRUE(saved.Opened());
    ASSERT_EQ(saved.SetNumber(42), ERROR_SUCCESS);
    try {
        GetShellFolder(registry_, "desktop");
        ADD_FAILURE() << "no error for a number value";
    } catch (const Error& error) {
        EXPECT_STREQ(error.what(), "Invalid data type for 'desktop'");
    }
}

}  // namespace
}  // namespace pellinor::e2e
