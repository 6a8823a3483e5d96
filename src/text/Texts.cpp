// The program's texts in both languages.
#include "text/Texts.h"

#include <array>

#include "text/TextRules.h"

namespace pellinor {

namespace {
using T = TextId;

const std::array<TextPair, kTextCount> kTexts{{
    {T::Banner, "欢迎使用 R7.35智能门锁系统", "Welcome to Use R7.35 Tessaron System"},
    {T::OnlineHint, "请保持网络畅通", "Please keep the computer online"},
    {T::ListHeading, "电脑桌面的门锁软件 所在的位置", "The file Location"},
    {T::InstallButton, "安装 R7.35 最新版的门锁软件", "Install the Newest R7.35 Software"},
    {T::UpdateButton, "升级 R7.35 门锁软件", "Update the Exist R7.35 Software"},
    {T::SdkButton, "下载接口函数", "Download SDK"},
    {T::N9078, "是否确定要安装 新的门锁软件？",
     "Are you sure you want to install a new Tessaron-System?"},
    {T::N9081,
     "在本电脑的桌面 没有找到 门锁软件。\n请把旧的门锁软件 "
     "发送快捷方式到桌面，然后升级\n\n创建步骤：\n"
     "  如果桌面有门锁软件，用 鼠标右键 点门锁软件图标，打开文件所在的位置，\n"
     "  如果桌面没有门锁软件，双击 此电脑，进入 门锁软件 所在的文件夹。\n"
     "  然后用 鼠标右键 点Tessaron.Exe，发送到，桌面快捷方式。",
     "There has no Tessaron-System on the Desktop.\nPlease Send Shortcut to Desktop, and then "
     "update.\n\n"
     "Steps of Send Shortcut to Desktop:\n  If there has Tessaron-System on Desktop, \n"
     "    Right-Click the Tessaron-System, Open file location.\n"
     "  If there has no Tessaron-System on Desktop, \n"
     "    Double-Click This Computer, Open the folder of the Tessaron-System.\n"
     "  and then Right-Click Tessaron.exe, Send Shortcut to Desktop"},
    {T::N9080, "电脑桌面有不止一个门锁软件！\n请选择需要升级的门锁软件 所在位置，然后升级",
     "More than one Tessaron-System on the Desktop,\n"
     "Please select one that you want to update, and then update."},
    {T::N9079, "是否确定要升级为 新的门锁软件？\n\n",
     "Are you sure you want to update the Tessaron-System?\n\n"},
    {T::N9077,
     "旧的门锁软件 安装在x86，可能被电脑限制 导致升级不成功。\n"
     "建议您在门锁软件的 房间定义，按F12，备份房态到发卡器。\n"
     "再把整个门锁软件文件夹 复制粘贴 到D盘或者C盘根目录，然后升级。\n\n是否继续？",
     "The OLD Tessaron-System is in folder x86, \nmaybe limited by computer and update fail.\n"
     "Please into the Guestroom-Management and press F12, Backup to Encoder.\n"
     "and then copy the folder of the Tessaron-System to root directory of Disk D or "
     "C\n\nContinue?"},
    {T::N9082, "恭喜！升级成功\n\n请打开门锁软件，注册\n\n门锁软件所在的位置：",
     "Congratulations! Update Successfully.\n\nPlease run the Tessaron-System, and then "
     "Register\n\n"
     "The Tessaron-System location: \n"},
    {T::N9083,
     "下载的 Tessaron.Exe 没有数字签名。\n"
     "已安装的门锁软件有发行者的数字签名，只有同一发行者签名的程序才能替换它。\n"
     "已保留原来的门锁软件。\n\n门锁软件所在的位置：",
     "The downloaded Tessaron.Exe is not signed.\n"
     "The installed one is signed by its publisher, and only a program signed by the same "
     "publisher may replace it.\nThe installed program was kept.\n\n"
     "The Tessaron-System location: \n"},
    {T::N9084,
     "下载的 Tessaron.Exe 的数字签名与文件内容不符：文件在签名后被改动或已损坏，"
     "或者本电脑不承认它的证书。\n已保留原来的门锁软件。\n\n门锁软件所在的位置：",
     "The signature of the downloaded Tessaron.Exe does not hold: the file was changed after it "
     "was signed, is damaged, or its certificate is rejected by this computer.\n"
     "The installed program was kept.\n\nThe Tessaron-System location: \n"},
    {T::N9085,
     "下载的 Tessaron.Exe 不是由已安装门锁软件的发行者签名的。\n"
     "已保留原来的门锁软件。\n\n门锁软件所在的位置：",
     "The downloaded Tessaron.Exe is not signed by the publisher of the installed one.\n"
     "The installed program was kept.\n\nThe Tessaron-System location: \n"},
    {T::N9086,
     "已安装的 Tessaron.Exe 带有数字签名，但读不出它的签名者：签名已损坏，"
     "或者本电脑无法检查这种签名。因此不能用任何下载的程序替换它。\n"
     "已保留原来的门锁软件。\n\n门锁软件所在的位置：",
     "The installed Tessaron.Exe is signed, but its signer cannot be read: the signature is "
     "damaged, or of a kind this computer cannot check. No download can be checked against it.\n"
     "The installed program was kept.\n\nThe Tessaron-System location: \n"},
    {T::N9086Unreadable,
     "无法读取已安装的 Tessaron.Exe（可能被其他程序占用），无法检查它的数字签名，"
     "因此不能用下载的程序替换它。\n已保留原来的门锁软件。\n\n门锁软件所在的位置：",
     "The installed Tessaron.Exe cannot be read (another program may hold it), so its signature "
     "cannot be checked and no download may replace it.\n"
     "The installed program was kept.\n\nThe Tessaron-System location: \n"},
    {T::N9087,
     "下载的 Tessaron.Exe 是 %1 版，比已安装的 %2 版旧：不能用旧版本替换新版本。\n"
     "已保留原来的门锁软件。\n\n门锁软件所在的位置：",
     "The downloaded Tessaron.Exe is version %1, older than the installed version %2, and an "
     "older release never replaces a newer one.\n"
     "The installed program was kept.\n\nThe Tessaron-System location: \n"},
    {T::N9088,
     "下载的文件是“%1”，不是已安装的“%2”（两者版本信息中的文件名不同）。\n"
     "已保留原来的门锁软件。\n\n门锁软件所在的位置：",
     "The downloaded file is \"%1\", not the installed \"%2\" (by the names in their version "
     "information).\nThe installed program was kept.\n\nThe Tessaron-System location: \n"},
    {T::N9089,
     "本电脑上另一个 Pellinor 正在更改文件（可能在另一个用户的会话中）。\n请等它完成后再试。",
     "Another copy of Pellinor is changing files on this computer, perhaps in another user's "
     "session.\nPlease try again when it has finished."},
    {T::N9090,
     "正在下载，是否停止下载并关闭本程序？\n\n已下载的部分不会保留，原来的门锁软件保持不变。",
     "A download is running.\nDo you want to stop it and close the program?\n\n"
     "Nothing of the download is kept, and the installed program stays as it was."},
    {T::N9091,
     "下载的文件“%1”没有发行者的数字签名。\n"
     "本程序只使用以发行者的密钥签名的程序和文件。\n"
     "下载的文件已删除，没有运行、打开或替换任何文件。",
     "The downloaded file \"%1\" is not signed by the publisher.\n"
     "Only programs and files signed with the publisher's key are used.\n"
     "The download was removed: nothing was started, opened or replaced."},
    {T::N9092,
     "下载的文件“%1”的数字签名与文件内容不符：文件在签名后被改动或已损坏。\n"
     "下载的文件已删除，没有运行、打开或替换任何文件。",
     "The signature of the downloaded file \"%1\" does not hold: the file was changed after "
     "it was signed, or is damaged.\n"
     "The download was removed: nothing was started, opened or replaced."},
    {T::N9093,
     "下载的文件“%1”是用另一个密钥签名的，不是发行者的密钥。\n"
     "下载的文件已删除，没有运行、打开或替换任何文件。",
     "The downloaded file \"%1\" is signed with a key that is not the publisher's.\n"
     "The download was removed: nothing was started, opened or replaced."},
    {T::FolderLine, "\n\n门锁软件所在的位置：", "\n\nThe Tessaron-System location: \n"},
    {T::ProxySignInCaption, "代理服务器登录", "Proxy sign-in"},
    {T::ProxySignInPrompt, "代理服务器要求登录，请输入用户名和密码：\n",
     "The proxy server asks for a user name and password:\n"},
    {T::ProxySignInUser, "用户名：", "User name:"},
    {T::ProxySignInPassword, "密码：", "Password:"},
    {T::ProxySignInOk, "确定", "OK"},
    {T::ProxySignInCancel, "取消", "Cancel"},
    {T::DownloadingPrefix, "正在下载门锁软件，请稍等... ", "Downloading file, Please wait... "},
    {T::TlsDowngradeRefused, "https 地址被重定向到不安全的 http 地址，已拒绝跟随。",
     "The https address redirected to an http address, which is not secure; it was not "
     "followed."},
    {T::TlsNeedsNewerWindows,
     "此 Windows 版本无法建立 https 所需的 TLS 1.2 连接（Windows 7 SP1 及以后版本可以）。"
     "请使用 http 地址。",
     "This Windows cannot make the TLS 1.2 connection that https needs (Windows 7 SP1 and "
     "later can). Use an http address."},
    {T::TlsHandshakeTooSlow, "服务器建立安全 (TLS) 连接的时间超过 60 秒。",
     "The server took more than 60 s over the secure (TLS) connection's start."},
    {T::TlsNotTrusted, "服务器的证书不是由本电脑信任的机构颁发的。",
     "The server's certificate was not issued by an authority this PC trusts."},
    {T::TlsNameMismatch, "服务器证书上的名称与地址中的名称不符。",
     "The server's certificate is for another name than the one in the address."},
    {T::TlsExpired, "服务器的证书已过期或尚未生效（请同时检查本电脑的日期）。",
     "The server's certificate has expired or is not valid yet (check this PC's date too)."},
    {T::TlsNoCommonProtocol, "服务器与本电脑没有共同的 TLS 版本或加密方式（本电脑需要 TLS 1.2）。",
     "The server and this PC have no TLS version or cipher in common (this PC needs TLS 1.2)."},
    {T::TlsCertificateRefused, "服务器的证书被拒绝。", "The server's certificate was refused."},
    {T::TlsFailed, "与服务器的安全 (TLS) 连接失败。",
     "The secure (TLS) connection to the server failed."},
}};
}  // namespace

const TextPair& TextEntry(TextId id) {
    return kTexts[static_cast<size_t>(id)];
}

std::string Tr(TextId id, bool chinese) {
    const TextPair& pair = TextEntry(id);
    return chinese ? pair.chinese : pair.english;
}

bool LanguageNameIsChinese(const std::string& ansiName) {
    return Pos("\xD6\xD0", ansiName) > 0;
}

}  // namespace pellinor
