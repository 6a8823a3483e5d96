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
    std::string InstallAndServe(bool damagePatch) {
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
        const std::string folder = MakeFolder("Hotel\\Lock");
        EXPECT_TRUE(WriteBytes(folder + "Tessaron.Exe", ReadBytes(bin)));
        MakeDesktopShortcut(Desktop::User, "Lock.lnk", folder + "Tessaron.Exe", folder);
        return folder;
    }

    std::vector<std::string> Asked() const {
        std::vector<std::string> asked;
        for (const std::string& request : server_.Requests())
            asked.push_back(RequestTarget(request));
        return asked;
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

TEST_F(SmallerUpgradeTest, ThePatchFromTheInstalledProgramBringsTheExactProgram) {
    const std::string folder = InstallAndServe(false);
    UiDriver& ui = Start();
    const UpgradeOutcome outcome = RunUpgrade(ui);
    EXPECT_TRUE(outcome.Succeeded()) << outcome.Describe();
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), published_);
    EXPECT_EQ(Asked(), std::vector<std::string>{"/V9/02/" + patch_});
    EXPECT_NE(LogLine(patch_).find(" taken carried="), std::string::npos) << LogLine(patch_);
    EXPECT_EQ(ScratchFilesLeft(), std::vector<std::string>{});
}

TEST_F(SmallerUpgradeTest, ADamagedPatchGivesWayToTheCompressedProgram) {
    const std::string folder = InstallAndServe(true);
    UiDriver& ui = Start();
    const UpgradeOutcome outcome = RunUpgrade(ui);
    EXPECT_TRUE(outcome.Succeeded()) << outcome.Describe();
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), published_);
    EXPECT_EQ(Asked(), (std::vector<std::string>{"/V9/02/" + patch_, "/V9/02/Tessaron.Exe.zst"}));
    EXPECT_NE(LogLine(patch_).find(" passed over: "), std::string::npos) << LogLine(patch_);
    EXPECT_NE(LogLine("Tessaron.Exe.zst").find(" taken carried="), std::string::npos);
    EXPECT_EQ(FilesIn(folder), std::vector<std::string>{"Tessaron.Exe"});
}

}  // namespace
}  // namespace pellinor::e2e
