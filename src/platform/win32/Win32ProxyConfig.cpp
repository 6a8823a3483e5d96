// WinHttpGetIEProxyConfigForCurrentUser for the settings, and
// WinHttpGetProxyForUrl on a thread of its own for a script or detection,
// so that the window keeps its turns while the system fetches and runs it.
#include "platform/win32/Win32ProxyConfig.h"

#include <memory>

#include "platform/win32/ScopedHandles.h"
#include "platform/win32/Utf.h"
#include "platform/win32/WindowsHeaders.h"
// clang-format off
#include <winhttp.h>
// clang-format on

namespace pellinor {
namespace {

// How often the window gets a turn while the system works out a proxy.
constexpr DWORD kWaitSliceMs = 50;

using ScopedInternet = Owned<HINTERNET, ::WinHttpCloseHandle>;

// A string WinHTTP allocated for the caller, freed with GlobalFree.
std::string TakeGlobalString(LPWSTR text) {
    const GlobalMemory<LPWSTR> owned(text);
    return owned ? Narrow(owned.Get()) : std::string();
}

// What the worker thread needs and leaves behind; shared with it, so that
// a worker the window stopped waiting for still writes into live memory.
struct AutomaticJob {
    std::wstring url;
    std::wstring scriptUrl;
    bool detect = false;
    bool answered = false;
    std::wstring proxy;
};

DWORD WINAPI RunAutomaticJob(void* parameter) {
    std::unique_ptr<std::shared_ptr<AutomaticJob>> owner(
        static_cast<std::shared_ptr<AutomaticJob>*>(parameter));
    AutomaticJob& job = **owner;
    const ScopedInternet session(::WinHttpOpen(L"Pellinor", WINHTTP_ACCESS_TYPE_NO_PROXY,
                                               WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session) return 0;
    WINHTTP_AUTOPROXY_OPTIONS options{};
    if (job.detect) {
        options.dwFlags = WINHTTP_AUTOPROXY_AUTO_DETECT;
        options.dwAutoDetectFlags = WINHTTP_AUTO_DETECT_TYPE_DHCP | WINHTTP_AUTO_DETECT_TYPE_DNS_A;
    } else {
        options.dwFlags = WINHTTP_AUTOPROXY_CONFIG_URL;
        options.lpszAutoConfigUrl = job.scriptUrl.c_str();
    }
    WINHTTP_PROXY_INFO info{};
    if (::WinHttpGetProxyForUrl(session.Get(), job.url.c_str(), &options, &info)) {
        const GlobalMemory<LPWSTR> proxy(info.lpszProxy);
        const GlobalMemory<LPWSTR> bypass(info.lpszProxyBypass);
        if (info.dwAccessType == WINHTTP_ACCESS_TYPE_NAMED_PROXY && proxy) job.proxy = proxy.Get();
        job.answered = true;
    }
    return 0;
}

}  // namespace

ProxySettings Win32ProxyConfig::UserSettings() {
    WINHTTP_CURRENT_USER_IE_PROXY_CONFIG config{};
    ProxySettings settings;
    if (!::WinHttpGetIEProxyConfigForCurrentUser(&config)) return settings;
    settings.autoDetect = config.fAutoDetect != FALSE;
    settings.autoConfigUrl = TakeGlobalString(config.lpszAutoConfigUrl);
    settings.proxyServer = TakeGlobalString(config.lpszProxy);
    settings.proxyBypass = TakeGlobalString(config.lpszProxyBypass);
    return settings;
}

bool Win32ProxyConfig::AutomaticProxy(const std::string& url, bool detect,
                                      const std::string& scriptUrl, std::string& proxy,
                                      const std::function<void()>& waiting) {
    if (detect && detectionFailed_) return false;
    auto job = std::make_shared<AutomaticJob>();
    job->url = Widen(url);
    job->scriptUrl = Widen(scriptUrl);
    job->detect = detect;
    auto* parameter = new std::shared_ptr<AutomaticJob>(job);
    const ScopedHandle thread(::CreateThread(nullptr, 0, RunAutomaticJob, parameter, 0, nullptr));
    if (!thread) {
        delete parameter;
        return false;
    }
    // The time waited, from GetTickCount (Windows XP has no 64-bit count):
    // the difference of two readings holds across its wrap every 49.7 days.
    const DWORD started = ::GetTickCount();
    const auto limit = static_cast<DWORD>(kAutomaticProxyTimeLimit.count());
    bool finished = false;
    while (!finished && ::GetTickCount() - started < limit) {
        finished = ::WaitForSingleObject(thread.Get(), kWaitSliceMs) == WAIT_OBJECT_0;
        if (!finished && waiting) waiting();
    }
    // A worker still running is left to end on its own; its answer is lost.
    const bool answered = finished && job->answered;
    if (detect && !answered) detectionFailed_ = true;
    if (answered) proxy = Narrow(job->proxy);
    return answered;
}

}  // namespace pellinor
