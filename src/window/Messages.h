// The program's boxes: each question, warning and notice with its code,
// style and caption, and the application's own error report.
#pragma once

#include <string>

#include "text/Texts.h"
#include "window/Window.h"

namespace pellinor {

// Shows the box named by one of the N90xx texts in the given language, with
// appended after its text; captions of N9080 and N9081 end in ", " + count.
// Returns the button pressed.
int ShowBox(Window& window, TextId box, bool chinese, const std::string& appended = std::string(),
            int count = 0);

// The same for a box whose text names two values: its marks "%1" and "%2"
// are filled with first and second, in one pass over the text, so a value
// that itself holds a mark is shown as it is.
int ShowFilledBox(Window& window, TextId box, bool chinese, const std::string& first,
                  const std::string& second, const std::string& appended);

// The information dialog of a failed command: "System Error E0056, -59".
void ShowNotice(Window& window, const std::string& text);

// The application's error report: what went wrong, under the program's
// title, with the error icon.
void ShowErrorReport(Window& window, const std::string& exePath, const std::string& message);

// The executable's file name cut at its first ".", all but the first
// character lower-cased: "C:\x\PELLINOR.EXE" gives "Pellinor".
std::string ApplicationTitle(const std::string& exePath);

// An escaped error's message as the error report shows it: a "." is added
// when the last character sorts after ".".
std::string ErrorReportText(const std::string& message);

}  // namespace pellinor
