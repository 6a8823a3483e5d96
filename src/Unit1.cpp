// TForm1: each handler hands its work to the subsystem that owns it; the one
// thing done here for all of them is the application's error report.
#include "Unit1.h"

#include <exception>

#include "commands/CommandSite.h"
#include "log/LogEvent.h"
#include "system/ShortcutScan.h"
#include "text/TextRules.h"
#include "transfer/Download.h"
#include "transfer/ProxyChoice.h"
#include "window/Language.h"
#include "window/Messages.h"
#include "window/Texts.h"

namespace pellinor {

bool IsChinese = false;
std::string SystemLanguageName;

std::string GetSystemLanguageName(SystemInfo& system) {
    return system.DefaultLanguageNameAnsi();
}

TForm1::TForm1(Platform& platform)
    : platform_(platform),
      repaints_(platform.system),
      IdHTTP1(HttpEvents{[this](int32_t max) { IdHTTP1WorkBegin(max); },
                         [this](int32_t count) { IdHTTP1Work(count); },
                         [this] { platform_.window.ProcessMessages(); },
                         [this](const std::string& proxy, ProxyCredentials& credentials) {
                             return IdHTTP1ProxySignIn(proxy, credentials);
                         }}),
      downloader_(DownloadSite{platform.window, platform.files, IdHTTP1, repaints_}) {}

void TForm1::UseProxySettings(ProxyConfig& proxies) {
    IdHTTP1.SetProxyChooser([this, &proxies](const HttpUrl& url) {
        return ChooseProxy(proxies, url, [this] { platform_.window.ProcessMessages(); });
    });
}

bool TForm1::IdHTTP1ProxySignIn(const std::string& proxy, ProxyCredentials& credentials) {
    const CredentialsRequest request{
        Tr(TextId::ProxySignInCaption, IsChinese), Tr(TextId::ProxySignInPrompt, IsChinese) + proxy,
        Tr(TextId::ProxySignInUser, IsChinese),    Tr(TextId::ProxySignInPassword, IsChinese),
        Tr(TextId::ProxySignInOk, IsChinese),      Tr(TextId::ProxySignInCancel, IsChinese),
    };
    return platform_.window.AskCredentials(request, credentials.user, credentials.password);
}

void TForm1::Dispatch(Event event) {
    try {
        switch (event) {
            case Event::FormCreate:
                FormCreate();
                break;
            case Event::FormShow:
                FormShow();
                break;
            case Event::StatusBar1DblClick:
                StatusBar1DblClick();
                break;
            case Event::Image1DblClick:
                Image1DblClick();
                break;
            case Event::cmdExitClick:
                cmdExitClick();
                break;
            case Event::BitBtn1Click:
                RunCommand(&TForm1::BitBtn1Click);
                break;
            case Event::BitBtn2Click:
                RunCommand(&TForm1::BitBtn2Click);
                break;
            case Event::BitBtn3Click:
                RunCommand(&TForm1::BitBtn3Click);
                break;
            case Event::SettingChange:
                FormSettingChange();
                break;
        }
    } catch (const std::exception& error) {
        // The handler has ended and its clean-ups have run; the program goes on.
        LogEvent("box error report " + Quoted(ErrorReportText(error.what())));
        platform_.window.ShowMessageBox(ErrorReportText(error.what()),
                                        ApplicationTitle(platform_.system.ExecutablePath()),
                                        kStyleError);
    }
}

void TForm1::RunCommand(void (TForm1::*handler)()) {
    if (commandRunning_) return;
    commandRunning_ = true;
    // Cleared on every way out, an error that escapes the handler included.
    struct Running {
        bool& flag;
        ~Running() { flag = false; }
    } running{commandRunning_};
    (this->*handler)();
}

void TForm1::FormCreate() {
    // The name is tested in the system's own code page, where a Simplified
    // Chinese system writes it; it is kept as UTF-8 for the caption.
    const std::string ansiName = GetSystemLanguageName(platform_.system);
    SystemLanguageName = platform_.system.AnsiToUtf8(ansiName);
    IsChinese = LanguageNameIsChinese(ansiName);
    decimalSeparator_ = platform_.system.DecimalSeparator();
}

void TForm1::FormShow() {
    platform_.window.SetText(Control::Edit1, "");
    platform_.window.ListClear();
    WriteCaptions(platform_.window, IsChinese, SystemLanguageName);
}

void TForm1::StatusBar1DblClick() {
    IsChinese = !IsChinese;
    FormShow();
}

void TForm1::Image1DblClick() {
    Window& window = platform_.window;
    window.SetEnabled(Control::BitBtn1, true);
    window.SetVisible(Control::Label3, true);
    window.SetVisible(Control::Edit1, true);
    FillBlankDownloadBase(window);
}

void TForm1::cmdExitClick() {
    platform_.window.Close();
}

bool TForm1::FormCloseQuery() {
    // Only the request itself can be stopped. Once its body has arrived the
    // client is no longer busy: the file is written, checked and put in
    // place before the command returns, and a close request waits for that
    // step to finish (the window closes when the command has returned), so
    // the installed program is never left halfway through its replacement.
    if (!IdHTTP1.Busy()) return true;
    try {
        if (ShowBox(platform_.window, TextId::N9090, IsChinese) != kAnswerYes) return false;
    } catch (const std::exception&) {
        return false;  // no answer: the download goes on
    }
    IdHTTP1.Stop();
    return true;
}

void TForm1::FormSettingChange() {
    decimalSeparator_ = platform_.system.DecimalSeparator();
}

CommandSite TForm1::Site() {
    return CommandSite{platform_, IsChinese, [this] { GetTessaronExePath(platform_); },
                       downloader_};
}

void TForm1::BitBtn1Click() {
    LogEvent("command install (BitBtn1)");
    CommandSite site = Site();
    InstallNewestVersion(site);
}

void TForm1::BitBtn2Click() {
    LogEvent("command upgrade (BitBtn2)");
    CommandSite site = Site();
    UpgradeInstalledProgram(site);
}

void TForm1::BitBtn3Click() {
    LogEvent("command SDK download (BitBtn3)");
    CommandSite site = Site();
    DownloadSdk(site);
}

void TForm1::IdHTTP1WorkBegin(int32_t workCountMax) {
    ShowWorkBegin(platform_.window, repaints_, FileSize, workCountMax);
}

void TForm1::IdHTTP1Work(int32_t workCount) {
    ShowWork(platform_.window, repaints_, FileSize, workCount, IsChinese, decimalSeparator_);
}

}  // namespace pellinor
