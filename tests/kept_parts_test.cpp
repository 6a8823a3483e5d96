// A download that one run could not finish, kept on disk and found by the
// next: what each state of the part and its record makes the next request
// ask for, and that the file then comes exact and the part goes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <string>

#include "commands/FileDownload.h"
#include "commands/keeping/KeptParts.h"
#include "http/HttpConnection.h"
#include "http/HttpResponseReader.h"
#include "platform/posix/PosixFileSystem.h"
#include "support/PublishedFrame.h"
#include "support/ScriptedHttpServer.h"
#include "transfer/Download.h"

namespace pellinor {
namespace {

// Past the body the client holds in memory, so that the part is written
// both as the body arrives and at the end.
constexpr size_t kFileSize = 3 * kBodyHeldInMemory + 12345;
constexpr size_t kHalf = kFileSize / 2;
const char* const kData = "C:\\Data\\Pellinor";

// What is done to the part or its record between the two runs.
enum class Change { None, Cut, Grown, Foreign, Garbage, Stale, NewFile };

struct Row {
    const char* name;
    Change change;
    bool resumed;  // the second run asks for the rest under the first validator
    uint64_t grown = 0;
};

const Row kRows[] = {
    {"good", Change::None, true},
    {"grown by what a kill leaves uncounted", Change::Grown, true, kLargestUncountedBytes},
    {"grown past that", Change::Grown, false, kLargestUncountedBytes + 1},
    {"cut", Change::Cut, false},
    {"foreign address", Change::Foreign, false},
    {"record garbage", Change::Garbage, false},
    {"stale", Change::Stale, false},
    // Asked for, but the 206 comes under another validator: refused, and
    // the file is asked for anew.
    {"validator changed", Change::NewFile, true},
};

class KeptPartTable : public ::testing::TestWithParam<Row> {};

TEST_P(KeptPartTable, TheNextRunAsksForWhatCanBeTrustedAndEndsExact) {
    const Row& row = GetParam();
    const std::string root = ::testing::TempDir() + "kept_parts_" + std::to_string(row.grown) +
                             std::to_string(static_cast<int>(row.change));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root + "/Data");
    PosixFileSystem files(root);
    int64_t now = 1800000000;
    KeptParts parts(files, kData, [&now] { return now; });

    std::string file(kFileSize, '\0');
    for (size_t i = 0; i < kFileSize; ++i) file[i] = static_cast<char>(i * 7 + i / 251);
    auto body = std::make_shared<const std::string>(file);
    std::string etag = "ETag: \"v1\"";
    size_t cut = kHalf;
    ScriptedHttpServer server;
    server.SetHandler([&](const std::string& request) {
        return RangeReply(request, body, {etag, "Accept-Ranges: bytes"}, cut);
    });
    const std::string url = server.Url("/V9/Tessaron.Exe");
    HttpClient client{HttpEvents{}, std::make_unique<HttpConnection>([] {})};
    const auto run = [&] {
        const std::unique_ptr<ScratchFile> scratch = files.OpenScratchFile();
        FetchOutcome outcome = FetchOneFile(client, url, scratch.get(),
                                            ResumeLimits{1, std::chrono::milliseconds(0)}, &parts);
        std::string bytes;
        ForEachPiece(*scratch, [&](const char* d, size_t n) { bytes.append(d, n); });
        return std::make_pair(outcome, bytes + outcome.response.body);
    };

    // The first run: the line drops at half, the half is kept.
    EXPECT_EQ(run().first.kept, kHalf);
    const PartPlace place = PartPlaceOf(kData, url);
    const std::string part = files.HostPath(place.part), record = files.HostPath(place.record);
    ASSERT_EQ(std::filesystem::file_size(part), kHalf);

    std::string text = files.ReadFile(place.record, 1 << 20);
    switch (row.change) {
        case Change::None:
            break;
        case Change::Cut:
            std::filesystem::resize_file(part, kHalf - 1000);
            break;
        case Change::Grown:
            std::ofstream(part, std::ios::app) << std::string(row.grown, 'x');
            break;
        case Change::Foreign:
            std::ofstream(record, std::ios::trunc) << text.replace(text.find("/V9/"), 4, "/V8/");
            break;
        case Change::Garbage:
            std::ofstream(record, std::ios::trunc) << text.substr(0, text.size() / 2);
            break;
        case Change::Stale:
            now += kPartLifeSeconds + 1;
            break;
        case Change::NewFile:
            etag = "ETag: \"v2\"";
            body = std::make_shared<const std::string>(file.substr(1) + "!");
            break;
    }
    cut = SIZE_MAX;
    const auto second = run();
    EXPECT_TRUE(second.first.whole);
    EXPECT_TRUE(second.second == *body) << "not the file's bytes";
    EXPECT_EQ(second.first.kept, 0u);
    EXPECT_FALSE(std::filesystem::exists(part) || std::filesystem::exists(record));

    const std::vector<std::string> requests = server.Requests();
    const bool asked = requests[1].find("\r\nRange: bytes=" + std::to_string(kHalf) +
                                        "-\r\nIf-Range: \"v1\"\r\n") != std::string::npos;
    EXPECT_EQ(asked, row.resumed) << requests[1];
    // Continued: one request for the rest; refused: one more for the whole.
    const bool refused = row.change == Change::NewFile;
    EXPECT_EQ(requests.size(), refused ? 3u : 2u);
    if (refused) {
        EXPECT_EQ(requests[2].find("Range:"), std::string::npos) << requests[2];
    }
}

// A compressed file keeps its part like the program: the next run asks for
// its rest, and the program decoded from the whole frame is exact. (The
// first run's tries after the cut take their pauses: about 10 s.)
TEST(KeptPart, ACompressedFileCutIsFinishedByTheNextRun) {
    const std::string root = ::testing::TempDir() + "kept_parts_packed";
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root + "/Data");
    std::filesystem::create_directories(root + "/Lock");
    PosixFileSystem files(root);
    KeptParts parts(files, kData, [] { return int64_t{1800000000}; });
    std::string program(kFileSize, '\0');
    uint32_t x = 1;  // bytes that hardly compress, so the frame is as large as the program
    for (char& c : program) c = static_cast<char>((x = x * 1103515245 + 12345) >> 24);
    const std::string frame = PublishedFrame(program);
    auto body = std::make_shared<const std::string>(frame);
    size_t cut = frame.size() / 2;
    ScriptedHttpServer server;
    server.SetHandler([&](const std::string& request) {
        return RangeReply(request, body, {"ETag: \"z1\"", "Accept-Ranges: bytes"}, cut);
    });
    HttpClient client{HttpEvents{}, std::make_unique<HttpConnection>([] {})};
    HttpDownloader downloader(client, files);
    downloader.KeepPartsWith(&parts);
    const PackedFile packed{server.Url("/V9/Tessaron.Exe.zst"), server.Url("/V9/Tessaron.Exe"), ""};

    EXPECT_EQ(downloader.DownloadPacked(packed, "C:\\Lock\\Tessaron.tmp").result.keptBytes, cut);
    cut = SIZE_MAX;
    EXPECT_TRUE(downloader.DownloadPacked(packed, "C:\\Lock\\Tessaron.tmp").result.Ok());
    EXPECT_NE(server.Requests().back().find("Range: bytes=" + std::to_string(frame.size() / 2)),
              std::string::npos);
    EXPECT_TRUE(files.ReadFile("C:\\Lock\\Tessaron.tmp", kFileSize + 1) == program);
}

void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

INSTANTIATE_TEST_SUITE_P(States, KeptPartTable, ::testing::ValuesIn(kRows));

}  // namespace
}  // namespace pellinor
