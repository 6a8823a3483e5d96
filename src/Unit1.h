// The main window's class, TForm1: its fields and handlers, and the unit-level
// routine beside it. Each handler is thin and calls its subsystem.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "commands/CommandSite.h"
#include "commands/Downloads.h"
#include "system/Platform.h"
#include "system/ShortcutScan.h"
#include "transfer/HttpClient.h"
#include "window/Events.h"
#include "window/Window.h"
#include "window/WindowNotify.h"

namespace pellinor {

// The system default language's display name in the ANSI code page.
std::string GetSystemLanguageName(SystemInfo& system);

class TForm1 : public EventSink {
  public:
    // window is the one that keeps platform's messages running, too;
    // downloads is the program's client and downloader, whose events the
    // form's listener hears from now on; publisherKeys are the keys the
    // build carries (none: an empty list).
    TForm1(Platform& platform, Window& window, Downloads& downloads,
           const PublisherKeys& publisherKeys);

    // Runs the handler of an event; an error that escapes it is shown by the
    // application's default error report and the program goes on.
    void Dispatch(Event event) override;
    // The close box and Alt+F4: see FormCloseQuery.
    bool CloseQuery() override { return FormCloseQuery(); }

    void FormCreate();
    void FormShow();
    void StatusBar1DblClick();
    void Image1DblClick();
    void cmdExitClick();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void FormSettingChange();
    // While a command's download can still be stopped (its request is
    // open, or the command has not reached it yet), asks whether to stop
    // it; Yes stops it and lets the window close, No keeps both going.
    bool FormCloseQuery();

    // The UI language, flipped by the status bar's double-click, and the
    // system language's display name (UTF-8) for the caption; both set by
    // FormCreate. Commands read the flag where each says, through their site.
    bool IsChinese = false;
    std::string SystemLanguageName;

  private:
    // Runs a command button's handler unless one already runs. A command
    // processes window messages while it waits (the scan, the pause, the
    // download), so a click can arrive inside it; it is dropped, as if the
    // button were disabled: two upgrades at once would end the lock program
    // and replace its file twice over.
    void RunCommand(void (TForm1::*handler)());

    // The base in Edit1 as the user left it; a blank one is given the
    // default, shown there too.
    std::string TakeDownloadBase();
    // What a command works with, downloading from base.
    CommandSite Site(const std::string& base);

    Platform& platform_;
    Window& window_;
    const PublisherKeys& publisherKeys_;
    bool commandRunning_ = false;
    uint64_t getsEndedBeforeCommand_ = 0;
    WindowNotify notify_;
    Downloads& downloads_;
    // The form's HTTP component: stopped from the close box.
    HttpClient& IdHTTP1() { return downloads_.Client(); }
};

}  // namespace pellinor
