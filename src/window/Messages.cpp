// The message catalogue.
#include "window/Messages.h"

#include <array>

#include "log/LogEvent.h"
#include "text/TextRules.h"

namespace pellinor {

namespace {
struct BoxEntry {
    TextId text;
    const char* caption;
    unsigned style;
    bool countInCaption;
};

constexpr std::array<BoxEntry, 18> kBoxes{{
    {TextId::N9078, "N9078", kStyleQuestionOkCancel, false},
    {TextId::N9081, "N9081", kStyleExclamation, true},
    {TextId::N9080, "N9080", kStyleExclamation, true},
    {TextId::N9079, "N9079", kStyleQuestionOkCancel, false},
    {TextId::N9077, "N9077", kStyleQuestionOkCancel, false},
    {TextId::N9082, "N9082", kStyleInformation, false},
    {TextId::N9083, "N9083", kStyleError, false},
    {TextId::N9084, "N9084", kStyleError, false},
    {TextId::N9085, "N9085", kStyleError, false},
    {TextId::N9086, "N9086", kStyleError, false},
    {TextId::N9086Unreadable, "N9086", kStyleError, false},
    {TextId::N9087, "N9087", kStyleError, false},
    {TextId::N9088, "N9088", kStyleError, false},
    {TextId::N9089, "N9089", kStyleExclamation, false},
    {TextId::N9090, "N9090", kStyleQuestionYesNo, false},
    {TextId::N9091, "N9091", kStyleError, false},
    {TextId::N9092, "N9092", kStyleError, false},
    {TextId::N9093, "N9093", kStyleError, false},
}};

const BoxEntry* FindBox(TextId id) {
    for (const BoxEntry& entry : kBoxes) {
        if (entry.text == id) return &entry;
    }
    return nullptr;
}
}  // namespace

namespace {
std::string AnswerName(int answer) {
    switch (answer) {
        case kAnswerOk:
            return "OK";
        case kAnswerCancel:
            return "Cancel";
        case kAnswerYes:
            return "Yes";
        case kAnswerNo:
            return "No";
    }
    return std::to_string(answer);
}

int ShowText(Window& window, TextId box, const std::string& text, int count) {
    const BoxEntry* entry = FindBox(box);
    if (entry == nullptr) return kAnswerCancel;
    std::string caption = entry->caption;
    if (entry->countInCaption) caption += ", " + std::to_string(count);
    // Written before the box shows: a program ended while it waits for an
    // answer still leaves the box it showed in the log.
    LogEvent("box " + caption);
    const int answer = window.ShowMessageBox(text, caption, entry->style);
    if (entry->style == kStyleQuestionOkCancel || entry->style == kStyleQuestionYesNo) {
        LogEvent("box " + caption + " answered " + AnswerName(answer));
    }
    return answer;
}
}  // namespace

int ShowBox(Window& window, TextId box, bool chinese, const std::string& appended, int count) {
    return ShowText(window, box, Tr(box, chinese) + appended, count);
}

int ShowFilledBox(Window& window, TextId box, bool chinese, const std::string& first,
                  const std::string& second, const std::string& appended) {
    const std::string pattern = Tr(box, chinese);
    std::string text;
    for (size_t at = 0; at < pattern.size(); ++at) {
        const bool mark = pattern[at] == '%' && at + 1 < pattern.size() &&
                          (pattern[at + 1] == '1' || pattern[at + 1] == '2');
        if (!mark) {
            text += pattern[at];
            continue;
        }
        text += pattern[++at] == '1' ? first : second;
    }
    return ShowText(window, box, text + appended, 0);
}

void ShowNotice(Window& window, const std::string& text) {
    LogEvent("box " + Quoted(text));
    window.ShowMessage(text);
}

void ShowErrorReport(Window& window, const std::string& exePath, const std::string& message) {
    LogEvent("box error report " + Quoted(ErrorReportText(message)));
    window.ShowMessageBox(ErrorReportText(message), ApplicationTitle(exePath), kStyleError);
}

std::string ApplicationTitle(const std::string& exePath) {
    std::string name = exePath.substr(exePath.find_last_of('\\') + 1);  // npos + 1 is 0
    name = name.substr(0, name.find('.'));
    // Only ASCII letters change case, so a UTF-8 name stays well formed.
    if (name.empty()) return name;
    return name.substr(0, 1) + LowerAscii(name.substr(1));
}

std::string ErrorReportText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

}  // namespace pellinor
