// One run of the support tool: the fetch through the program's own client,
// the write of a whole body through the upgrade's write-then-rename, and
// the lines that say what happened.
#include "fetch/FetchRun.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <memory>
#include <thread>

#include "commands/CommandPlan.h"
#include "commands/Downloads.h"
#include "commands/PublisherCheck.h"
#include "commands/PublisherKeys.h"
#include "commands/PutInPlace.h"
#include "commands/SmallerFiles.h"
#include "commands/keeping/KeptParts.h"
#include "commands/signatures/ProgramHeaders.h"
#include "fetch/FetchArguments.h"
#include "fetch/FetchReport.h"
#include "log/LogEvent.h"
#include "platform/Error.h"
#include "transfer/Download.h"
#include "transfer/ProxyChoice.h"
#include "transfer/UrlEncode.h"

namespace pellinor {

const char* const kFetchTempSuffix = ".tmp";

namespace {

using Clock = std::chrono::steady_clock;

// A console has no window to keep alive: the replacement's retries only
// need a clock and a sleep.
ReplaceSite ConsoleReplaceSite(FileSystem& files) {
    return ReplaceSite{
        files,
        [] {
            const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                Clock::now().time_since_epoch());
            return static_cast<uint32_t>(ms.count());
        },
        [](uint32_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); },
    };
}

// Writes a whole body as the upgrade does: into a temporary file beside
// file, then in its place in one step, so file is never a piece of it.
int WriteInPlace(FetchSite& site, const HttpResponse& response, ScratchFile* scratch,
                 const std::string& file) {
    const std::string temp = file + kFetchTempSuffix;
    // The temporary file is made new: what an earlier run left goes first.
    site.files.Remove(temp);
    try {
        // Whatever stands at the temporary name is removed, not written
        // through: a link there would have its target overwritten.
        site.files.Remove(temp);
        if (site.files.FileExists(temp))
            throw Error("Cannot remove the earlier file \"" + temp + "\".");
        WriteWholeBody(site.files, temp, response, scratch);
    } catch (const Error& e) {
        site.err(std::string(e.what()) + "\n");
        return kFetchNotWritten;
    }
    const StepResult result = ReplaceAndVerify(ConsoleReplaceSite(site.files), temp, file);
    if (result.Ok()) return kFetchWhole;
    // The upgrade keeps a finished download beside a program it could not
    // replace; here nobody would ever use it.
    site.files.Remove(temp);
    site.err("Cannot put the download in place at \"" + file + "\": system error " +
             std::to_string(-NoticeNumber(result)) + "\n");
    return kFetchNotWritten;
}

// FILE held to the keys of the certificates named with --publisher, as
// Pellinor.exe holds what it puts in place: a program by its own signature,
// any other file by the detached signature published beside it.
int CheckPublisherKeys(FetchSite& site, HttpClient& http, const FetchArguments& parsed,
                       const std::string& file) {
    if (site.signatures == nullptr) {
        site.err("pellinor-fetch: --publisher needs the signature checks of Windows\n");
        return kFetchUsage;
    }
    PublisherKeys keys;
    for (const std::string& certificate : parsed.publishers) {
        const std::optional<PublicKey> key = site.signatures->CertificateKey(
            site.localPath ? site.localPath(certificate) : certificate);
        if (!key) {
            site.err("pellinor-fetch: " + certificate + " holds no certificate\n");
            return kFetchUsage;
        }
        keys.push_back(*key);
    }
    FileSignature signature;
    if (IsWindowsProgram(site.files, file)) {
        signature = site.signatures->Read(file);
    } else {
        const std::string detached = file + kDetachedSignatureSuffix;
        site.files.Remove(detached);
        const FetchOutcome fetched = FetchOneFile(http, parsed.url + kDetachedSignatureSuffix);
        if (DownloadResult(fetched) == kDownloadOk &&
            WriteInPlace(site, fetched.response, nullptr, detached) == kFetchWhole) {
            signature = DecisiveSigner(site.signatures->ReadDetached(file, detached), keys);
        } else if (fetched.failed) {
            site.err(DownloadErrorText(fetched, detached) + "\n");
        }
    }
    const KeyVerdict verdict = JudgeSigner(signature, keys);
    site.out(std::string("publisher: ") + KeyVerdictName(verdict) + "; " +
             SignatureForLog(signature) + "\n");
    return verdict == KeyVerdict::Accept ? kFetchWhole : kFetchRefused;
}

// The smaller files the upgrade of the program earlier asks for, in turn:
// a code when one came or the download ended, none when URL itself is
// next (its request then goes on with their time limit).
std::optional<int> FetchSmallerFirst(FetchSite& site, Downloads& downloads, const std::string& url,
                                     const std::string& earlier, const std::string& file) {
    Downloader& downloader = downloads.FileDownloader();
    const std::string temp = file + kFetchTempSuffix;
    const Clock::time_point start = Clock::now();
    uint64_t carried = 0;
    bool first = true;
    for (const PackedFile& packed : PackedFilesFor(site.files, url, earlier)) {
        downloader.ContinueDownloads(!first);
        first = false;
        site.files.Remove(temp);
        const PackedResult got = downloader.DownloadPacked(packed, temp);
        carried += got.carried;
        if (got.passedOver) {
            site.err("passed over: " + packed.url + " " + got.reason +
                     " carried=" + std::to_string(got.carried) + "\n");
            continue;
        }
        if (!got.result.Ok()) {
            if (!got.result.text.empty()) site.err(got.result.text + "\n");
            site.files.Remove(temp);
            return got.result.step == Step::Write ? kFetchNotWritten
                                                  : FetchExitCode(NoticeNumber(got.result));
        }
        const std::optional<uint64_t> size = site.files.FileSize(temp);
        const StepResult placed = ReplaceAndVerify(ConsoleReplaceSite(site.files), temp, file);
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.3f",
                      std::chrono::duration<double>(Clock::now() - start).count());
        site.out("came=" + packed.url + " bytes=" + std::to_string(got.carried) +
                 " carried=" + std::to_string(carried) +
                 " program=" + std::to_string(size.value_or(0)) + " time=" + seconds + "s\n");
        if (placed.Ok()) return kFetchWhole;
        site.files.Remove(temp);
        return kFetchNotWritten;
    }
    downloader.ContinueDownloads(true);
    return std::nullopt;
}

// A download's events as the console shows them: progress lines, and no
// sign-in, as nobody answers a console in the middle of a fetch.
class ConsoleNotify : public DownloadNotify {
  public:
    explicit ConsoleNotify(ProgressLines& progress) : progress_(progress) {}
    void WorkBegin(int32_t workCountMax) override {
        progress_.WorkBegin(workCountMax, Clock::now());
    }
    void Work(int32_t workCount) override { progress_.Work(workCount, Clock::now()); }
    bool AskProxyCredentials(const std::string&, ProxyCredentials&) override { return false; }
    void Arrived() override {}

  private:
    ProgressLines& progress_;
};

}  // namespace

int RunFetch(const std::vector<std::string>& arguments, FetchSite& site) {
    FetchArguments parsed;
    try {
        parsed = ParseFetchArguments(arguments);
    } catch (const UsageError& e) {
        site.err("pellinor-fetch: " + std::string(e.what()) + "\n\n" + FetchUsage());
        return kFetchUsage;
    }
    if (parsed.help) {
        site.out(FetchUsage());
        return kFetchWhole;
    }
    const std::string file =
        parsed.file.empty() || !site.localPath ? parsed.file : site.localPath(parsed.file);

    // The same lines as the program's support log, on standard error.
    LineLog lines(LocalTimeNow, site.err);
    NoLog none;
    const LogScope logging(parsed.log ? static_cast<Log&>(lines) : none);

    ProgressLines progress(site.err);
    ConsoleNotify notify(progress);
    // No window to keep alive, and nobody to ask for a proxy's sign-in.
    Downloads downloads(site.files, nullptr, site.tls);
    downloads.Notify(&notify);
    HttpClient& http = downloads.Client();
    // Support staff may rule out the user's settings either way.
    if (!parsed.proxy.empty()) {
        downloads.UseProxy(ParseProxyAddress(parsed.proxy));
    } else if (!parsed.noProxy && site.proxies != nullptr) {
        downloads.UseProxySettings(*site.proxies);
    }
    if (!parsed.from.empty()) {
        const std::string earlier = site.localPath ? site.localPath(parsed.from) : parsed.from;
        std::optional<int> code;
        try {
            code = FetchSmallerFirst(site, downloads, parsed.url, earlier, file);
        } catch (const std::exception& e) {
            // The encoding refused the address: the command line is wrong.
            site.err("pellinor-fetch: " + std::string(e.what()) + "\n");
            return kFetchUsage;
        }
        if (code) return *code;
    }
    const Clock::time_point start = Clock::now();
    FetchOutcome outcome;
    // Large files pass through a file of the system's, as in the window.
    const std::unique_ptr<ScratchFile> scratch = site.files.OpenScratchFile();
    KeptParts parts(site.files, site.dataFolder);
    try {
        if (parsed.afresh && !site.dataFolder.empty()) parts.Forget(EncodeUrl(parsed.url).Text());
        outcome = FetchOneFile(http, parsed.url, scratch.get(), ResumeLimits(),
                               site.dataFolder.empty() ? nullptr : &parts);
    } catch (const std::exception& e) {
        // The encoding refused the address: the command line is wrong.
        site.err("pellinor-fetch: " + std::string(e.what()) + "\n");
        return kFetchUsage;
    }
    const Clock::duration taken = Clock::now() - start;

    if (outcome.failed) site.err(DownloadErrorText(outcome, file) + "\n");
    if (outcome.kept > 0) {
        site.err("part kept: " + std::to_string(outcome.kept) +
                 " bytes (run again to continue, --afresh to start from byte 0)\n");
    }
    int code = FetchExitCode(DownloadResult(outcome));
    if (code == kFetchWhole && !file.empty()) {
        code = WriteInPlace(site, outcome.response, scratch.get(), file);
    }
    site.out(SummaryLine(outcome, taken) + "\n");
    if (code == kFetchWhole && !parsed.publishers.empty()) {
        code = CheckPublisherKeys(site, http, parsed, file);
    }
    return code;
}

}  // namespace pellinor
