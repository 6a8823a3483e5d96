// What the https Wine tests share: the forwarder ctest started for them
// (tests/e2e/tls-rig), which ends TLS with a certificate per port and hands
// the plain bytes to the test's scripted server, and the test CA trusted
// in this prefix for the life of the object only.
#pragma once

#include <windows.h>

#include <sstream>
#include <string>

#include "driver/ChildProcess.h"
#include "driver/Files.h"
#include "platform/win32/Utf.h"

namespace pellinor::e2e {

// The certificates the rig's ports present (port 4 is the benchmark's plain one).
enum class Certificate { Good, Untrusted, WrongName, Expired, LeafOnly = 5, Impostor, Tls13Only };

class TlsRig {
  public:
    // The rig's folder beside bin\; the forwarder hands its connections to
    // backendPort on 127.0.0.1.
    explicit TlsRig(uint16_t backendPort) {
        folder_ = BuildFolder("tls");
        std::istringstream ports(ReadBytes(folder_ + "ports"));
        for (std::string& port : ports_) ports >> port;
        WriteBytes(folder_ + "backend", std::to_string(backendPort) + "\n");
        Trust(ReadBytes(folder_ + "ca.der"));
    }
    ~TlsRig() {
        if (key_.empty()) return;
        ::RegDeleteKeyW(HKEY_LOCAL_MACHINE, Widen(key_).c_str());
    }
    TlsRig(const TlsRig&) = delete;
    TlsRig& operator=(const TlsRig&) = delete;

    bool Running() const { return !ports_[7].empty() && !key_.empty(); }
    // "https://localhost:<port>" + path; localhost is the name the
    // certificates carry (Wine's name check does not match an address).
    std::string Url(Certificate certificate, const std::string& path) const {
        return "https://localhost:" + ports_[static_cast<int>(certificate)] + path;
    }
    std::string Port(Certificate certificate) const {
        return ports_[static_cast<int>(certificate)];
    }

  private:
    // The machine's trusted roots, as Windows keeps each one: under its
    // SHA-1, a "Blob" of the certificate property (32, 1, size, DER).
    void Trust(const std::string& der) {
        if (der.empty()) return;
        const std::string sha1 = ReadBytes(folder_ + "ca.sha1").substr(0, 40);
        key_ = "Software\\Microsoft\\SystemCertificates\\Root\\Certificates\\" + sha1;
        std::string blob;
        for (DWORD word : {DWORD{32}, DWORD{1}, static_cast<DWORD>(der.size())}) {
            blob.append(reinterpret_cast<const char*>(&word), sizeof word);
        }
        blob += der;
        HKEY key = nullptr;
        if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, Widen(key_).c_str(), 0, nullptr, 0, KEY_WRITE,
                              nullptr, &key, nullptr) != ERROR_SUCCESS) {
            key_.clear();
            return;
        }
        ::RegSetValueExW(key, L"Blob", 0, REG_BINARY, reinterpret_cast<const BYTE*>(blob.data()),
                         static_cast<DWORD>(blob.size()));
        ::RegCloseKey(key);
    }

    std::string folder_;
    std::string ports_[8];
    std::string key_;
};

// False where the system reports a Windows before 7 (the XP run of the
// suite), which has no TLS 1.2 and refuses every https address.
inline bool SystemSpeaksTls12() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    ::GetVersionExW(&version);
    return version.dwMajorVersion > 6 ||
           (version.dwMajorVersion == 6 && version.dwMinorVersion >= 1);
}

}  // namespace pellinor::e2e
