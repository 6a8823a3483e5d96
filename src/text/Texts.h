// Every language-dependent text the user sees, Chinese and English side by
// side, reached by name. Texts are UTF-8; "\n" is a line feed, never CR LF.
#pragma once

#include <string>

namespace pellinor {

enum class TextId {
    // Captions written whenever the window is shown or the language flips.
    Banner,         // pnl1
    OnlineHint,     // Label1
    ListHeading,    // Label2
    InstallButton,  // BitBtn1
    UpdateButton,   // BitBtn2
    SdkButton,      // BitBtn3
    // Boxes, named by their codes.
    N9078,
    N9081,
    N9080,
    N9079,
    N9077,
    N9082,
    // The upgrade's refusals of a download that is not the publisher's.
    N9083,  // not signed
    N9084,  // signature broken
    N9085,  // signed by someone else
    // ... and of any download, when the installed program's own signer
    // cannot be established: a signature nobody can read, or a file that
    // cannot be read at all (both N9086).
    N9086,
    N9086Unreadable,
    N9087,  // older than the installed program: "%1" the download's version, "%2" the installed
    N9088,  // another program: "%1" the download's name, "%2" the installed one's
    // Another copy of the program is changing files on this machine.
    N9089,
    // The close box while a download runs: stop it and close?
    N9090,
    // A download refused by the publisher keys built in, for any of the
    // three commands: "%1" the file's name.
    N9091,  // not signed by the publisher
    N9092,  // changed after signing
    N9093,  // signed with a key that is not the publisher's
    // The line a box that names no folder itself adds before one.
    FolderLine,
    // The box that asks for a proxy's sign-in; the prompt is followed by
    // the proxy's "host:port".
    ProxySignInCaption,
    ProxySignInPrompt,
    ProxySignInUser,
    ProxySignInPassword,
    ProxySignInOk,
    ProxySignInCancel,
    // The status line while a download runs; ends in one blank.
    DownloadingPrefix,
    // https failures. The client does not know the window's language, so
    // they are shown in both at once (TlsErrors), English first.
    TlsDowngradeRefused,
    TlsNeedsNewerWindows,
    TlsHandshakeTooSlow,
    TlsNotTrusted,
    TlsNameMismatch,
    TlsExpired,
    TlsNoCommonProtocol,
    TlsCertificateRefused,
    TlsFailed,
};

constexpr int kTextCount = static_cast<int>(TextId::TlsFailed) + 1;

struct TextPair {
    TextId id;
    const char* chinese;
    const char* english;
};

const TextPair& TextEntry(TextId id);
std::string Tr(TextId id, bool chinese);

// Whether the texts are Chinese: true when the system language's name, in
// the system's ANSI code page, holds the code page 936 form of "中" (bytes
// D6 D0). A Traditional Chinese name in code page 950 does not.
bool LanguageNameIsChinese(const std::string& ansiName);

}  // namespace pellinor
