// The upgrade without a window, through its stand-in for the window: what
// it answers, what it keeps, and the exit code for what the window's
// upgrade would have shown.
#include <gtest/gtest.h>

#include "unattended/UnattendedUpgrade.h"
#include "unattended/UnattendedWindow.h"

namespace pellinor {
namespace {

WithheldBox Box(const char* caption, unsigned style = kStyleInformation, const char* text = "") {
    return WithheldBox{caption, text, style, false};
}
WithheldBox Notice(const char* text) {
    return WithheldBox{"", text, kStyleInformation, true};
}

TEST(Unattended, TheExitCodeIsReadFromTheBoxesTheWindowWouldHaveShown) {
    const WithheldBox confirm = Box("N9079", kStyleQuestionOkCancel);
    const struct {
        const char* what;
        std::vector<WithheldBox> boxes;
        ExitCode code;
    } rows[] = {
        {"the success box", {confirm, Box("N9082")}, ExitCode::Upgraded},
        {"an x86 folder, then success",
         {confirm, Box("N9077", kStyleQuestionOkCancel), Box("N9082")},
         ExitCode::Upgraded},
        {"the server's answer, then the notice",
         {confirm, Box("E0059", kStyleError), Notice("System Error E0056, -59")},
         ExitCode::DownloadFailed},
        {"not whole, or a page instead of a program",
         {confirm, Notice("System Error E0056, -1")},
         ExitCode::DownloadFailed},
        {"the program held", {confirm, Notice("System Error E0056, -32")}, ExitCode::ReplaceFailed},
        {"the program read-only",
         {confirm, Notice("System Error E0056, -5")},
         ExitCode::ReplaceFailed},
        {"the folder read-only",
         {confirm, Box("Pellinor", kStyleError, "Cannot create file \"C:\\L\\TessaronEng.tmp\".")},
         ExitCode::ReplaceFailed},
        {"the disk full",
         {confirm, Box("Pellinor", kStyleError, "Cannot write file \"C:\\L\\TessaronEng.tmp\".")},
         ExitCode::ReplaceFailed},
        {"another error report",
         {confirm, Box("Pellinor", kStyleError, "Out of memory.")},
         ExitCode::Unexpected},
        {"not signed", {confirm, Box("N9083", kStyleError)}, ExitCode::Refused},
        {"signature broken", {confirm, Box("N9084", kStyleError)}, ExitCode::Refused},
        {"another publisher", {confirm, Box("N9085", kStyleError)}, ExitCode::Refused},
        {"installed signer unknown", {confirm, Box("N9086", kStyleError)}, ExitCode::Refused},
        {"an older version", {confirm, Box("N9087", kStyleError)}, ExitCode::Refused},
        {"another program", {confirm, Box("N9088", kStyleError)}, ExitCode::Refused},
        {"another command changes files",
         {confirm, Box("N9089", kStyleExclamation)},
         ExitCode::AlreadyRunning},
        {"nothing found", {Box("N9081, 0", kStyleExclamation)}, ExitCode::NothingFound},
        {"several found", {Box("N9080, 2", kStyleExclamation)}, ExitCode::SeveralFound},
        {"no box at all", {}, ExitCode::Unexpected},
        {"only the question", {confirm}, ExitCode::Unexpected},
    };
    for (const auto& row : rows) EXPECT_EQ(OutcomeOfBoxes(row.boxes), row.code) << row.what;
}

TEST(Unattended, TheStandInAnswersForTheCommandLineAndKeepsWhatIsWritten) {
    int pumps = 0;
    uint32_t waited = 0;
    UnattendedWindow window([&] { ++pumps; }, [&](uint32_t ms) { waited += ms; });
    // The folder was chosen on the command line: the confirmation and the
    // x86 warning are answered yes; the stop question (a close box) no.
    EXPECT_EQ(window.ShowMessageBox("sure?", "N9079", kStyleQuestionOkCancel), kAnswerOk);
    EXPECT_EQ(window.ShowMessageBox("stop?", "N9090", kStyleQuestionYesNo), kAnswerNo);
    window.ShowMessage("System Error E0056, -59");
    ASSERT_EQ(window.Boxes().size(), 3u);
    EXPECT_TRUE(window.Boxes()[2].notice);
    EXPECT_EQ(window.Boxes()[1].caption, "N9090");
    // Nobody is there to type a proxy's password.
    std::string user, password;
    EXPECT_FALSE(window.AskCredentials(CredentialsRequest{}, user, password));

    window.SetText(Control::Edit1, "http://h/V9/02/");
    EXPECT_EQ(window.Text(Control::Edit1), "http://h/V9/02/");
    EXPECT_EQ(window.Text(Control::Label1), "");
    window.ListAppend(" C:\\A\\");
    window.ListAppend("D:\\B\\");
    window.ListSelect(1);
    EXPECT_EQ(window.ListSelectedIndex(), 1);
    EXPECT_EQ(window.ListItem(1), "D:\\B\\");
    window.ListSelect(5);
    EXPECT_EQ(window.ListSelectedIndex(), -1);
    EXPECT_EQ(window.ListItem(5), "");
    window.ListClear();
    EXPECT_EQ(window.ListCount(), 0);

    window.ProcessMessages();
    window.WaitForMessage(1000);
    EXPECT_EQ(pumps, 1);
    EXPECT_EQ(waited, 1000u);
    EXPECT_FALSE(window.Terminated());
    window.Terminate();
    EXPECT_TRUE(window.Terminated());
}

}  // namespace
}  // namespace pellinor
