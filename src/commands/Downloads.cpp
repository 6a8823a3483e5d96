// The client and the downloader, put together once.
#include "commands/Downloads.h"

#include "transfer/ProxyChoice.h"

namespace pellinor {

Downloads::Downloads(FileSystem& files, MessagePump* messages, TlsSessions* tls)
    : messages_(messages),
      http_(HttpEvents{
          [this](int32_t max) {
              if (listener_) listener_->WorkBegin(max);
          },
          [this](int32_t count) {
              if (listener_) listener_->Work(count);
          },
          [this] { KeepMessagesRunning(); },
          [this](const std::string& proxy, ProxyCredentials& credentials) {
              return listener_ != nullptr && listener_->AskProxyCredentials(proxy, credentials);
          },
      }),
      downloader_(http_, files,
                  [this] {
                      if (listener_) listener_->Arrived();
                  }),
      files_(files) {
    http_.UseTlsSessions(tls);
}

void Downloads::KeepParts(const std::string& dataFolder) {
    parts_ = dataFolder.empty() ? nullptr : std::make_unique<KeptParts>(files_, dataFolder);
    downloader_.KeepPartsWith(parts_.get());
}

void Downloads::UseProxySettings(ProxyConfig& proxies) {
    pellinor::UseProxySettings(http_, proxies, [this] { KeepMessagesRunning(); });
}

void Downloads::UseProxy(const ProxyEndpoint& proxy) {
    http_.SetProxyChooser([proxy](const HttpUrl&) { return proxy; });
}

void Downloads::KeepMessagesRunning() {
    if (messages_) messages_->ProcessMessages();
}

}  // namespace pellinor
