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
std::vector<std::string> MakeFileList(FileSystem& files, Window& window, const std::string& folder,
                                      const std::string& ext);

std::string getexefromlink(Shell& shell, const std::string& linkFile);
std::string getpublicpath(const std::string& desktopPath);
std::string getAllUsersPath(const std::string& desktopPath);

// Appends to ListBox2 every working folder of a desktop shortcut that holds
// the lock program.
void GetTessaronExePath(Platform& platform);

}  // namespace pellinor
