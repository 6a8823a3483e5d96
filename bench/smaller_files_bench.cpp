// The upgrade's download over a hotel line, paced on 127.0.0.1: the
// program itself, its compressed file, a patch from a near version and one
// from a far version, each at 2 KB/s and 20 KB/s. Prints the bytes carried
// (and their share of the program) and the time each takes; asserts
// nothing. The line runs SCALE times faster than the rate it stands for,
// and each time is multiplied back by SCALE: the pacing is the server's
// (a block every 100 ms), the decoding and the checks are real time, so
// the scaled figures overstate them SCALE times, which only errs on the
// slow side.
//   smaller_files_bench [--scale N] [NEW NEAR FAR]
// Without files: three made-up programs of 256 KiB (the run scripts/test makes).

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "commands/signatures/Sha256.h"
#include "fakes/HttpUpgradeRig.h"
#include "fakes/ProgramBytes.h"
#include "support/PublishedFrame.h"
#include "support/ScriptedHttpServer.h"

using namespace pellinor;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::chrono::milliseconds kBlockPause{100};
constexpr double kDownloadLimitSeconds = 1800;

std::string ReadAll(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in) std::fprintf(stderr, "cannot read %s\n", path), std::exit(2);
    return bytes.str();
}

// The name a publisher gives a patch made from bytes.
std::string Sha256Hex(const std::string& bytes) {
    Sha256 sha;
    sha.Add(bytes);
    return sha.Hex();
}

// A made-up program: a real header, then text-like bytes; later versions
// change a share of its lines.
std::string Version(size_t changedEvery) {
    std::string text;
    for (int line = 0; text.size() < (size_t{256} << 10); ++line) {
        text += "function " + std::to_string(line * 7919 % 100003) + " of the lock program";
        if (changedEvery && line % changedEvery == 0) text += " changed in " + std::to_string(line);
        text += '\n';
    }
    return ProgramBytes(text);
}

struct Run {
    uint64_t carried = 0;
    double seconds = 0;
    bool upgraded = false;
};

// One upgrade of an installation holding installed, from a server that
// has only the files given and carries bytesPerSecond * scale.
Run Upgrade(const std::map<std::string, std::string>& files, const std::string& installed,
            const std::string& program, size_t bytesPerSecond, int scale) {
    ScriptedHttpServer server;
    const size_t block = std::max<size_t>(1, bytesPerSecond * scale / 10);
    uint64_t carried = 0;
    server.SetHandler([&](const std::string& request) {
        const auto file = files.find(RequestTarget(request));
        if (file == files.end())
            return ScriptedReply(HttpHead("HTTP/1.1 404 Not Found", {"Content-Length: 0"}));
        carried += file->second.size();
        ScriptedReply reply(HttpHead("HTTP/1.1 200 OK",
                                     {"Content-Length: " + std::to_string(file->second.size())}));
        reply.ThenShared(std::make_shared<const std::string>(file->second), block, kBlockPause);
        return reply;
    });
    HttpUpgradeRig rig(server.Url("/b/"), installed);
    const Clock::time_point start = Clock::now();
    rig.Run();
    Run run;
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count() * scale;
    run.carried = carried;
    run.upgraded = rig.fake.files.Bytes("C:\\Lock\\Tessaron.Exe") == program;
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    int scale = 50;
    int first = 1;
    if (argc > 2 && std::string(argv[1]) == "--scale") scale = std::atoi(argv[2]), first = 3;
    std::string program, near, far;
    if (argc - first == 3) {
        program = ReadAll(argv[first]);
        near = ReadAll(argv[first + 1]);
        far = ReadAll(argv[first + 2]);
    } else {
        program = Version(0);
        near = Version(997);
        far = Version(7);
    }
    const std::string name = "/b/Tessaron.Exe";
    struct Case {
        const char* what;
        std::string path, body, installed;
    } const cases[] = {
        {"program", name, program, far},
        {".zst", name + ".zst", PublishedFrame(program, ""), far},
        {"near patch", name + ".from-" + Sha256Hex(near) + ".zst", PublishedFrame(program, near),
         near},
        {"far patch", name + ".from-" + Sha256Hex(far) + ".zst", PublishedFrame(program, far), far},
    };
    std::printf("program %zu bytes; line %dx faster than the rate, times scaled back\n",
                program.size(), scale);
    std::printf("%-11s %10s %7s %12s %12s %s\n", "file", "bytes", "share", "at 2 KB/s",
                "at 20 KB/s", "within 30 min at 2 KB/s");
    for (const Case& c : cases) {
        const std::map<std::string, std::string> files = {{c.path, c.body}, {name, program}};
        const Run slow = Upgrade(files, c.installed, program, 2048, scale);
        const Run fast = Upgrade(files, c.installed, program, 20480, scale);
        std::printf(
            "%-11s %10llu %6.1f%% %11.1fs %11.1fs %s%s\n", c.what,
            static_cast<unsigned long long>(slow.carried),
            100.0 * static_cast<double>(c.body.size()) / static_cast<double>(program.size()),
            slow.seconds, fast.seconds, slow.seconds <= kDownloadLimitSeconds ? "yes" : "no",
            slow.upgraded && fast.upgraded ? "" : " (NOT UPGRADED)");
    }
    return 0;
}
