// The checks between an upgrade's download and its replacement.
#include "commands/DownloadCheck.h"

#include "commands/PublisherCheck.h"
#include "commands/VersionCheck.h"
#include "log/LogEvent.h"
#include "text/TextRules.h"

namespace pellinor {

namespace {
std::string VersionForLog(const FileVersion& version) {
    if (!version.present) return "none";
    return (version.number ? VersionText(*version.number) : std::string("no number")) +
           " name=" + Quoted(version.name);
}

std::optional<Refusal> PublisherRefusal(PublisherVerdict verdict) {
    switch (verdict) {
        case PublisherVerdict::Accept:
            return std::nullopt;
        case PublisherVerdict::RefuseUnsigned:
            return Refusal{TextId::N9083, "", ""};
        case PublisherVerdict::RefuseBroken:
            return Refusal{TextId::N9084, "", ""};
        case PublisherVerdict::RefuseOtherPublisher:
            return Refusal{TextId::N9085, "", ""};
        case PublisherVerdict::RefuseInstalledSignerUnknown:
            return Refusal{TextId::N9086, "", ""};
        case PublisherVerdict::RefuseInstalledUnreadable:
            return Refusal{TextId::N9086Unreadable, "", ""};
    }
    return Refusal{TextId::N9084, "", ""};
}

}  // namespace

std::optional<Refusal> CheckProgramPublisher(Platform& platform, const PublisherKeys& keys,
                                             const std::string& installed,
                                             const std::string& download) {
    if (!keys.empty())
        return CheckSignedProgram(platform.signatures, keys, download, ExtractFileName(installed));
    return PublisherRefusal(
        CheckPublisher(platform.signatures, platform.files, installed, download));
}

std::optional<Refusal> CheckDownload(Platform& platform, const PublisherKeys& keys,
                                     const std::string& installed, const std::string& download) {
    if (auto refusal = CheckProgramPublisher(platform, keys, installed, download)) return refusal;

    const FileVersion before = platform.versions.Read(installed);
    const FileVersion after = platform.versions.Read(download);
    const VersionVerdict verdict = JudgeVersions(before, after);
    LogEvent("version installed: " + VersionForLog(before) + "; download: " + VersionForLog(after) +
             "; " + (verdict == VersionVerdict::Accept ? "accept" : "refuse"));
    switch (verdict) {
        case VersionVerdict::Accept:
            return std::nullopt;
        case VersionVerdict::RefuseOtherProgram:
            return Refusal{TextId::N9088, ShownName(after.name), ShownName(before.name)};
        case VersionVerdict::RefuseOlder:
            return Refusal{TextId::N9087, VersionText(*after.number), VersionText(*before.number)};
    }
    return std::nullopt;
}

std::string ShownName(const std::string& name) {
    std::string shown;
    for (const char c : name) shown += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    if (shown.size() <= kShownNameBytes) return shown;
    size_t cut = kShownNameBytes;
    // Back to the first byte of a UTF-8 character, so none is cut in half.
    while (cut > 0 && (static_cast<unsigned char>(shown[cut]) & 0xC0) == 0x80) --cut;
    return shown.substr(0, cut) + "...";
}

}  // namespace pellinor
