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
};

}  // namespace pellinor
