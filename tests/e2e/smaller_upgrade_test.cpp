// The upgrade through the window when the publisher has put up a patch from
// the installed program and the compressed program (scripts/publish at
// build time): the patch comes and decodes to the exact program, and a
// damaged patch gives way to the compressed file.
#include <shlobj.h>

#include <map>

#include "UpgradeScenario.h"

namespace pellinor::e2e {
namespace {

class SmallerUpgradeTest : public UpgradeScenario {
  protected:
    // The old stand-in installed; the published files served by name under
    // /V9/02/, the patch damaged if asked, and 404 for anything else.
    std::string InstallAndServe(const std::string& relative, bool damagePatch) {
        const std::string bin = ProgramPath("tessaron_old");
        const std::string published = bin.substr(0, bin.find_last_of('\\')) + "\\published\\";
        const std::vector<std::string> patches = FilesIn(published, "Tessaron.Exe.from-*.zst");
        EXPECT_EQ(patches.size(), 1u);
        patch_ = patches.empty() ? std::string() : patches[0];
        std::map<std::string, std::string> files;
        for (const std::string& name :
             {std::string("Tessaron.Exe"), std::string("Tessaron.Exe.zst"), patch_})
            files["/V9/02/" + name] = ReadBytes(published + name);
        published_ = files["/V9/02/Tessaron.Exe"];
        std::string& patch = files["/V9/02/" + patch_];
        if (damagePatch) patch[patch.size() / 2] ^= 0x55;
        server_.SetHandler([files](const std::string& request) {
            const auto file = files.find(RequestTarget(request));
            if (file == files.end())
                return ScriptedReply(HttpHead("HTTP/1.1 404 Not Found", {"Content-Length: 0"}));
            return ScriptedReply(
                HttpHead("HTTP/1.1 200 OK",
                         {"Content-Length: " + std::to_string(file->second.size())}) +
                file->second);
        });
        const std::string folder = MakeFolder(relative);
        EXPECT_TRUE(WriteBytes(folder + "Tessaron.Exe", ReadBytes(bin)));
        MakeDesktopShortcut(Desktop::User, "Lock.lnk", folder + "Tessaron.Exe", folder);
        return folder;
    }

    // The support log's line about a smaller file of this test's server.
    std::string LogLine(const std::string& name) const {
        wchar_t local[MAX_PATH] = {};
        ::SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local);
        const std::string log = ReadBytes(Narrow(local) + "\\Pellinor\\Pellinor.log");
        const size_t at = log.rfind("smaller file " + server_.Url("/V9/02/" + name) + " ");
        return at == std::string::npos ? std::string() : log.substr(at, log.find('\n', at) - at);
    }

    std::string patch_;
    std::string published_;
};

// The patch comes and decodes to the exact program; damaged, it gives way
// to the compressed file.
TEST_F(SmallerUpgradeTest, ThePatchBringsTheExactProgramAndADamagedOneGivesWay) {
    for (const bool damaged : {false, true}) {
        const std::string folder = InstallAndServe(damaged ? "Damaged" : "Sound", damaged);
        const size_t before = server_.Requests().size();
        const UpgradeOutcome outcome = RunUpgrade(Start());
        EXPECT_TRUE(outcome.Succeeded()) << outcome.Describe();
        EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), published_);
        EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"Tessaron.Exe"});
        EXPECT_EQ(ScratchFilesLeft(), std::vector<std::string>{});
        EXPECT_EQ(server_.Requests().size() - before, damaged ? 2u : 1u);
        EXPECT_NE(LogLine(patch_).find(damaged ? " passed over: " : " taken carried="),
                  std::string::npos)
            << LogLine(patch_);
        if (damaged) {
            EXPECT_NE(LogLine("Tessaron.Exe.zst").find(" taken carried="), std::string::npos);
        }
        RemoveTree(folder);
    }
}

}  // namespace
}  // namespace pellinor::e2e
