// The upgrade's smaller files over a scripted server, with frames made by
// libzstd: each of the patch, the compressed file and the program present,
// missing or spoiled, which requests went out and what ended in place.
#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "commands/signatures/Sha256.h"
#include "fakes/HttpUpgradeRig.h"
#include "fakes/ProgramBytes.h"
#include "support/PublishedFrame.h"
#include "support/ScriptedHttpServer.h"

namespace pellinor {
namespace {

// The name a publisher gives a patch made from bytes.
std::string Sha256Of(const std::string& bytes) {
    Sha256 sha;
    sha.Add(bytes);
    return sha.Hex();
}

const std::string kOld = ProgramBytes(std::string(3000, 'o') + "old lock program");
const std::string kNew = ProgramBytes(std::string(3000, 'o') + "new lock program, the second");
const std::string kOther = ProgramBytes(std::string(2000, 'x') + "another program altogether");

std::string Damaged(std::string frame) {
    return frame.replace(frame.size() / 2, 1, 1, static_cast<char>(frame[frame.size() / 2] ^ 0x55));
}
std::string Cut(const std::string& frame) {
    return frame.substr(0, frame.size() / 2);
}
// A header that announces 1 TiB; a dictionary's id; a skippable frame.
const std::string kBomb("\x28\xB5\x2F\xFD\xC4\x50\0\0\0\0\0\x01\0\0\x01\0\0", 17);
const std::string kDictionary("\x28\xB5\x2F\xFD\x25\x07\x0A\x51\0\0abcdefghij\0\0\0\0", 22);
const std::string kSkippable("\x50\x2A\x4D\x18\x04\0\0\0abcd", 12);

using Served = std::optional<std::string>;  // none: 404
const Served kMissing = std::nullopt;
// The connection closed before any answer: the server cannot be reached.
const std::string kNoAnswer = "no answer";

struct Row {
    const char* name;
    Served patch, compressed, program;
    size_t requests;        // of the patch, the compressed file, the program, in this order
    std::string installed;  // afterwards
} const kRows[] = {
    {"patch", PublishedFrame(kNew, kOld), PublishedFrame(kNew), kNew, 1, kNew},
    {"compressed", kMissing, PublishedFrame(kNew), kNew, 2, kNew},
    {"damaged patch", Damaged(PublishedFrame(kNew, kOld)), PublishedFrame(kNew), kNew, 2, kNew},
    {"cut patch, no compressed", Cut(PublishedFrame(kNew, kOld)), kMissing, kNew, 3, kNew},
    {"bomb, damaged", kBomb, Damaged(PublishedFrame(kNew)), kNew, 3, kNew},
    {"other reference, cut", PublishedFrame(kNew, kOther), Cut(PublishedFrame(kNew)), kNew, 3,
     kNew},
    {"refused by the checks", PublishedFrame("not a program " + std::string(2000, 'n'), kOld),
     PublishedFrame(kOther.substr(2)), kNew, 3, kNew},
    {"skippable, two frames", kSkippable, PublishedFrame(kNew) + PublishedFrame(kNew), kNew, 3,
     kNew},
    {"dictionary, no checksum", kDictionary, PublishedFrame(kNew, "", false), kNew, 3, kNew},
    {"no content size", kMissing, PublishedFrame(kNew, "", true, false), kNew, 3, kNew},
    {"nothing", kMissing, kMissing, kMissing, 3, kOld},
    {"no answer ends the download", kNoAnswer, PublishedFrame(kNew), kNew, 1, kOld},
};

TEST(SmallerFiles, EachFileIsTriedInTurnAndOnlyASoundProgramTakesThePlace) {
    for (const Row& row : kRows) {
        ScriptedHttpServer server;
        const std::string patchPath = "/v2/Tessaron.Exe.from-" + Sha256Of(kOld) + ".zst";
        const std::map<std::string, Served> files = {{patchPath, row.patch},
                                                     {"/v2/Tessaron.Exe.zst", row.compressed},
                                                     {"/v2/Tessaron.Exe", row.program}};
        server.SetHandler([&files](const std::string& request) {
            const auto file = files.find(RequestTarget(request));
            if (file == files.end() || !file->second)
                return ScriptedReply(HttpHead("HTTP/1.1 404 Not Found", {"Content-Length: 0"}));
            const std::string& body = *file->second;
            if (body == kNoAnswer) return ScriptedReply("", AfterReply::Close);
            return ScriptedReply(
                HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(body.size())}) +
                body);
        });
        HttpUpgradeRig rig(server.Url("/v2/"), kOld);
        rig.Run();

        std::vector<std::string> asked;
        for (const std::string& request : server.Requests())
            asked.push_back(RequestTarget(request));
        const std::vector<std::string> order = {patchPath, "/v2/Tessaron.Exe.zst",
                                                "/v2/Tessaron.Exe"};
        EXPECT_EQ(asked, std::vector<std::string>(order.begin(), order.begin() + row.requests))
            << row.name;
        EXPECT_EQ(rig.fake.files.Bytes("C:\\Lock\\Tessaron.Exe"), row.installed) << row.name;
        EXPECT_FALSE(rig.fake.files.FileExists("C:\\Lock\\TessaronEng.tmp")) << row.name;
        // A failure's box names the program's address, as without smaller files.
        if (row.installed == kOld) {
            EXPECT_NE(
                rig.fake.window.boxes.at(1).text.find("\n" + server.Url("/v2/Tessaron.Exe\n")),
                std::string::npos);
        }
    }
}

}  // namespace
}  // namespace pellinor
