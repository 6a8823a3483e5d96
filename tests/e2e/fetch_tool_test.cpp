// The support tool pellinor-fetch.exe as a technician runs it: a console
// program downloading from a server on 127.0.0.1 into a folder whose name
// is not ASCII, with its standard streams going to files.
#include <optional>
#include <string>
#include <vector>

#include "Fixture.h"
#include "ProxyRig.h"
#include "platform/win32/Utf.h"
#include "support/ScriptedHttpServer.h"

namespace pellinor::e2e {
namespace {

// Long enough for a slow Wine start and the download of a small file.
constexpr DWORD kToolRunLimitMs = 60000;

// What a run printed and how it ended.
struct ConsoleRun {
    bool ended = false;
    DWORD exitCode = STILL_ACTIVE;
    std::string out, err;
};

// A file that the started program inherits as one of its standard streams.
HANDLE InheritableFile(const std::string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return ::CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Runs exe with its standard output and error going to files in folder,
// waits for its end and reads both back.
ConsoleRun RunConsoleProgram(const std::string& exe, const std::vector<std::string>& arguments,
                             const std::string& folder) {
    ConsoleRun run;
    // Files of their own for every run: Wine's console host of the run
    // before may hold that run's files for a moment after it ended.
    static int runs = 0;
    const std::string name = std::to_string(++runs);
    const HANDLE out = InheritableFile(folder + "stdout-" + name + ".txt");
    const HANDLE err = InheritableFile(folder + "stderr-" + name + ".txt");
    std::string commandLine = QuoteArgument(exe);
    for (const std::string& argument : arguments) commandLine += " " + QuoteArgument(argument);
    std::wstring command = Widen(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION info{};
    const bool started =
        out != INVALID_HANDLE_VALUE && err != INVALID_HANDLE_VALUE &&
        ::CreateProcessW(Widen(exe).c_str(), command.data(), nullptr, nullptr, TRUE,
                         CREATE_NO_WINDOW, nullptr, Widen(folder).c_str(), &startup, &info);
    const DWORD error = ::GetLastError();  // of the open or the start that failed
    if (out != INVALID_HANDLE_VALUE) ::CloseHandle(out);
    if (err != INVALID_HANDLE_VALUE) ::CloseHandle(err);
    if (!started) {
        run.err = std::string(out == INVALID_HANDLE_VALUE || err == INVALID_HANDLE_VALUE
                                  ? "no output file"
                                  : "not started") +
                  ": error " + std::to_string(error);
        return run;
    }
    run.ended = ::WaitForSingleObject(info.hProcess, kToolRunLimitMs) == WAIT_OBJECT_0;
    if (!run.ended) ::TerminateProcess(info.hProcess, 1);
    ::GetExitCodeProcess(info.hProcess, &run.exitCode);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
    run.out = ReadBytes(folder + "stdout-" + name + ".txt");
    run.err = ReadBytes(folder + "stderr-" + name + ".txt");
    return run;
}

class FetchToolTest : public WineTest {};

TEST_F(FetchToolTest, AWholeFileIsWrittenAndSummedUp) {
    const std::string body = ReadBytes(ProgramPath("tessaron"));
    ASSERT_GT(body.size(), 1024u);
    ScriptedHttpServer server;
    server.SetHandler([body](const std::string& request) {
        if (RequestTarget(request) != "/V9/02/Tessaron.Exe") {
            return ScriptedReply(HttpHead("HTTP/1.1 404 Not Found", {"Content-Length: 0"}));
        }
        return ScriptedReply(
            HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(body.size())}) + body);
    });
    const std::string folder = MakeFolder("下载 Lock");
    const std::string file = folder + "Tessaron.Exe";
    const std::string url = server.Url("/V9/02/Tessaron.Exe");

    const ConsoleRun run =
        RunConsoleProgram(ProgramPath("pellinor-fetch"), {url, file}, TempFolder());
    ASSERT_TRUE(run.ended) << "still running after " << kToolRunLimitMs << " ms";
    EXPECT_EQ(run.exitCode, 0u) << run.err;
    const std::string size = std::to_string(body.size());
    const std::string summary = "url=" + url +
                                " status=\"HTTP/1.1 200 OK\" framing=length announced=" + size +
                                " bytes=" + size + " whole=yes proxy=direct tls=none time=";
    EXPECT_EQ(run.out.rfind(summary, 0), 0u) << run.out;
    // One request was enough: nothing was cut.
    EXPECT_NE(run.out.find("s tries=1\n"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << "one line: " << run.out;
    EXPECT_EQ(run.err.rfind("begin: " + size + " bytes announced\n", 0), 0u) << run.err;
    EXPECT_EQ(ReadBytes(file), body);
    EXPECT_FALSE(PathExists(file + ".tmp"));
    EXPECT_EQ(server.Requests().size(), 1u);
}

// Support staff's two switches: the user's settings name squid, --no-proxy
// goes direct anyway; --proxy names squid whatever the settings say.
class FetchThroughProxy : public WineTest {};

TEST_F(FetchThroughProxy, TheUsersProxyNoProxyAndProxy) {
    Squid squid;
    ASSERT_TRUE(squid.Running());
    ScriptedHttpServer server;
    server.SetHandler([](const std::string&) {
        return ScriptedReply(HttpHead("HTTP/1.1 200 OK", {"Content-Length: 5"}) + "small");
    });
    const std::string url = server.Url("/fetch/Tessaron.Exe");
    struct Case {
        std::vector<std::string> arguments;
        bool settings;      // the user's settings name squid
        std::string proxy;  // in the summary line
        size_t seen;        // requests squid saw so far
    };
    const std::vector<Case> cases = {
        {{url}, true, squid.Open(), 1},
        {{"--no-proxy", url}, true, "direct", 1},
        {{"--proxy", squid.Open(), url}, false, squid.Open(), 2},
    };
    for (const Case& c : cases) {
        std::optional<UserProxySettings> settings;
        if (c.settings) settings.emplace(kProxyDirect | kProxyFixed, squid.Open(), "", "");
        const ConsoleRun run =
            RunConsoleProgram(ProgramPath("pellinor-fetch"), c.arguments, TempFolder());
        ASSERT_TRUE(run.ended) << run.err;
        EXPECT_EQ(run.exitCode, 1u) << "5 bytes are not a whole program: " << run.err;
        EXPECT_NE(run.out.find(" proxy=" + c.proxy + " tls=none time="), std::string::npos)
            << run.out;
        EXPECT_EQ(squid.Seen("/fetch/Tessaron.Exe").size(), c.seen) << run.out;
    }
}

}  // namespace
}  // namespace pellinor::e2e

namespace pellinor::e2e {
namespace {

// Support staff checking a server's files against the publisher's
// certificate before a hotel fetches them (files of tests/e2e/pin-fixtures).
class PinnedFetchTool : public WineTest {};

TEST_F(PinnedFetchTool, SaysWhetherAFileWouldBeAdmittedAndWhy) {
    const std::string signedFiles = ExeFolder() + "pin-signed\\";
    const struct {
        const char* name;       // served at /f/<name>
        const char* signature;  // served at /f/<name>.p7s; none: 404
        DWORD exitCode;
        const char* verdict;
    } rows[] = {
        {"new-standby.exe", nullptr, 0, "publisher: accept;"},
        {"new-lookalike.exe", nullptr, 5, "publisher: refuse: not a publisher key;"},
        {"new-transplanted.exe", nullptr, 5, "publisher: refuse: changed after signing;"},
        {"sdk.rar", "sdk-publisher.p7s", 0, "publisher: accept;"},
        {"sdk-changed.rar", "sdk-publisher.p7s", 5, "publisher: refuse: changed after signing;"},
        {"sdk.rar", nullptr, 5, "publisher: refuse: not signed;"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string body = ReadBytes(signedFiles + row.name);
        const std::string signature = row.signature ? ReadBytes(signedFiles + row.signature) : "";
        ASSERT_FALSE(body.empty()) << "made by ctest (e2e_pin_fixtures)";
        ScriptedHttpServer server;
        server.SetHandler([&](const std::string& request) {
            const std::string target = RequestTarget(request);
            const std::string reply = target == "/f/file"                        ? body
                                      : target == "/f/file.p7s" && row.signature ? signature
                                                                                 : "";
            if (reply.empty())
                return ScriptedReply(HttpHead("HTTP/1.1 404 Not Found", {"Content-Length: 0"}));
            return ScriptedReply(
                HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(reply.size())}) +
                reply);
        });
        const std::string file = TempFolder() + "file";
        const ConsoleRun run =
            RunConsoleProgram(ProgramPath("pellinor-fetch"),
                              {"--publisher", signedFiles + "publisher.crt", "--publisher",
                               signedFiles + "standby.der", server.Url("/f/file"), file},
                              TempFolder());
        ASSERT_TRUE(run.ended) << run.err;
        EXPECT_EQ(run.exitCode, row.exitCode) << run.out << run.err;
        EXPECT_NE(run.out.find(std::string("\n") + row.verdict), std::string::npos) << run.out;
        EXPECT_EQ(ReadBytes(file), body) << "the file stays for support to look at";
    }
}

}  // namespace
}  // namespace pellinor::e2e
