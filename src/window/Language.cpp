// The captions in the UI language.
#include "window/Language.h"

#include "text/Texts.h"

namespace pellinor {

void WriteCaptions(Window& window, bool chinese, const std::string& systemLanguageName) {
    window.SetText(Control::Form, "Pellinor, " + systemLanguageName);
    window.SetText(Control::pnl1, Tr(TextId::Banner, chinese));
    window.SetText(Control::Label1, Tr(TextId::OnlineHint, chinese));
    window.SetText(Control::Label2, Tr(TextId::ListHeading, chinese));
    window.SetText(Control::BitBtn1, Tr(TextId::InstallButton, chinese));
    window.SetText(Control::BitBtn2, Tr(TextId::UpdateButton, chinese));
    window.SetText(Control::BitBtn3, Tr(TextId::SdkButton, chinese));
}

}  // namespace pellinor
