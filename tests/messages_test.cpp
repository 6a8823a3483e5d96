// The message catalogue, the application title and the error report's text.
#include "window/Messages.h"

#include <gtest/gtest.h>

#include "commands/StepResult.h"
#include "fakes/FakeWindow.h"

namespace pellinor {
namespace {

TEST(Messages, BoxesCarryTheirCodeStyleAndAppendedValues) {
    FakeWindow window;
    window.answers = {kAnswerCancel};
    EXPECT_EQ(ShowBox(window, TextId::N9078, true), kAnswerCancel);
    ShowBox(window, TextId::N9081, false, "", 0);
    ShowBox(window, TextId::N9080, true, "", 3);
    ShowBox(window, TextId::N9079, false, "C:\\Lock\\");
    ShowBox(window, TextId::N9077, true);
    ShowBox(window, TextId::N9082, false, "D:\\Lock\\");
    ShowBox(window, TextId::N9090, true);

    ASSERT_EQ(window.boxes.size(), 7u);
    EXPECT_EQ(window.boxes[0].caption, "N9078");
    EXPECT_EQ(window.boxes[0].style, 289u);
    EXPECT_EQ(window.boxes[0].text, "是否确定要安装 新的门锁软件？");
    EXPECT_EQ(window.boxes[1].caption, "N9081, 0");
    EXPECT_EQ(window.boxes[1].style, 48u);
    EXPECT_EQ(
        window.boxes[1].text.rfind("There has no Tessaron-System on the Desktop.\nPlease Send", 0),
        0u);
    EXPECT_EQ(window.boxes[2].caption, "N9080, 3");
    EXPECT_EQ(window.boxes[2].style, 48u);
    EXPECT_EQ(window.boxes[3].caption, "N9079");
    EXPECT_EQ(window.boxes[3].text,
              "Are you sure you want to update the Tessaron-System?\n\nC:\\Lock\\");
    EXPECT_EQ(window.boxes[4].caption, "N9077");
    EXPECT_EQ(window.boxes[4].style, 289u);
    EXPECT_EQ(window.boxes[5].caption, "N9082");
    EXPECT_EQ(window.boxes[5].style, 64u);
    EXPECT_EQ(window.boxes[6].caption, "N9090");
    EXPECT_EQ(window.boxes[6].style, 292u) << "Yes, No; No is the default";
    EXPECT_EQ(window.boxes[6].text.rfind("正在下载", 0), 0u);
    const std::string& done = window.boxes[5].text;
    const std::string tail = "Tessaron-System location: \nD:\\Lock\\";
    ASSERT_GE(done.size(), tail.size());
    EXPECT_EQ(done.substr(done.size() - tail.size()), tail);
}

// The notice's number is what users and support have always read: it keeps
// its sign, and a target that does not hold its download is a write fault.
TEST(Messages, TheFailureNoticeKeepsTheNumberAndItsSign) {
    const struct {
        const char* code;
        StepResult result;
        const char* text;
    } rows[] = {
        {"E0056", DownloadFailure(true, "Connection Closed Gracefully."),
         "System Error E0056, -59"},
        {"E0058", Failure(Step::Download), "System Error E0058, -1"},
        {"E0056", Failure(Step::Write), "System Error E0056, -1"},
        {"E0058", Failure(Step::NotProgram), "System Error E0058, -1"},
        {"E0056", ReplaceFailure(5), "System Error E0056, -5"},
        {"E0056", Failure(Step::Verify), "System Error E0056, -29"},
        {"E0059", StepResult{}, "System Error E0059, 0"},
    };
    FakeWindow window;
    for (const auto& row : rows) {
        ShowNotice(window, NoticeText(row.code, row.result));
        EXPECT_EQ(window.boxes.back().text, row.text);
    }
    EXPECT_EQ(window.boxes[0].style, 0u) << "an information dialog, not a message box";
}

TEST(Messages, ApplicationTitleComesFromTheExecutablesName) {
    EXPECT_EQ(ApplicationTitle("C:\\Tools\\Pellinor.exe"), "Pellinor");
    EXPECT_EQ(ApplicationTitle("C:\\Tools\\PELLINOR.EXE"), "Pellinor");
    EXPECT_EQ(ApplicationTitle("C:\\a.b\\my.tool.exe"), "my") << "cut at the name's first dot";
    EXPECT_EQ(ApplicationTitle("pELLINOR.exe"), "pellinor") << "the first character keeps its case";
    EXPECT_EQ(ApplicationTitle("C:\\x\\NoDot"), "Nodot");
}

TEST(Messages, ErrorReportAddsAPeriodOnlyAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(ErrorReportText("Protocol field is empty"), "Protocol field is empty.");
    EXPECT_EQ(ErrorReportText("Connect timed out."), "Connect timed out.");
    EXPECT_EQ(ErrorReportText("Invalid data type for 'desktop'"),
              "Invalid data type for 'desktop'");
    EXPECT_EQ(ErrorReportText("code 5"), "code 5.");
    EXPECT_EQ(ErrorReportText("磁盘已满"), "磁盘已满.");
    EXPECT_EQ(ErrorReportText(""), "");
}

}  // namespace
}  // namespace pellinor
