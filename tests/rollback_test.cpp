// The program an upgrade replaced: kept with its record, read back only as
// it was written, and put back by the rollback only when every rule holds.
#include <gtest/gtest.h>

#include <functional>

#include "commands/keeping/KeptProgram.h"
#include "commands/signatures/FileDigest.h"
#include "commands/signatures/Sha256.h"
#include "fakes/CommandRig.h"
#include "text/TextRules.h"
#include "unattended/UnattendedRollback.h"

namespace pellinor {
namespace {

const std::string kData = "C:\\Users\\alice\\AppData\\Local\\Pellinor";
const std::string kFolder = "C:\\Lock\\";
const std::string kExe = kFolder + "Tessaron.Exe";
const std::string kOld = ProgramBytes("old lock program");

std::string Sha(const std::string& bytes) {
    Sha256 sha;
    sha.Add(bytes);
    return sha.Hex();
}

TEST(Sha256, KnownDigestsInOnePieceOrMany) {
    EXPECT_EQ(Sha(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    FakeFileSystem files;
    const std::string large(kDigestPieceBytes + 77, 'x');
    files.AddFile("C:\\large", large);
    EXPECT_EQ(Sha256OfFile(files, "C:\\large"), Sha(large));
    EXPECT_EQ(files.largestRead, kDigestPieceBytes);
}

// An installation upgraded once, with its old program kept.
// fault: what goes wrong before the upgrade.
struct Upgraded : CommandRig {
    explicit Upgraded(const std::function<void(Upgraded&)>& fault = {}) {
        fake.platform.dataFolder = kData;
        fake.files.AddFolder("C:\\Users\\alice\\AppData\\Local\\");
        fake.files.AddFolder(kFolder);
        fake.files.AddFile(kExe, kOld);
        fake.AddShortcut("Lock.lnk", "C:\\Lock");
        fake.versions.byPath[kExe] = FileVersion{true, (uint64_t{7} << 48) | 35, "Tessaron.exe"};
        if (fault) fault(*this);
        UpgradeInstalledProgram(site);
        fake.processes.running = {{10, kExe}};
    }
    // Puts bytes (none: nothing) or else a folder in the place of path.
    void Put(const std::string& path, std::optional<std::string> bytes = std::nullopt) {
        fake.files.Remove(path);
        if (!bytes) fake.files.AddFolder(path);
        if (bytes && !bytes->empty()) fake.files.AddFile(path, *bytes);
    }
    ExitCode Rollback() { return RunUnattendedRollback(fake.platform, publisherKeys, {}); }
    KeptPlace place = *KeptPlaceOf(kData, kFolder);
};

TEST(KeptRecord, TheUpgradeKeepsTheOldProgramAndTheRecordReadsOnlyAsWritten) {
    Upgraded u;
    ASSERT_EQ(u.fake.files.Bytes(kExe), u.served);
    EXPECT_EQ(u.fake.files.Bytes(u.place.program), kOld);
    const RecordReading good = ReadKeptRecord(u.fake.files, u.place.record, "c:\\lock");
    ASSERT_EQ(good.state, RecordState::Good) << good.problem;
    EXPECT_EQ(good.record.version, "7.0.0.35");
    EXPECT_EQ(good.record.sha256, Sha(kOld));
    EXPECT_EQ(good.record.replacedBy, Sha(u.served));
    EXPECT_EQ(FormatKeptRecord(good.record), u.fake.files.Bytes(u.place.record));
    EXPECT_EQ(u.place.program.rfind(kData + "\\previous\\", 0), 0u);
    EXPECT_EQ(u.fake.files.Files().size(), 4u) << "the program, its link, the kept one, its record";

    const std::string text = FormatKeptRecord(good.record);
    const size_t sha = text.find("sha256=") + 7;
    const std::pair<const char*, std::string> damaged[] = {
        {"cut in its last line", text.substr(0, text.size() - 3)},
        {"cut after a line", text.substr(0, sha)},
        {"a digest edited", text.substr(0, sha) + "X" + text.substr(sha + 1)},
        {"a line added", text + "extra=1\r\n"},
        {"a line left out", text.substr(0, text.find("version=")) + text.substr(sha - 7)},
        {"a field emptied", text.substr(0, text.find("when=") + 5) + "\r\n"},
        {"a tab in a field", text.substr(0, text.size() - 2) + "\t\r\n"},
        {"larger than any record", text + std::string(kLargestRecordBytes, 'x')},
        {"another folder's", text.substr(0, text.find("C:")) + "D" + text.substr(text.find(":\\"))},
    };
    for (const auto& [what, damage] : damaged) {
        const RecordReading reading = ParseKeptRecord(damage, "C:\\Lock\\");
        EXPECT_EQ(reading.state, RecordState::Damaged) << what;
        EXPECT_FALSE(reading.problem.empty()) << what;
    }
}

TEST(Rollback, PutsTheKeptProgramBackOnlyWhenEveryRuleHolds) {
    const struct {
        const char* what;
        std::function<void(Upgraded&)> change;
        ExitCode code;
    } rows[] = {
        {"every rule holds", [](Upgraded&) {}, ExitCode::Upgraded},
        {"nothing kept", [](Upgraded& u) { u.Put(u.place.record, ""); }, ExitCode::NothingKept},
        {"the record cut", [](Upgraded& u) { u.Put(u.place.record, "Pellinor kept"); },
         ExitCode::KeptRecordDamaged},
        {"the installed program changed", [](Upgraded& u) { u.Put(kExe, ProgramBytes("3rd")); },
         ExitCode::InstalledChanged},
        {"put back, its record not yet gone", [](Upgraded& u) { u.Put(kExe, kOld); },
         ExitCode::Upgraded},
        {"the kept program changed", [](Upgraded& u) { u.Put(u.place.program, kOld + " "); },
         ExitCode::KeptProgramChanged},
        {"a folder in the kept program's place", [](Upgraded& u) { u.Put(u.place.program); },
         ExitCode::KeptProgramChanged},
        {"no publisher key signed it",
         [](Upgraded& u) {
             u.publisherKeys = {{"spki", "aa11"}};
         },
         ExitCode::Refused},
        {"another copy changes files", [](Upgraded& u) { u.fake.commandLock.heldElsewhere = true; },
         ExitCode::AlreadyRunning},
        {"the program held",
         [](Upgraded& u) {
             u.fake.files.replaceFailures = {32, 32, 5, 2};
         },
         ExitCode::ReplaceFailed},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Upgraded u;
        row.change(u);
        const std::string installed = u.fake.files.Bytes(kExe);
        const std::string record = u.fake.files.Bytes(u.place.record);
        EXPECT_EQ(u.Rollback(), row.code);
        EXPECT_FALSE(u.fake.files.FileExists(kFolder + "TessaronEng.tmp"));
        if (row.code == ExitCode::Upgraded) {
            EXPECT_EQ(u.fake.files.Bytes(kExe), kOld);
            EXPECT_EQ(u.fake.processes.terminated.size(), installed == kOld ? 0u : 1u);
            EXPECT_FALSE(u.fake.files.FileExists(u.place.record));
            EXPECT_FALSE(u.fake.files.FileExists(u.place.program));
            EXPECT_EQ(u.Rollback(), ExitCode::NothingKept) << "a second time";
            continue;
        }
        EXPECT_EQ(u.fake.files.Bytes(kExe), installed);
        EXPECT_EQ(u.fake.files.Bytes(u.place.record), record);
        EXPECT_EQ(u.fake.processes.terminated.empty(), row.code != ExitCode::ReplaceFailed);
    }
}

TEST(Rollback, AProgramThatCannotBeKeptIsStillReplaced) {
    const std::function<void(Upgraded&)> faults[] = {
        [](Upgraded& u) { u.fake.files.refuseFolders = true; },
        [](Upgraded& u) { u.fake.platform.dataFolder.clear(); },
        [](Upgraded& u) {  // a leftover copy that cannot go
            u.fake.files.AddFolder(kData + "\\previous\\");
            u.fake.files.AddFile(u.place.program + ".new", "held");
            u.fake.files.undeletable.insert(UpperAscii(u.place.program + ".new"));
        },
    };
    for (const auto& fault : faults) {
        Upgraded u(fault);
        EXPECT_EQ(u.fake.files.Bytes(kExe), u.served);
        EXPECT_EQ(u.LastBox().caption, "N9082");
        EXPECT_FALSE(u.fake.files.FileExists(u.place.record));
        EXPECT_FALSE(u.fake.files.FileExists(u.place.record + ".new"));
    }
}

}  // namespace
}  // namespace pellinor
