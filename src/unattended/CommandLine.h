// The command line of Pellinor.exe: none for the window; "/upgrade", with
// "/folder" and "/base", for the upgrade without a window; "/rollback", with
// "/folder", for putting back the program an upgrade replaced.
#pragma once

#include <string>
#include <vector>

namespace pellinor {

struct CommandLine {
    bool upgrade = false;   // /upgrade: the upgrade without a window
    bool rollback = false;  // /rollback: the kept program put back, without a window
    std::string folder;     // /folder "C:\...": the installation, ending in "\"; empty: not given
    std::string base;       // /base "http://.../": the download base; empty: the built-in one
};

struct ParsedCommandLine {
    CommandLine request;
    std::string problem;  // why the command line is refused; empty when it is good
};

// The arguments of a command line without the program's name, split as
// Windows' CommandLineToArgvW splits those after the name: blanks (space,
// tab) separate, quotes group and are dropped, 2n backslashes before a
// quote give n and the quote groups, 2n+1 give n and a literal quote, other
// backslashes stay as they are, and "" inside quotes gives one literal quote
// and ends the quotes (CommandLineToArgvW's own rule, unlike the C runtime's).
std::vector<std::string> SplitCommandLine(const std::string& line);

// The switches, without regard to case. Nothing at all asks for the window.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments);

}  // namespace pellinor
