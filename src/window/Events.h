// The window events that reach the program's handlers.
#pragma once

namespace pellinor {

enum class Event {
    FormCreate,
    FormShow,
    StatusBar1DblClick,
    Image1DblClick,
    cmdExitClick,
    BitBtn1Click,
    BitBtn2Click,
    BitBtn3Click,
    SettingChange,  // the user changed regional settings
};

class EventSink {
  public:
    virtual ~EventSink() = default;
    virtual void Dispatch(Event event) = 0;
    // The user asks to close the window (its close box, Alt+F4): false
    // keeps it open. Asked before the close is requested; never throws.
    virtual bool CloseQuery() { return true; }
};

}  // namespace pellinor
