// The window's own handlers: the language decision, the captions, the
// language switch, the hidden base-address mode, Exit and the error report.
#include <gtest/gtest.h>

#include "Unit1.h"
#include "fakes/FakePlatform.h"
#include "fakes/ProgramBytes.h"
#include "support/ScriptedHttpServer.h"
#include "text/Texts.h"
#include "transfer/DownloadBase.h"
#include "window/Layout.h"

namespace pellinor {
namespace {

// "中文(简体，中国)" as a Simplified Chinese system writes it (code page 936).
const std::string kSimplifiedChineseAnsi =
    "\xD6\xD0\xCE\xC4(\xBC\xF2\xCC\xE5\xA3\xAC\xD6\xD0\xB9\xFA)";
const std::string kSimplifiedChineseUtf8 = "中文(简体，中国)";
// "中文(繁體，台灣)" in code page 950: "中" is A4 A4 there.
const std::string kTraditionalChineseAnsi =
    "\xA4\xA4\xA4\xE5(\xC1\x63\xC5\xE9\xA1\x41\xA5\x78\xC6\x57)";

struct Form {
    FakePlatform fake;
    const PublisherKeys noKeys;
    Downloads downloads{fake.files, &fake.window, nullptr};
    TForm1 form{fake.platform, fake.window, downloads, noKeys};

    explicit Form(const std::string& ansiName, const std::string& utf8Name = "") {
        fake.system.languageNameAnsi = ansiName;
        if (!utf8Name.empty()) fake.system.ansiToUtf8[ansiName] = utf8Name;
        form.Dispatch(Event::FormCreate);
        form.Dispatch(Event::FormShow);
    }
    FakeWindow& window() { return fake.window; }
};

void ExpectCaptions(FakeWindow& window, bool chinese) {
    EXPECT_EQ(window.Text(Control::pnl1), Tr(TextId::Banner, chinese));
    EXPECT_EQ(window.Text(Control::Label1), Tr(TextId::OnlineHint, chinese));
    EXPECT_EQ(window.Text(Control::Label2), Tr(TextId::ListHeading, chinese));
    EXPECT_EQ(window.Text(Control::BitBtn1), Tr(TextId::InstallButton, chinese));
    EXPECT_EQ(window.Text(Control::BitBtn2), Tr(TextId::UpdateButton, chinese));
    EXPECT_EQ(window.Text(Control::BitBtn3), Tr(TextId::SdkButton, chinese));
    // Never language-dependent:
    EXPECT_EQ(window.Text(Control::cmdExit), "E&xit");
    EXPECT_EQ(window.Text(Control::StatusBar1),
              "Double-Click here to Switch to Chinese or English");
}

TEST(Language, SimplifiedChineseNameStartsInChineseOthersInEnglish) {
    Form chinese(kSimplifiedChineseAnsi, kSimplifiedChineseUtf8);
    EXPECT_TRUE(chinese.form.IsChinese);
    EXPECT_EQ(chinese.form.SystemLanguageName, kSimplifiedChineseUtf8);
    EXPECT_EQ(chinese.window().Text(Control::Form), "Pellinor, " + kSimplifiedChineseUtf8);
    ExpectCaptions(chinese.window(), true);
    EXPECT_EQ(chinese.window().Text(Control::pnl1), "欢迎使用 R7.35智能门锁系统");

    Form english("English (United States)");
    EXPECT_FALSE(english.form.IsChinese);
    EXPECT_EQ(english.window().Text(Control::Form), "Pellinor, English (United States)");
    ExpectCaptions(english.window(), false);
    EXPECT_EQ(english.window().Text(Control::BitBtn2), "Update the Exist R7.35 Software");

    Form traditional(kTraditionalChineseAnsi);
    EXPECT_FALSE(traditional.form.IsChinese) << "a code page 950 name holds no D6 D0";
}

TEST(Language, StatusBarDoubleClickFlipsAndEmptiesTheInputs) {
    Form f("English (United States)");
    FakeWindow& window = f.window();
    f.form.Dispatch(Event::Image1DblClick);
    window.SetText(Control::Edit1, "http://mirror.example/");
    window.ListAppend(" C:\\Lock\\");

    f.form.Dispatch(Event::StatusBar1DblClick);
    EXPECT_TRUE(f.form.IsChinese);
    ExpectCaptions(window, true);
    EXPECT_EQ(window.Text(Control::Edit1), "");
    EXPECT_EQ(window.ListCount(), 0);
    EXPECT_TRUE(window.Visible(Control::Edit1)) << "the switch leaves the hidden mode on";
    EXPECT_EQ(window.Text(Control::Form), "Pellinor, English (United States)")
        << "the caption keeps the system's own language name";

    f.form.Dispatch(Event::StatusBar1DblClick);
    EXPECT_FALSE(f.form.IsChinese);
    ExpectCaptions(window, false);
    EXPECT_EQ(window.Text(Control::Edit1), "");
    EXPECT_EQ(window.ListCount(), 0);
}

TEST(Window, HiddenModeShowsTheBaseAndKeepsTheUsersText) {
    Form f("English (United States)");
    FakeWindow& window = f.window();
    ASSERT_FALSE(window.Enabled(Control::BitBtn1))
        << "the install command waits for the hidden mode";
    ASSERT_FALSE(window.Visible(Control::Edit1));
    ASSERT_FALSE(window.Visible(Control::Label3));

    f.form.Dispatch(Event::Image1DblClick);
    EXPECT_TRUE(window.Visible(Control::Edit1));
    EXPECT_TRUE(window.Visible(Control::Label3));
    EXPECT_TRUE(window.Enabled(Control::BitBtn1));
    EXPECT_FALSE(window.Visible(Control::BitBtn1)) << "the install button stays hidden";
    EXPECT_EQ(window.Text(Control::Edit1), DefaultDownloadBase());

    window.SetText(Control::Edit1, "http://127.0.0.1:8080/x/");
    f.form.Dispatch(Event::Image1DblClick);
    EXPECT_EQ(window.Text(Control::Edit1), "http://127.0.0.1:8080/x/");

    window.SetText(Control::Edit1, " \t ");
    f.form.Dispatch(Event::Image1DblClick);
    EXPECT_EQ(window.Text(Control::Edit1), DefaultDownloadBase()) << "blanks alone count as empty";
}

TEST(Window, DefaultBaseIsAnHttpAddressEndingInTheVersionPath) {
    const std::string base = DefaultDownloadBase();
    EXPECT_EQ(base.rfind("http://", 0), 0u);
    EXPECT_EQ(base, DefaultServerRoot() + "/V9/02/");
    EXPECT_NE(DefaultServerRoot().back(), '/');
}

TEST(Window, ExitClosesTheWindow) {
    Form f("English (United States)");
    f.form.Dispatch(Event::cmdExitClick);
    EXPECT_TRUE(f.window().closed);
}

TEST(Window, EscapedErrorIsReportedAndTheProgramGoesOn) {
    Form f("English (United States)");
    f.fake.system.executablePath = "C:\\Tools\\PELLINOR.EXE";
    f.fake.registry.values["Desktop"] = RegistryValue{false, ""};

    f.form.Dispatch(Event::BitBtn3Click);  // reads the desktop folder, which is of the wrong type
    ASSERT_EQ(f.window().boxes.size(), 1u);
    EXPECT_EQ(f.window().boxes[0].text, "Invalid data type for 'desktop'");  // "'" sorts before "."
    EXPECT_EQ(f.window().boxes[0].caption, "Pellinor");
    EXPECT_EQ(f.window().boxes[0].style, 16u);
    EXPECT_FALSE(f.window().terminated);

    f.form.Dispatch(Event::StatusBar1DblClick);
    EXPECT_TRUE(f.form.IsChinese) << "handlers still run after the report";
}

TEST(Window, SettingChangeRereadsTheDecimalSymbol) {
    Form f("English (United States)");
    f.fake.system.decimalSeparator = ",";
    f.form.Dispatch(Event::SettingChange);
    // A real download of 3 MiB: its progress reaches the window through the
    // form's listener alone.
    const std::string body(3 * 1024 * 1024, 'x');
    ScriptedHttpServer server;
    server.Enqueue(ScriptedReply(
        HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(body.size())}) + body));
    f.fake.files.AddFolder("C:\\Lock\\");
    f.downloads.FileDownloader().DownloadOneFile(server.Url("/f"), "C:\\Lock\\f.tmp");
    EXPECT_NE(f.window().Text(Control::Label1).find("3,00 MB/3,00 MB"), std::string::npos)
        << f.window().Text(Control::Label1);
}

TEST(Commands, AClickDuringARunningCommandStartsNothingButTheLanguageStillSwitches) {
    Form f("English (United States)");
    f.fake.files.AddFolder("C:\\Lock\\");
    f.fake.files.AddFile("C:\\Lock\\Tessaron.Exe", "MZ old");
    f.fake.AddShortcut("Lock.lnk", "C:\\Lock");
    // Nothing listens there: the download fails at once.
    f.window().SetText(Control::Edit1, "http://127.0.0.1:1/");
    int nested = 0;
    // The pause after ending the lock program gives the window its turns
    // (the upgrade's button is off from then on).
    f.window().onProcessMessages = [&] {
        if (f.window().Enabled(Control::BitBtn2) || nested++ > 0) return;
        for (Event click : {Event::BitBtn1Click, Event::BitBtn2Click, Event::BitBtn3Click})
            f.form.Dispatch(click);
        f.form.Dispatch(Event::StatusBar1DblClick);
    };
    f.form.Dispatch(Event::BitBtn2Click);
    EXPECT_GT(nested, 0);
    // One command ran to its failure notice; the nested clicks asked
    // nothing and downloaded nothing, while the language did switch.
    std::vector<std::string> captions;
    for (const ShownBox& box : f.window().boxes) captions.push_back(box.caption.substr(0, 5));
    EXPECT_EQ(captions, (std::vector<std::string>{"N9079", "E0059", ""}));
    EXPECT_TRUE(f.form.IsChinese);
    EXPECT_EQ(f.fake.files.Bytes("C:\\Lock\\Tessaron.Exe"), "MZ old");
    // Once it has returned, a click runs again: the language switch emptied
    // the list, and a scan now finds nothing.
    f.window().onProcessMessages = nullptr;
    f.fake.files.Remove("C:\\Users\\alice\\Desktop\\Lock.lnk");
    f.window().answers = {kAnswerCancel};
    f.form.Dispatch(Event::BitBtn2Click);
    ASSERT_EQ(f.window().boxes.size(), 4u);
    EXPECT_EQ(f.window().boxes[3].caption, "N9081, 0");
}

TEST(Commands, TheTypedBaseGoesDownAsTypedAndABlankOneBecomesTheDefault) {
    Form blank("English (United States)");
    blank.form.Dispatch(Event::BitBtn2Click);  // nothing found: nothing downloaded
    EXPECT_EQ(blank.window().Text(Control::Edit1), DefaultDownloadBase());

    ScriptedHttpServer server;  // answers nothing: the download fails
    Form typed("English (United States)");
    typed.fake.files.AddFolder("C:\\Lock\\");
    typed.fake.files.AddFile("C:\\Lock\\Tessaron.Exe", "MZ old");
    typed.fake.AddShortcut("Lock.lnk", "C:\\Lock");
    typed.window().SetText(Control::Edit1, server.Url("/beta/ "));
    typed.form.Dispatch(Event::BitBtn2Click);
    ASSERT_EQ(server.Requests().size(), 1u) << "no answer at all ends the download";
    EXPECT_EQ(RequestTarget(server.Requests()[0]).rfind("/beta/%20Tessaron.Exe.from-", 0), 0u)
        << "the trailing blank is part of the base";
    EXPECT_EQ(typed.window().Text(Control::Edit1), server.Url("/beta/ "));
}

// The close box while the upgrade's command runs, in the pause after the
// lock program was ended or during the download: the question, then Yes
// stops the download (or keeps it from starting) and lets the window close
// with the old program kept, No keeps both the window and the download going.
TEST(Commands, TheCloseBoxDuringACommandAsksWhetherToStopIt) {
    const std::string body = ProgramBytes(std::string(4002 - ProgramBytes("").size(), 'n'));
    struct Row {
        bool inPause;  // else during the download
        int answer;
        bool closes;
        std::vector<std::string> captions;
        std::string installed;
        int requests;  // -1: a stop may come before or after the request left
    } rows[] = {
        {false, kAnswerYes, true, {"N9079", "N9090"}, "MZ old", -1},
        {false, kAnswerNo, false, {"N9079", "N9090", "N9082"}, body, 3},
        {true, kAnswerYes, true, {"N9079", "N9090"}, "MZ old", 0},
        {true, kAnswerNo, false, {"N9079", "N9090", "N9082"}, body, 3},
    };
    for (const Row& row : rows) {
        ScriptedHttpServer server;
        // No patch and no compressed file: the program itself comes.
        for (int i = 0; i < 2; ++i)
            server.Enqueue(
                ScriptedReply(HttpHead("HTTP/1.1 404 Not Found", {"Content-Length: 0"})));
        ScriptedReply reply(HttpHead("HTTP/1.1 200 OK", {"Content-Length: 4002"}) +
                            body.substr(0, 1000));
        reply.Then(body.substr(1000), std::chrono::milliseconds(300));
        server.Enqueue(reply);
        Form f("English (United States)");
        f.fake.files.AddFolder("C:\\Lock\\");
        f.fake.files.AddFile("C:\\Lock\\Tessaron.Exe", "MZ old");
        f.fake.AddShortcut("Lock.lnk", "C:\\Lock");
        f.window().SetText(Control::Edit1, server.Url("/V9/02/"));
        f.window().answers = {kAnswerOk, row.answer};
        std::vector<bool> closes;
        f.window().onProcessMessages = [&] {
            const bool downloading =
                f.window().Text(Control::Label3) == "C:\\Lock\\TessaronEng.tmp";
            const bool confirmed = f.window().boxes.size() == 1;
            if (closes.empty() && confirmed && downloading != row.inPause)
                closes.push_back(f.form.CloseQuery());
        };
        f.form.Dispatch(Event::BitBtn2Click);
        std::vector<std::string> captions;
        for (const ShownBox& box : f.window().boxes) captions.push_back(box.caption);
        EXPECT_EQ(captions, row.captions) << row.inPause;
        EXPECT_EQ(closes, (std::vector<bool>{row.closes})) << row.inPause;
        EXPECT_EQ(f.fake.files.Bytes("C:\\Lock\\Tessaron.Exe"), row.installed) << row.inPause;
        EXPECT_FALSE(f.fake.files.FileExists("C:\\Lock\\TessaronEng.tmp")) << row.inPause;
        if (row.requests >= 0) {
            EXPECT_EQ(server.Requests().size(), static_cast<size_t>(row.requests)) << row.inPause;
        }
        // Once the command has returned, nothing is downloading: no question.
        EXPECT_TRUE(f.form.CloseQuery());
        EXPECT_EQ(f.window().boxes.size(), row.captions.size());
    }
}

TEST(Texts, EveryEntryHasBothLanguagesInOrder) {
    for (int i = 0; i < kTextCount; ++i) {
        const TextPair& pair = TextEntry(static_cast<TextId>(i));
        EXPECT_EQ(static_cast<int>(pair.id), i);
        EXPECT_NE(std::string(pair.chinese), "");
        EXPECT_NE(std::string(pair.english), "");
        EXPECT_EQ(std::string(pair.chinese).find('\r'), std::string::npos);
        EXPECT_EQ(std::string(pair.english).find('\r'), std::string::npos);
    }
}

TEST(Layout, EveryControlIsPlacedOnceInsideTheClientArea) {
    int seen[kControlCount] = {};
    for (const ControlLayout& layout : ControlLayouts()) {
        ++seen[static_cast<int>(layout.control)];
        EXPECT_GE(layout.left, 0);
        EXPECT_LE(layout.left + layout.width, kClientWidth);
        EXPECT_LE(layout.top + layout.height, kClientHeight);
    }
    for (int i = 1; i < kControlCount; ++i) EXPECT_EQ(seen[i], 1) << "control " << i;
    EXPECT_EQ(TabOrder()[1], Control::cmdExit);
}

}  // namespace
}  // namespace pellinor
