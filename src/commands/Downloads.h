// The one place where a program's HTTP client and downloader are put
// together, the same for the window, the upgrade without a window and the
// support tool: the thread's messages kept running while a request waits,
// the proxies chosen for each address, and the client's events handed to
// whoever listens.
#pragma once

#include <memory>
#include <string>

#include "commands/DownloadNotify.h"
#include "commands/FileDownload.h"
#include "commands/keeping/KeptParts.h"
#include "platform/FileSystem.h"
#include "platform/MessagePump.h"
#include "platform/ProxyConfig.h"
#include "transfer/HttpClient.h"

namespace pellinor {

class TlsSessions;

struct ProxyEndpoint;

class Downloads {
  public:
    // messages: kept running while a request waits (none for a console);
    // files: where a download is written; tls: the system's TLS for https
    // addresses (none: they are refused).
    Downloads(FileSystem& files, MessagePump* messages, TlsSessions* tls);
    Downloads(const Downloads&) = delete;
    Downloads& operator=(const Downloads&) = delete;

    // Who hears of each download's progress, sign-in questions and
    // arrival; none: nobody, and a proxy's sign-in is declined.
    void Notify(DownloadNotify* listener) { listener_ = listener; }
    // Requests go through the proxies the user's settings choose for each
    // address; without this or UseProxy, every request goes direct.
    void UseProxySettings(ProxyConfig& proxies);
    // Every request goes through this one proxy.
    void UseProxy(const ProxyEndpoint& proxy);

    // What a download cannot finish is kept under dataFolder (the program's
    // folder of the local application data) for the next run; empty: not.
    void KeepParts(const std::string& dataFolder);

    HttpClient& Client() { return http_; }
    Downloader& FileDownloader() { return downloader_; }

  private:
    void KeepMessagesRunning();

    MessagePump* messages_;
    DownloadNotify* listener_ = nullptr;
    HttpClient http_;
    HttpDownloader downloader_;
    FileSystem& files_;
    std::unique_ptr<KeptParts> parts_;
};

}  // namespace pellinor
