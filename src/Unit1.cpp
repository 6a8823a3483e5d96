// TForm1: each handler hands its work to the subsystem that owns it; the one
// thing done here for all of them is the application's error report.
#include "Unit1.h"

#include <exception>

#include "log/LogEvent.h"
#include "text/TextRules.h"
#include "text/Texts.h"
#include "transfer/DownloadBase.h"
#include "window/Language.h"
#include "window/Messages.h"

namespace pellinor {

std::string GetSystemLanguageName(SystemInfo& system) {
    return system.DefaultLanguageNameAnsi();
}

TForm1::TForm1(Platform& platform, Window& window, Downloads& downloads,
               const PublisherKeys& publisherKeys)
    : platform_(platform),
      window_(window),
      publisherKeys_(publisherKeys),
      notify_(window, platform.system, IsChinese),
      downloads_(downloads) {
    downloads.Notify(&notify_);
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
        ShowErrorReport(window_, platform_.system.ExecutablePath(), error.what());
    }
}

void TForm1::RunCommand(void (TForm1::*handler)()) {
    if (commandRunning_) return;
    commandRunning_ = true;
    getsEndedBeforeCommand_ = IdHTTP1().GetsEnded();
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
    notify_.SetLanguage(IsChinese);
    notify_.SetDecimalSeparator(platform_.system.DecimalSeparator());
}

void TForm1::FormShow() {
    window_.SetText(Control::Edit1, "");
    // The list starts empty: the next upgrade scans again.
    notify_.ForgetListed();
    WriteCaptions(window_, IsChinese, SystemLanguageName);
}

void TForm1::StatusBar1DblClick() {
    IsChinese = !IsChinese;
    notify_.SetLanguage(IsChinese);
    FormShow();
}

void TForm1::Image1DblClick() {
    window_.SetEnabled(Control::BitBtn1, true);
    window_.SetVisible(Control::Label3, true);
    window_.SetVisible(Control::Edit1, true);
    TakeDownloadBase();
}

void TForm1::cmdExitClick() {
    window_.Close();
}

bool TForm1::FormCloseQuery() {
    // A command can be stopped until its download has ended: while the
    // request is open, and before it (the scan, the pause after ending the
    // lock program), where a stop keeps the download from starting at all.
    // Once the body has arrived the file is written, checked and put in
    // place before the command returns, and a close request waits for that
    // step to finish (the window closes when the command has returned), so
    // the installed program is never left halfway through its replacement.
    const bool beforeDownloadEnded =
        commandRunning_ && IdHTTP1().GetsEnded() == getsEndedBeforeCommand_;
    if (!IdHTTP1().Busy() && !beforeDownloadEnded) return true;
    try {
        if (ShowBox(window_, TextId::N9090, IsChinese) != kAnswerYes) return false;
    } catch (const std::exception&) {
        return false;  // no answer: the download goes on
    }
    IdHTTP1().Stop();
    return true;
}

void TForm1::FormSettingChange() {
    notify_.SetDecimalSeparator(platform_.system.DecimalSeparator());
}

std::string TForm1::TakeDownloadBase() {
    std::string base = window_.Text(Control::Edit1);
    if (Trim(base).empty()) {
        base = DefaultDownloadBase();
        window_.SetText(Control::Edit1, base);
    }
    return base;
}

CommandSite TForm1::Site(const std::string& base) {
    return CommandSite{platform_, notify_,          downloads_.FileDownloader(),
                       base,      notify_.Listed(), publisherKeys_};
}

void TForm1::BitBtn1Click() {
    LogEvent("command install (BitBtn1)");
    CommandSite site = Site(TakeDownloadBase());
    InstallNewestVersion(site);
}

void TForm1::BitBtn2Click() {
    LogEvent("command upgrade (BitBtn2)");
    CommandSite site = Site(TakeDownloadBase());
    UpgradeInstalledProgram(site);
}

void TForm1::BitBtn3Click() {
    LogEvent("command SDK download (BitBtn3)");
    // The SDK comes from a fixed address.
    CommandSite site = Site("");
    DownloadSdk(site);
}

}  // namespace pellinor
