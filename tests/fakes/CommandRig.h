// A command run as the window runs it, over fakes: the platform, a download
// that brings what the test serves, the window's own listener over the fake
// window, and the installations an earlier scan left.
#pragma once

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "commands/CommandSite.h"
#include "fakes/FakeDownloader.h"
#include "fakes/FakePlatform.h"
#include "fakes/ProgramBytes.h"
#include "transfer/DownloadBase.h"
#include "window/WindowNotify.h"

namespace pellinor {

struct CommandRig {
    FakePlatform fake;
    bool chinese = false;  // as SetChinese last switched it
    // What each download brings; or, when result is not Done, what the
    // download ends with instead, nothing written.
    std::string served = ProgramBytes("new");
    StepResult result;
    std::function<void()> duringDownload;
    std::vector<std::string> notFound;  // addresses the server answers with 404
    std::vector<std::pair<std::string, std::string>> downloads;  // address and destination
    FakeDownloader downloader{[this](const std::string& url, const std::string& dest) {
        downloads.emplace_back(url, dest);
        if (duringDownload) duringDownload();
        if (!result.Ok()) return result;
        if (std::find(notFound.begin(), notFound.end(), url) != notFound.end())
            return DownloadFailure(true, "HTTP/1.1 404 Not Found");
        return WriteDownload(fake.files, dest, served);
    }};
    WindowNotify notify{fake.window, fake.system, chinese};
    // None: as a build given no publisher certificates.
    PublisherKeys publisherKeys;
    CommandSite site{fake.platform, notify, downloader, DefaultDownloadBase(), {}, publisherKeys};
    // Empty: the upgrade scans the desktops.
    std::vector<Installation>& installations = site.installations;

    // The upgrade as the form starts it: with the installations its list
    // shows from an earlier click, or else the ones the test left.
    void RunUpgrade() {
        if (!notify.Listed().empty()) site.installations = notify.Listed();
        UpgradeInstalledProgram(site);
    }

    // The status bar double-clicked: the language the window tells commands.
    void SetChinese(bool value) {
        chinese = value;
        notify.SetLanguage(value);
    }

    FakeWindow& window() { return fake.window; }
    const ShownBox& LastBox() const { return fake.window.boxes.back(); }
    // Each box's caption; a notice, which has none, by its text.
    std::vector<std::string> Captions() const {
        std::vector<std::string> captions;
        for (const ShownBox& box : fake.window.boxes)
            captions.push_back(box.style ? box.caption : box.text);
        return captions;
    }
};

}  // namespace pellinor
