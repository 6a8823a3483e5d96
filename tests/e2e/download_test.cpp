// The download on the real Pellinor.exe, as the user sees it: the progress
// bar and the status line following a slow transfer, the error box of a
// missing file and of a host that does not exist, and a window that stays
// alive, repaints and switches its language while the transfer stalls.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iostream>

#include "UpgradeScenario.h"
#include "text/Texts.h"

namespace pellinor::e2e {
namespace {

const std::string kEnglishPrefix = "Downloading file, Please wait... ";
const std::string kChinesePrefix = "正在下载门锁软件，请稍等... ";

// The status line's size of a byte count below a megabyte: kilobytes,
// rounded half to even.
std::string Kilobytes(size_t bytes) {
    return std::to_string(static_cast<long long>(std::nearbyint(bytes / 1024.0))) + " KB";
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

// The pixels of a window's area on the screen, to tell whether it was
// painted anew.
std::vector<uint32_t> ScreenPixels(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    const HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    ::SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    ::GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

// A control's text as the window manager holds it: read without a message
// to the program, which answers messages only now and then while it waits
// for data, and never torn by a change in between.
std::string HeldText(UiDriver& ui, Control control) {
    wchar_t text[512] = {};
    ::InternalGetWindowText(ui.Handle(control), text, 512);
    return Narrow(text);
}

class DownloadTest : public UpgradeScenario {
  protected:
    std::string Temp(const std::string& folder) const { return folder + "TessaronEng.tmp"; }
};

TEST_F(DownloadTest, ProgressBarAndStatusLineFollowASlowTransfer) {
    const std::string folder = Install("Lock");
    const auto body = std::make_shared<const std::string>(newBytes_);
    ASSERT_LT(body->size(), 1000u * 1024) << "the status line would count in MB";
    // Six blocks, each after a pause in which the program looks at its
    // window a few times (after every 250 ms without data); only then can
    // the test read its controls.
    Serve([body] {
        ScriptedReply reply(
            HttpHead("HTTP/1.1 200 OK", {"Content-Length: " + std::to_string(body->size())}));
        reply.ThenShared(body, body->size() / 6 + 1, std::chrono::milliseconds(600));
        return reply;
    });
    UiDriver& ui = Start();
    ui.Click(Control::BitBtn2);
    Answer(ui, "N9079");

    const std::string total = "/" + Kilobytes(body->size());
    std::vector<int> positions, kilobytes;
    int maxDuring = -1;
    while (ui.Dialogs().empty() && ui.Running()) {
        // The line first: the bar read after it is at least as far on.
        const std::string line = HeldText(ui, Control::Label1);
        if (StartsWith(line, kEnglishPrefix)) {
            const int position = ui.ProgressPosition();
            if (maxDuring < 0) maxDuring = ui.ProgressMax();
            if (positions.empty() || positions.back() != position) positions.push_back(position);
            // "<prefix><n> KB/<total> KB"
            const size_t end = line.size() - total.size();
            EXPECT_EQ(line.substr(end), total) << line;
            const std::string count = line.substr(kEnglishPrefix.size(), end);
            EXPECT_TRUE(count.size() > 3 && count.compare(count.size() - 3, 3, " KB") == 0) << line;
            const int n = std::atoi(count.c_str());
            if (kilobytes.empty() || kilobytes.back() != n) kilobytes.push_back(n);
        }
        ::Sleep(kPollMs);
    }
    std::cout << "[ progress ] " << positions.size() << " bar positions, " << kilobytes.size()
              << " counts seen\n";
    // The bar rose step by step, never back, against the announced length,
    // and the status line counted the kilobytes along.
    EXPECT_EQ(maxDuring, int(body->size()));
    EXPECT_GE(positions.size(), 3u);
    EXPECT_GT(positions.front(), 0);
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_GE(kilobytes.size(), 3u);
    EXPECT_TRUE(std::is_sorted(kilobytes.begin(), kilobytes.end()));
    EXPECT_EQ(ui.ProgressMax(), int(body->size()));
    EXPECT_EQ(ui.ProgressPosition(), int(body->size()));
    EXPECT_EQ(ui.Text(Control::Label1), kEnglishPrefix + Kilobytes(body->size()) + total);
    EXPECT_EQ(ui.Text(Control::Label3), Temp(folder));

    Answer(ui, "N9082");
    EXPECT_TRUE(ui.WaitForExit(10000));
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), newBytes_);
}

TEST_F(DownloadTest, MissingFileNamesTheEncodedAddressAndTheDestination) {
    const std::string folder = Install("Lock");
    Serve([] {
        return ScriptedReply(HttpHead("HTTP/1.1 404 Not Found", {"Content-Length: 9"}) +
                             "not here!");
    });
    // A blank in the typed base address travels encoded.
    UiDriver& ui = StartWithBase(server_.Url("/V9 02/"));
    ui.Click(Control::BitBtn2);
    Answer(ui, "N9079");
    const DialogInfo error = Answer(ui, "E0059");
    EXPECT_EQ(error.text, "HTTP/1.1 404 Not Found\n\n" + server_.Url("/V9%2002/Tessaron.Exe") +
                              "\n" + Temp(folder));
    EXPECT_TRUE(error.hasIcon);
    EXPECT_EQ(Answer(ui, "Pellinor").text, "System Error E0056, -59");
    EXPECT_TRUE(WaitUntil([&] { return OnlyExitEnabled(ui); }));
    const std::vector<std::string> requests = server_.Requests();
    // The patch and the compressed file first, each missing too.
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(RequestTarget(requests[2]), "/V9%2002/Tessaron.Exe");
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), oldBytes_);
    EXPECT_FALSE(PathExists(Temp(folder)));
}

TEST_F(DownloadTest, UnknownHostShowsTheSocketError) {
    const std::string folder = Install("Lock");
    const std::string base = "http://no-such-host.invalid/V9/02/";
    UiDriver& ui = StartWithBase(base);
    ui.Click(Control::BitBtn2);
    Answer(ui, "N9079");
    const DialogInfo error = Answer(ui, "E0059");
    EXPECT_EQ(error.text, "Socket Error # 11001\r\nHost not found.\n\n" + base + "Tessaron.Exe\n" +
                              Temp(folder));
    EXPECT_EQ(Answer(ui, "Pellinor").text, "System Error E0056, -59");
    EXPECT_TRUE(WaitUntil([&] { return OnlyExitEnabled(ui); }));
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), oldBytes_);
    EXPECT_FALSE(PathExists(Temp(folder)));
}

TEST_F(DownloadTest, StalledTransferKeepsTheWindowAliveAndSwitchesLanguage) {
    const std::string folder = Install("Lock");
    ServeStalledHalfway(std::chrono::milliseconds(3000));
    UiDriver& ui = Start();
    ui.Click(Control::BitBtn2);
    Answer(ui, "N9079");
    ASSERT_TRUE(WaitUntil([&] { return StartsWith(ui.Text(Control::Label1), kEnglishPrefix); }));
    // The first half may still be arriving when the status line changes: the
    // stall begins once all of it has been counted.
    const int stalledAt = static_cast<int>(newBytes_.size() / 2);
    ASSERT_TRUE(WaitUntil([&] { return ui.ProgressPosition() == stalledAt; }));
    const std::vector<uint32_t> english = ScreenPixels(ui.MainWindow());

    // In the stall: the status bar's double-click runs, the captions change
    // and the window paints them.
    ui.DoubleClick(Control::StatusBar1);
    EXPECT_TRUE(WaitUntil(
        [&] { return ui.Text(Control::BitBtn2) == Tr(TextId::UpdateButton, true); }, 2000));
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixels(ui.MainWindow()) != english; }, 2000))
        << "the window was not painted anew";
    SaveScreenshot(ui.MainWindow(), "download-stalled-zh");
    // Showing the window's texts anew puts the hint back in the status line.
    EXPECT_EQ(ui.Text(Control::Label1), Tr(TextId::OnlineHint, true));
    EXPECT_TRUE(ui.Dialogs().empty());
    EXPECT_EQ(ui.ProgressPosition(), stalledAt) << "the stall was over too soon";
    EXPECT_FALSE(ui.Enabled(Control::BitBtn2));
    EXPECT_FALSE(ui.Enabled(Control::cmdExit));

    // The rest arrives: the status line counts on in Chinese, while the
    // command keeps the language it started with.
    const std::optional<DialogInfo> done = ui.WaitForDialog(20000);
    ASSERT_TRUE(done);
    EXPECT_EQ(done->caption, "N9082");
    EXPECT_EQ(done->text, Tr(TextId::N9082, false) + folder);
    const std::string size = Kilobytes(newBytes_.size());
    EXPECT_EQ(ui.Text(Control::Label1), kChinesePrefix + size + "/" + size);
    AnswerDialog(done->handle, IDOK);
    EXPECT_TRUE(ui.WaitForExit(10000));
    EXPECT_EQ(ReadBytes(folder + "Tessaron.Exe"), newBytes_);
}

}  // namespace
}  // namespace pellinor::e2e
