// What the commands share.
#include "commands/CommandSite.h"

namespace pellinor {

void DisableCommandButtons(Window& window) {
    for (Control c : {Control::BitBtn1, Control::BitBtn2, Control::BitBtn3, Control::cmdExit}) {
        window.SetEnabled(c, false);
    }
}

}  // namespace pellinor
