// The upgrade without a window: the upgrade command told by the command
// line what the window would have asked.
#include "unattended/UnattendedUpgrade.h"

#include "commands/CommandSite.h"
#include "commands/Downloads.h"
#include "log/LogEvent.h"
#include "log/LogLine.h"
#include "text/Texts.h"
#include "transfer/DownloadBase.h"
#include "unattended/UnattendedNotify.h"

namespace pellinor {

ExitCode RunUnattendedUpgrade(Platform& platform, ProxyConfig& proxies,
                              const PublisherKeys& publisherKeys, const CommandLine& request) {
    LogEvent("upgrade without a window: folder=" +
             (request.folder.empty() ? std::string("(the one found)") : Quoted(request.folder)) +
             " base=" +
             (request.base.empty() ? std::string("(built in)") : AddressForLog(request.base)));
    // The temporary file's name follows the language, as the window's does.
    UnattendedNotify notify(request.folder,
                            LanguageNameIsChinese(platform.system.DefaultLanguageNameAnsi()));
    Downloads downloads(platform.files, &platform.messages, platform.tls);
    downloads.UseProxySettings(proxies);
    downloads.Notify(&notify);
    downloads.KeepParts(platform.dataFolder);
    CommandSite site{platform,
                     notify,
                     downloads.FileDownloader(),
                     request.base.empty() ? DefaultDownloadBase() : request.base,
                     {},
                     publisherKeys};
    UpgradeInstalledProgram(site);
    return notify.Outcome();
}

int EndWith(ExitCode code) {
    LogEvent("exit " + ExitCodeText(code));
    return static_cast<int>(code);
}

}  // namespace pellinor
