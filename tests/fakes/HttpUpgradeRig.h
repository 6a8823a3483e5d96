// The upgrade as the window runs it over the program's real HTTP client,
// against a server on 127.0.0.1, with the platform faked: one installation
// at C:\Lock\ holding the given program, upgraded from base.
#pragma once

#include <string>

#include "commands/CommandSite.h"
#include "commands/FileDownload.h"
#include "fakes/FakePlatform.h"
#include "window/WindowNotify.h"

namespace pellinor {

struct HttpUpgradeRig {
    HttpUpgradeRig(const std::string& downloadBase, const std::string& installed)
        : base(downloadBase) {
        fake.files.AddFolder("C:\\Lock\\");
        fake.files.AddFile("C:\\Lock\\Tessaron.Exe", installed);
    }
    void Run() { UpgradeInstalledProgram(site); }

    std::string base;
    FakePlatform fake;
    bool chinese = false;
    WindowNotify notify{fake.window, fake.system, chinese};
    HttpClient client{HttpEvents{}};
    HttpDownloader downloader{client, fake.files};
    PublisherKeys keys;
    CommandSite site{fake.platform, notify, downloader, base, {{"C:\\Lock\\", false}}, keys};
};

}  // namespace pellinor
