// The upgrade's listener where nobody watches: it answers each question as
// the command line already did (the folder is the one named or the only
// one: yes), shows nothing, and keeps how the upgrade ended as an exit code.
#pragma once

#include <string>
#include <vector>

#include "commands/CommandNotify.h"
#include "unattended/ExitCodes.h"

namespace pellinor {

class UnattendedNotify : public CommandNotify {
  public:
    // named: the /folder value (ending in "\"), or empty; chinese: the
    // system's language, which names the temporary file as the window's does.
    UnattendedNotify(std::string named, bool chinese)
        : named_(std::move(named)), chinese_(chinese) {}

    // Upgraded only once the upgrade both put the program in place and
    // ended; Unexpected while nothing said how it ended.
    ExitCode Outcome() const;

    void Begun() override {}
    bool ChineseNow() const override { return chinese_; }
    void KeepLanguage(bool) override {}
    bool Confirm(Question question, const std::string& folder) override;
    // The one found, or among several the one the command line names.
    std::optional<Installation> Choose(const std::vector<Installation>& found) override;
    void ChangingFiles(ButtonsOff) override {}
    void DownloadBegun(const std::string&) override {}
    void DownloadEnded() override {}
    void Failed(const std::string& noticeCode, const StepResult& result,
                const std::string& folder) override;
    void OnlyExitLeft() override {}
    void Upgraded(const std::string& folder) override;
    void Finished() override { finished_ = true; }

    // Nobody watches the progress, and nobody is there to sign in to a
    // proxy: the request is declined, and the log says so.
    void WorkBegin(int32_t) override {}
    void Work(int32_t) override {}
    bool AskProxyCredentials(const std::string& proxy, ProxyCredentials& credentials) override;
    void Arrived() override {}

  private:
    std::string named_;
    bool chinese_;
    std::optional<ExitCode> outcome_;
    bool finished_ = false;
};

// The exit code of a command that failed at result's step.
ExitCode ExitCodeOf(const StepResult& result);

}  // namespace pellinor
