// What the proxy Wine tests share: the user's proxy settings written where
// Windows (and Wine's winhttp) keeps them and put back after the test, and
// the squid that ctest started for them (tests/e2e/squid-rig): its ports,
// the sign-in it knows and the requests its access log shows.
#pragma once

#include <windows.h>

#include <sstream>
#include <string>
#include <vector>

#include "driver/ChildProcess.h"
#include "driver/Files.h"
#include "platform/win32/Utf.h"

namespace pellinor::e2e {

// The flags of the "DefaultConnectionSettings" value, as Internet Options
// writes them.
enum : DWORD {
    kProxyDirect = 1,
    kProxyFixed = 2,
    kProxyScript = 4,
    kProxyDetect = 8,
};

// Writes the user's Internet Options for the life of the object: the
// binary "DefaultConnectionSettings" under Internet Settings\Connections,
// the one value WinHttpGetIEProxyConfigForCurrentUser reads (under Wine
// as on Windows). Puts back what was there before (or nothing), so the
// other Wine tests run as on a PC without a proxy.
class UserProxySettings {
  public:
    UserProxySettings(DWORD flags, const std::string& server, const std::string& bypass,
                      const std::string& scriptUrl) {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                          &key_, nullptr);
        DWORD size = 0, type = 0;
        had_ = ::RegQueryValueExW(key_, kValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
        if (had_) {
            old_.resize(size);
            ::RegQueryValueExW(key_, kValue, nullptr, &type, reinterpret_cast<BYTE*>(old_.data()),
                               &size);
        }
        std::string blob;
        Dword(blob, 0x46);  // the layout's version
        Dword(blob, 1);     // how often it was changed
        Dword(blob, flags);
        Text(blob, server);
        Text(blob, bypass);
        Text(blob, scriptUrl);
        blob.append(32, '\0');  // the fields after the script's address, unused here
        ::RegSetValueExW(key_, kValue, 0, REG_BINARY, reinterpret_cast<const BYTE*>(blob.data()),
                         static_cast<DWORD>(blob.size()));
    }
    ~UserProxySettings() {
        if (had_) {
            ::RegSetValueExW(key_, kValue, 0, REG_BINARY,
                             reinterpret_cast<const BYTE*>(old_.data()),
                             static_cast<DWORD>(old_.size()));
        } else {
            ::RegDeleteValueW(key_, kValue);
        }
        ::RegCloseKey(key_);
    }
    UserProxySettings(const UserProxySettings&) = delete;
    UserProxySettings& operator=(const UserProxySettings&) = delete;

  private:
    static constexpr const wchar_t* kKey =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";
    static constexpr const wchar_t* kValue = L"DefaultConnectionSettings";

    static void Dword(std::string& blob, DWORD value) {
        blob.append(reinterpret_cast<const char*>(&value), sizeof value);
    }
    static void Text(std::string& blob, const std::string& text) {
        Dword(blob, static_cast<DWORD>(text.size()));
        blob += text;
    }

    HKEY key_ = nullptr;
    bool had_ = false;
    std::string old_;
};

// The squid of this run, in the build folder beside bin\.
class Squid {
  public:
    Squid() {
        folder_ = BuildFolder("squid");
        std::istringstream ports(ReadBytes(folder_ + "ports"));
        ports >> openPort_ >> signInPort_;
        std::istringstream credentials(ReadBytes(folder_ + "credentials"));
        std::getline(credentials, user_);
        std::getline(credentials, password_);
        logStart_ = ReadBytes(folder_ + "access.log").size();
    }

    bool Running() const { return !openPort_.empty() && !signInPort_.empty(); }
    // "127.0.0.1:port" of the open port and of the one that asks for a sign-in.
    std::string Open() const { return "127.0.0.1:" + openPort_; }
    std::string SignIn() const { return "127.0.0.1:" + signInPort_; }
    const std::string& User() const { return user_; }
    const std::string& Password() const { return password_; }

    // The access log's lines since this object was made that name the
    // given text, as "port result/status method address user".
    std::vector<std::string> Seen(const std::string& naming) const {
        std::vector<std::string> lines;
        std::istringstream log(ReadBytes(folder_ + "access.log").substr(logStart_));
        for (std::string line; std::getline(log, line);) {
            if (line.find(naming) == std::string::npos) continue;
            lines.push_back(line.substr(line.find(' ') + 1));
        }
        return lines;
    }

  private:
    std::string folder_, openPort_, signInPort_, user_, password_;
    size_t logStart_ = 0;
};

}  // namespace pellinor::e2e
