// Finding the installed lock program through the shortcuts on the desktops.
#pragma once

#include <string>
#include <vector>

#include "system/Platform.h"

namespace pellinor {

// Every file below folder (sub-folders included) whose extension equals ext
// without regard to ASCII case, or every file when ext is ".*". Pumps window
// messages once per directory entry; never enters a directory that is
// already on the path being walked.
std::vector<std::string> MakeFileList(FileSystem& files, MessagePump& messages,
                                      const std::string& folder, const std::string& ext);

// The working folder a shortcut file holds, or empty text (the window's
// first design called it getexefromlink).
std::string ShortcutWorkingFolder(Shell& shell, const std::string& linkFile);
// The public and the all-users desktop, worked out from the user's own
// desktop folder (once getpublicpath and getAllUsersPath).
std::string PublicDesktopFolder(const std::string& desktopPath);
std::string AllUsersDesktopFolder(const std::string& desktopPath);

// An installation of the lock program: the working folder of a desktop
// shortcut that holds it.
struct Installation {
    std::string folder;       // ends in "\"
    bool ownDesktop = false;  // the shortcut is on the user's own desktop
    bool operator==(const Installation& other) const {
        return folder == other.folder && ownDesktop == other.ownDesktop;
    }
};

// Every installation that a shortcut on the user's own desktop, the public
// desktop or the all-users desktop leads to, in that order; one folder
// that several shortcuts lead to is there once for each. (Once
// GetTessaronExePath, when it filled the window's list itself.)
std::vector<Installation> FindInstallations(Platform& platform);

}  // namespace pellinor
