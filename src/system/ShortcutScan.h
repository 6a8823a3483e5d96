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

std::string getexefromlink(Shell& shell, const std::string& linkFile);
std::string getpublicpath(const std::string& desktopPath);
std::string getAllUsersPath(const std::string& desktopPath);

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
// that several shortcuts lead to is there once for each.
std::vector<Installation> GetTessaronExePath(Platform& platform);

}  // namespace pellinor
