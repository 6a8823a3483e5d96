// Pellinor.exe's command line: the split as Windows splits it, the switches
// and their values, and the exit codes deployment tools read.
#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "text/TextRules.h"
#include "unattended/Choice.h"
#include "unattended/CommandLine.h"
#include "unattended/ExitCodes.h"

namespace pellinor {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLine, SplitsAsCommandLineToArgvWDoes) {
    const struct {
        const char* line;
        Args arguments;
    } rows[] = {
        {"", {}},
        {"  \t ", {}},
        {"/upgrade", {"/upgrade"}},
        {" /upgrade\t/folder  C:\\Lock ", {"/upgrade", "/folder", "C:\\Lock"}},
        {"/folder \"C:\\Hotel Lock\"", {"/folder", "C:\\Hotel Lock"}},
        {"C:\\\\\"Hotel Lock\"\\x y", {"C:\\Hotel Lock\\x", "y"}},  // quotes mid-argument
        {"\"\"", {""}},                                             // an empty argument
        {"a\\\\b c\\", {"a\\\\b", "c\\"}},            // backslashes without a quote stay
        {"\"C:\\Lock\\\\\" x", {"C:\\Lock\\", "x"}},  // 2n backslashes, quote: n, and it closes
        // 2n+1 backslashes, quote: n and a literal quote, which then does not close.
        {"\"C:\\Lock\\\" /base x", {"C:\\Lock\" /base x"}},
        {"a\\\\\\\"b", {"a\\\"b"}},
        {"\"a\"\"b\" c", {"a\"b c"}},  // "" inside quotes: a quote, and the quotes end
        {"\"open", {"open"}},          // an unclosed quote runs to the end
        {"\xE4\xB8\xAD\xE6\x96\x87", {"\xE4\xB8\xAD\xE6\x96\x87"}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SplitCommandLine(row.line), row.arguments) << row.line;
    }
}

TEST(CommandLine, SwitchesAndValues) {
    const struct {
        const char* line;
        bool upgrade;
        const char* folder;
        const char* base;
        const char* problem;  // a piece of the reason; empty: accepted
    } rows[] = {
        {"", false, "", "", ""},
        {"/upgrade", true, "", "", ""},
        {"/UPGRADE", true, "", "", ""},
        {"/Upgrade /Folder \"C:\\Hotel Lock\"", true, "C:\\Hotel Lock\\", "", ""},
        {"/upgrade /folder D:\\Lock\\", true, "D:\\Lock\\", "", ""},
        {"/upgrade /folder \\\\front\\lock", true, "\\\\front\\lock\\", "", ""},
        {"/folder c:\\x /upgrade /BASE http://10.0.0.5:8080/V9/02/", true, "c:\\x\\",
         "http://10.0.0.5:8080/V9/02/", ""},
        {"/upgrade /base HTTP://h/", true, "", "HTTP://h/", ""},
        {"/upgrade /base https://h/", true, "", "https://h/", ""},
        {"/ROLLBACK /folder C:\\Lock", false, "C:\\Lock\\", "", ""},
        // Refused: a deployment tool gets 1639 instead of a window nobody answers.
        {"/install", false, "", "", "unknown: /install"},
        {"upgrade", false, "", "", "unknown: upgrade"},
        {"-upgrade", false, "", "", "unknown"},
        {"/upgrade /upgrade", false, "", "", "twice"},
        {"/upgrade /folder C:\\a /folder C:\\b", false, "", "", "twice"},
        {"/upgrade /folder", false, "", "", "without its value"},
        {"/upgrade /folder /base http://h/", false, "", "", "without its value"},
        {"/upgrade /folder \"\"", false, "", "", "without its value"},
        {"/upgrade /folder Lock", false, "", "", "not a full path"},
        {"/upgrade /folder C:Lock", false, "", "", "not a full path"},
        {"/upgrade /folder \"C:\\Hotel Lock\\\"", false, "", "", "a quote in the folder"},
        {"/upgrade /base ftp://h/", false, "", "", "http:// or https://"},
        {"/upgrade /base https://", false, "", "", "http:// or https://"},
        {"/upgrade /base http://", false, "", "", "http://"},
        {"/upgrade /base http://h/V9", false, "", "", "end with"},
        {"/upgrade /base \"http://h/a b/\"", false, "", "", "blank"},
        {"/folder C:\\Lock", false, "", "", "only go with /upgrade"},
        {"/base http://h/", false, "", "", "only go with /upgrade"},
        {"/rollback /base http://h/", false, "", "", "only go with /upgrade"},
        {"/rollback /upgrade", false, "", "", "together"},
        {"/rollback /Rollback", false, "", "", "twice"},
    };
    for (const auto& row : rows) {
        const ParsedCommandLine parsed = ParseCommandLine(SplitCommandLine(row.line));
        const std::string problem = row.problem;
        if (problem.empty()) {
            EXPECT_EQ(parsed.problem, "") << row.line;
            EXPECT_EQ(parsed.request.upgrade, row.upgrade) << row.line;
            EXPECT_EQ(parsed.request.rollback, LowerAscii(row.line).find("/rollback") == 0)
                << row.line;
            EXPECT_EQ(parsed.request.folder, row.folder) << row.line;
            EXPECT_EQ(parsed.request.base, row.base) << row.line;
        } else {
            EXPECT_NE(parsed.problem.find(problem), std::string::npos)
                << row.line << " gave: " << parsed.problem;
        }
    }
}

TEST(CommandLine, ExitCodesFollowTheInstallersConventionAndDiffer) {
    // The numbers deployment tools know by the Windows Installer's codes.
    const struct {
        ExitCode code;
        int number;
    } conventions[] = {
        {ExitCode::Upgraded, 0},           // ERROR_SUCCESS
        {ExitCode::NothingFound, 1605},    // ERROR_UNKNOWN_PRODUCT
        {ExitCode::Unexpected, 1603},      // ERROR_INSTALL_FAILURE
        {ExitCode::AlreadyRunning, 1618},  // ERROR_INSTALL_ALREADY_RUNNING: retried later
        {ExitCode::BadCommandLine, 1639},  // ERROR_INVALID_COMMAND_LINE
    };
    for (const auto& row : conventions) EXPECT_EQ(static_cast<int>(row.code), row.number);

    const ExitCode all[] = {
        ExitCode::Upgraded,          ExitCode::NothingFound,      ExitCode::SeveralFound,
        ExitCode::DownloadFailed,    ExitCode::Refused,           ExitCode::ReplaceFailed,
        ExitCode::Unexpected,        ExitCode::AlreadyRunning,    ExitCode::BadCommandLine,
        ExitCode::NothingKept,       ExitCode::KeptRecordDamaged, ExitCode::InstalledChanged,
        ExitCode::KeptProgramChanged};
    std::set<int> numbers;
    std::set<std::string> texts;
    for (ExitCode code : all) {
        const int number = static_cast<int>(code);
        numbers.insert(number);
        texts.insert(ExitCodeText(code));
        // The log's last line: the number first, then its name in brackets.
        EXPECT_EQ(ExitCodeText(code).rfind(std::to_string(number) + " (", 0), 0u) << number;
        // Our own numbers keep clear of 1 (a program that failed before it
        // could say why) and of the convention's range.
        if (number != 0 && (number < 1600 || number > 1699)) {
            EXPECT_GE(number, 10);
            EXPECT_LT(number, 100);
        }
    }
    EXPECT_EQ(numbers.size(), std::size(all));
    EXPECT_EQ(texts.size(), std::size(all));
}

TEST(CommandLine, TheInstallationIsTheOneFoundOrTheOneNamed) {
    const std::vector<Installation> two{{"C:\\Hotel Lock\\", true}, {"D:\\Lock\\", true}};
    const struct {
        std::vector<Installation> found;
        const char* named;
        const char* folder;  // empty: none is taken
        std::optional<ExitCode> ended;
    } rows[] = {
        {{}, "", "", ExitCode::NothingFound},
        {{}, "C:\\Lock\\", "", ExitCode::NothingFound},
        {{{"C:\\Lock\\", true}}, "", "C:\\Lock\\", std::nullopt},
        {{{"C:\\Lock\\", true}}, "c:\\LOCK\\", "C:\\Lock\\", std::nullopt},
        {{{"C:\\Lock\\", true}}, "C:\\Hotel\\..\\Lock", "C:\\Lock\\", std::nullopt},
        {{{"C:\\Lock\\", true}}, "C:\\Other\\", "", ExitCode::NothingFound},
        {two, "", "", ExitCode::SeveralFound},
        {two, "D:\\Lock\\", "D:\\Lock\\", std::nullopt},
        {two, "c:\\hotel lock\\", "C:\\Hotel Lock\\", std::nullopt},
        {two, "C:\\Hotel\\", "", ExitCode::NothingFound},  // a part of a folder is not it
        // One folder that two desktops lead to is one installation.
        {{{"C:\\Lock\\", true}, {"c:\\lock\\", false}}, "", "C:\\Lock\\", std::nullopt},
        {{{"C:\\Lock\\", true}, {"D:\\Lock\\", false}, {"c:\\lock\\", false}},
         "c:\\lock\\",
         "C:\\Lock\\",
         std::nullopt},
    };
    for (const auto& row : rows) {
        const InstallationChoice choice = ChooseInstallation(row.found, row.named);
        EXPECT_EQ(choice.folder, row.folder) << row.named;
        EXPECT_EQ(choice.ended, row.ended) << row.named;
        if (!row.ended) {
            ASSERT_GE(choice.index, 0);
            EXPECT_TRUE(SameTextAscii(row.found[choice.index].folder, row.folder));
        }
    }
}

}  // namespace
}  // namespace pellinor
