// The command line of the support tool: parsing, help text, exit codes.
#include "fetch/FetchArguments.h"

#include "transfer/Download.h"
#include "transfer/ProxyChoice.h"

namespace pellinor {

namespace {
bool AsksForHelp(const std::string& argument) {
    return argument == "--help" || argument == "-h" || argument == "/?";
}
}  // namespace

FetchArguments ParseFetchArguments(const std::vector<std::string>& arguments) {
    FetchArguments parsed;
    std::vector<std::string> positional;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (AsksForHelp(argument)) {
            parsed.help = true;
            return parsed;
        }
        if (argument == "--log") {
            parsed.log = true;
            continue;
        }
        if (argument == "--afresh") {
            parsed.afresh = true;
            continue;
        }
        if (argument == "--no-proxy") {
            parsed.noProxy = true;
            continue;
        }
        if (argument == "--publisher") {
            if (i + 1 == arguments.size()) throw UsageError("--publisher needs a certificate file");
            parsed.publishers.push_back(arguments[++i]);
            continue;
        }
        if (argument == "--from") {
            if (i + 1 == arguments.size()) throw UsageError("--from needs the earlier program");
            parsed.from = arguments[++i];
            continue;
        }
        if (argument == "--proxy") {
            if (i + 1 == arguments.size()) throw UsageError("--proxy needs host:port");
            parsed.proxy = arguments[++i];
            if (ParseProxyAddress(parsed.proxy).Direct()) {
                throw UsageError("--proxy " + parsed.proxy + " names no host:port");
            }
            continue;
        }
        // No address or file name the tool is meant for starts with "--";
        // such a word is a mistyped option, not a file to create.
        if (argument.rfind("--", 0) == 0) throw UsageError("unknown option " + argument);
        positional.push_back(argument);
    }
    if (parsed.noProxy && !parsed.proxy.empty()) {
        throw UsageError("--proxy and --no-proxy exclude each other");
    }
    if (positional.empty()) throw UsageError("no address given");
    if (positional.size() > 2) throw UsageError("too many arguments");
    parsed.url = positional[0];
    if (positional.size() == 2) {
        if (positional[1].empty()) throw UsageError("FILE is empty");
        parsed.file = positional[1];
    }
    if (!parsed.publishers.empty() && parsed.file.empty()) {
        throw UsageError("--publisher needs FILE: the file it checks");
    }
    if (!parsed.from.empty() && parsed.file.empty()) {
        throw UsageError("--from needs FILE: the file a smaller one decodes to");
    }
    return parsed;
}

std::string FetchUsage() {
    return "Usage: pellinor-fetch [--proxy HOST:PORT | --no-proxy] [--log] [--afresh] URL [FILE]\n"
           "       pellinor-fetch [...] --publisher CERT [--publisher CERT2 ...] URL FILE\n"
           "       pellinor-fetch [...] --from EARLIER URL FILE\n"
           "\n"
           "Downloads URL with the HTTP client of Pellinor.exe (the same encoding of the\n"
           "address, redirects, cookies, limits and completeness rule) and says what\n"
           "happened. Progress goes to standard error. The last line, on standard output,\n"
           "sums up: the final address, the status line, how the body was delimited\n"
           "(length, chunked, close, none), the bytes announced and received, whether the\n"
           "body counts as a whole file, the proxy of the final request (proxy=HOST:PORT,\n"
           "or proxy=direct) and the time taken.\n"
           "\n"
           "Requests go through the proxy that the user's Internet Options name for each\n"
           "address, as in Pellinor.exe. --proxy HOST:PORT sends every request through\n"
           "that proxy instead; --no-proxy connects directly.\n"
           "\n"
           "With FILE, a whole body is written to FILE.tmp beside FILE and then put in\n"
           "the place of FILE in one step, as the upgrade does; a body that is not whole\n"
           "is never written. Without FILE nothing is written.\n"
           "\n"
           "With --publisher (Windows only), FILE is then held to the keys of those\n"
           "certificates (PEM or DER) as a Pellinor.exe built with them holds what it\n"
           "puts in place, starts or opens: a program by its own signature, any other\n"
           "file by the detached signature at URL + \".p7s\" (fetched to FILE.p7s).\n"
           "A line \"publisher: accept\" or \"publisher: refuse: REASON\" says how, with the\n"
           "signer's key (its SHA-256).\n"
           "\n"
           "With --from EARLIER, the files the upgrade of the program EARLIER asks for\n"
           "come first: URL.from-SHA256.zst (a patch from EARLIER, SHA256 its SHA-256),\n"
           "then URL.zst (compressed), each decoded to FILE if it is there and sound;\n"
           "a line \"passed over: ...\" says why one was not, and the last line names\n"
           "the file that came (came=URL) and the bytes carried. All of them are one\n"
           "download with one time limit.\n"
           "\n"
           "What arrived of a body that is not whole is kept, as Pellinor.exe keeps it\n"
           "(%LOCALAPPDATA%\\Pellinor\\parts), and the next run for the same URL asks\n"
           "only for the rest; a line \"part kept: N bytes\" says so. --afresh\n"
           "removes what is kept of URL first: the download starts from byte 0.\n"
           "\n"
           "With --log, standard error also gets the lines Pellinor.exe writes into its\n"
           "support log about a download: each response (redirects too) and the outcome.\n"
           "\n"
           "Exit codes:\n"
           "  0  the body is whole (and was written to FILE, if one was named); an error\n"
           "     raised after the body's end is printed too, as the program shows it\n"
           "  1  the body is not whole: cut off, read up to the close, too small to be\n"
           "     the file, or no body at all (a redirect loop, say)\n"
           "  2  an error that Pellinor.exe shows in its E0059 box; its text is printed\n"
           "     as the box shows it: the message, an empty line, the encoded address,\n"
           "     and FILE\n"
           "  3  a usage error, or an address that cannot be encoded\n"
           "  4  the body is whole, but FILE could not be written or put in place\n"
           "  5  FILE was written, but the keys of --publisher refuse it\n";
}

int FetchExitCode(int downloadResult) {
    switch (downloadResult) {
        case kDownloadOk:
            return kFetchWhole;
        case kDownloadFailed:
            return kFetchFailed;
        default:
            return kFetchNotWhole;
    }
}

}  // namespace pellinor
