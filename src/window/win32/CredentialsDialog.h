// The proxy sign-in box: a prompt, a user name and a password typed hidden,
// OK and Cancel; made from a template in memory like the other dialogs.
#pragma once

#include <string>

#include "platform/win32/WindowsHeaders.h"
#include "window/Window.h"

namespace pellinor {

// The ids of its fields, for whatever drives the box from outside.
enum : WORD { kCredentialsUserId = 102, kCredentialsPasswordId = 104 };

// Runs the box modally, owned by owner. True with the answer on OK; the
// box's own copies of the typed text are wiped before it returns.
bool ShowCredentialsDialog(HINSTANCE instance, HWND owner, const CredentialsRequest& request,
                           std::string& user, std::string& password);

}  // namespace pellinor
