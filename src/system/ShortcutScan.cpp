// Finding the installed lock program through the shortcuts on the desktops.
#include "system/ShortcutScan.h"

#include <algorithm>
#include <optional>

#include "text/TextRules.h"

namespace pellinor {
namespace {

// One recursive walk of MakeFileList. Results are appended to one list, so a
// deep tree costs no copying of sub-lists, and the identities of the folders
// on the way down are kept, so that a link or junction back into one of them
// is not followed round and round until the stack runs out.
class FileListWalk {
  public:
    FileListWalk(FileSystem& files, MessagePump& messages, const std::string& ext,
                 std::vector<std::string>& out)
        : files_(files),
          messages_(messages),
          extUpper_(UpperAscii(ext)),
          everyFile_(ext == ".*"),
          out_(out) {}

    void Walk(const std::string& folderText) {
        // A UTF-8 continuation byte never has the backslash's code, so the
        // last byte stands for the last whole character.
        const std::string folder = WithTrailingBackslash(Trim(folderText));
        if (!files_.DirectoryExists(folder)) return;

        const std::optional<FileIdentity> identity = files_.DirectoryIdentity(folder);
        if (identity) {
            if (std::find(path_.begin(), path_.end(), *identity) != path_.end()) return;
            path_.push_back(*identity);
        }
        files_.ForEachEntry(folder, [this, &folder](const std::string& name, bool isDirectory) {
            messages_.ProcessMessages();
            if (name == "." || name == "..") return;
            if (isDirectory) {
                Walk(folder + name);
            } else if (everyFile_ || Matches(name)) {
                out_.push_back(folder + name);
            }
        });
        if (identity) path_.pop_back();
    }

  private:
    bool Matches(const std::string& name) const {
        const std::string ext = ExtractFileExt(name);
        return ext.size() == extUpper_.size() && UpperAscii(ext) == extUpper_;
    }

    FileSystem& files_;
    MessagePump& messages_;
    const std::string extUpper_;
    const bool everyFile_;
    std::vector<std::string>& out_;
    std::vector<FileIdentity> path_;  // the folders from the start down to here
};

// Puts word in the place of the path component after the second backslash.
std::string ReplaceUserFolder(const std::string& desktopPath, const std::string& word) {
    const std::string t = Trim(desktopPath);
    std::string r;
    int k = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c == '\\') ++k;
        if (k == 2) {
            r = t.substr(0, i + 1) + word;
            k = 3;
        }
        if (k > 3) r += c;
    }
    return Trim(r);
}

// The years a file's time can be told in as a DOS date (1980 to 2107): the
// lock program's check has always taken a file stamped outside them, which
// only a broken clock or a damaged entry gives, for no installation.
constexpr int kFirstDosYear = 1980;
constexpr int kLastDosYear = 2107;

bool IsInstallation(FileSystem& files, const std::string& folder) {
    const std::optional<PatternMatch> match = files.FindFirst(folder + "Tessaron*.Exe");
    return match && !match->isDirectory && match->lastWriteYear >= kFirstDosYear &&
           match->lastWriteYear <= kLastDosYear;
}

}  // namespace

std::vector<std::string> MakeFileList(FileSystem& files, MessagePump& messages,
                                      const std::string& folder, const std::string& ext) {
    std::vector<std::string> list;
    FileListWalk(files, messages, ext, list).Walk(folder);
    return list;
}

std::string ShortcutWorkingFolder(Shell& shell, const std::string& linkFile) {
    const std::string folder = shell.ShortcutWorkingDirectory(linkFile);
    return folder.substr(0, folder.find('\0'));
}

std::string PublicDesktopFolder(const std::string& desktopPath) {
    return ReplaceUserFolder(desktopPath, "public");
}

std::string AllUsersDesktopFolder(const std::string& desktopPath) {
    return ReplaceUserFolder(desktopPath, "All Users");
}

std::vector<Installation> FindInstallations(Platform& platform) {
    const std::string desktop = platform.shell.DesktopFolder();
    const struct {
        std::string path;
        bool own;
    } desktops[] = {
        {Trim(desktop), true},
        {PublicDesktopFolder(desktop), false},
        {AllUsersDesktopFolder(desktop), false},
    };
    std::vector<Installation> found;
    for (const auto& d : desktops) {
        const std::vector<std::string> links =
            MakeFileList(platform.files, platform.messages, d.path, ".lnk");
        for (const std::string& link : links) {
            // Reading a shortcut can take a while on a crowded desktop; the
            // window must not look hung meanwhile.
            platform.messages.ProcessMessages();
            const std::string working = Trim(ShortcutWorkingFolder(platform.shell, link));
            if (working.empty()) continue;
            // Shortcuts to one folder may write it differently: it is one
            // installation, and an unattended upgrade must not find several.
            const std::string folder = NormalFolder(working);
            if (IsInstallation(platform.files, folder)) found.push_back({folder, d.own});
        }
    }
    return found;
}

}  // namespace pellinor
