// The window's side of a command: what a command tells it becomes boxes,
// the list of installations (kept here for the next click), buttons, the
// hourglass and the destination in Label3; what its download tells it
// becomes the progress on screen and the proxy's sign-in box. The form
// tells it the language as the user switches it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commands/CommandNotify.h"
#include "platform/SystemInfo.h"
#include "window/ProgressDisplay.h"
#include "window/Window.h"

namespace pellinor {

class WindowNotify : public CommandNotify {
  public:
    WindowNotify(Window& window, SystemInfo& system, bool chinese)
        : window_(window), system_(system), chinese_(chinese), progress_(window, system, chinese) {}

    // The language the user has switched to.
    void SetLanguage(bool chinese) {
        chinese_ = chinese;
        progress_.SetLanguage(chinese);
    }
    // The installations the list shows, from the last scan; forgotten with
    // the list, when the window is shown again.
    const std::vector<Installation>& Listed() const { return listed_; }
    void ForgetListed();

    // The regional settings' decimal separator, for the progress line.
    void SetDecimalSeparator(const std::string& separator) {
        progress_.SetDecimalSeparator(separator);
    }

    void Begun() override;
    bool ChineseNow() const override { return chinese_; }
    void KeepLanguage(bool chinese) override { kept_ = chinese; }
    bool Confirm(Question question, const std::string& folder) override;
    // Lists what was found (an item of the user's own desktop with a
    // leading blank) and hands back the one selected, the only one
    // selected for the user.
    std::optional<Installation> Choose(const std::vector<Installation>& found) override;
    void ChangingFiles(ButtonsOff buttons) override;
    void DownloadBegun(const std::string& dest) override;
    void DownloadEnded() override;
    void Failed(const std::string& noticeCode, const StepResult& result,
                const std::string& folder) override;
    void OnlyExitLeft() override;
    void Upgraded(const std::string& folder) override;
    void Finished() override;

    // The progress follows the language as it is switched; the sign-in box
    // comes in the language of the moment.
    void WorkBegin(int32_t workCountMax) override { progress_.WorkBegin(workCountMax); }
    void Work(int32_t workCount) override { progress_.Work(workCount); }
    bool AskProxyCredentials(const std::string& proxy, ProxyCredentials& credentials) override;
    void Arrived() override { progress_.Flush(); }

  private:
    // The language of the boxes: the one kept, or the one of the moment.
    bool BoxLanguage() const { return kept_ ? *kept_ : chinese_; }

    Window& window_;
    SystemInfo& system_;
    bool chinese_;  // as the user last switched it
    std::optional<bool> kept_;
    std::vector<Installation> listed_;
    ProgressDisplay progress_;
};

}  // namespace pellinor
