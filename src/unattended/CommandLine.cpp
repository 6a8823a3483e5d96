// Reading Pellinor.exe's command line: the split into arguments, the
// switches and the checks of their values.
#include "unattended/CommandLine.h"

#include <cstring>

#include "text/TextRules.h"

namespace pellinor {

namespace {

bool Blank(char c) {
    return c == ' ' || c == '\t';
}

// An absolute folder: "X:\..." or "\\server\share\...". A relative one
// would depend on where a deployment tool happens to start the program.
bool AbsoluteFolder(const std::string& folder) {
    const bool drive =
        folder.size() >= 3 && folder[1] == ':' && folder[2] == '\\' &&
        ((folder[0] >= 'A' && folder[0] <= 'Z') || (folder[0] >= 'a' && folder[0] <= 'z'));
    const bool share = folder.size() > 2 && folder[0] == '\\' && folder[1] == '\\';
    return drive || share;
}

std::string FolderProblem(const std::string& folder) {
    // A quote cannot be part of a Windows path: it is what CommandLineToArgvW
    // leaves of "C:\Lock\" (the backslash escapes the closing quote).
    if (folder.find('"') != std::string::npos) {
        return "/folder: a quote in the folder; end a quoted folder without its last backslash "
               "(\"C:\\Lock\") or double it (\"C:\\Lock\\\\\")";
    }
    if (!AbsoluteFolder(folder)) return "/folder: not a full path (C:\\... or \\\\server\\...)";
    return std::string();
}

std::string BaseProblem(const std::string& base) {
    // The file's name is appended as it is, so the base names a folder of
    // the server, over either scheme the client speaks.
    const std::string lower = LowerAscii(base);
    size_t schemeSize = 0;
    for (const char* scheme : {"http://", "https://"}) {
        if (lower.compare(0, std::strlen(scheme), scheme) == 0) schemeSize = std::strlen(scheme);
    }
    if (schemeSize == 0 || base.size() <= schemeSize) {
        return "/base: not an address that begins with http:// or https://";
    }
    if (base.back() != '/') return "/base: the address must end with \"/\"";
    for (char c : base) {
        if (static_cast<unsigned char>(c) <= ' ' || c == '"') {
            return "/base: a blank, a quote or a control character in the address";
        }
    }
    return std::string();
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& line) {
    std::vector<std::string> arguments;
    std::string current;
    bool inArgument = false;
    bool quoted = false;
    size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (Blank(c) && !quoted) {
            if (inArgument) arguments.push_back(current);
            current.clear();
            inArgument = false;
            ++i;
            continue;
        }
        inArgument = true;
        if (c == '\\') {
            size_t count = 0;
            while (i < line.size() && line[i] == '\\') {
                ++count;
                ++i;
            }
            if (i < line.size() && line[i] == '"') {
                current.append(count / 2, '\\');
                if (count % 2 == 1) {
                    current += '"';
                    ++i;
                }
                // An even count leaves the quote to the next turn, which groups.
            } else {
                current.append(count, '\\');
            }
            continue;
        }
        if (c == '"') {
            // "" inside quotes: one literal quote, and the quotes end there.
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                current += '"';
                quoted = false;
                i += 2;
                continue;
            }
            quoted = !quoted;
            ++i;
            continue;
        }
        current += c;
        ++i;
    }
    if (inArgument) arguments.push_back(current);
    return arguments;
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    ParsedCommandLine parsed;
    CommandLine& request = parsed.request;
    bool folderGiven = false, baseGiven = false;
    const auto refuse = [&parsed](const std::string& problem) {
        parsed.problem = problem;
        return parsed;
    };
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string name = LowerAscii(arguments[i]);
        if (name == "/upgrade" || name == "/rollback") {
            bool& command = name == "/upgrade" ? request.upgrade : request.rollback;
            if (command) return refuse(name + " given twice");
            command = true;
            continue;
        }
        if (name != "/folder" && name != "/base") return refuse("unknown: " + arguments[i]);
        bool& given = name == "/folder" ? folderGiven : baseGiven;
        if (given) return refuse(name + " given twice");
        given = true;
        // A switch right after another one means the value was left out.
        if (i + 1 >= arguments.size() || arguments[i + 1].empty() || arguments[i + 1][0] == '/') {
            return refuse(name + " without its value");
        }
        const std::string& value = arguments[++i];
        if (name == "/folder") {
            const std::string problem = FolderProblem(value);
            if (!problem.empty()) return refuse(problem);
            request.folder = WithTrailingBackslash(value);
        } else {
            const std::string problem = BaseProblem(value);
            if (!problem.empty()) return refuse(problem);
            request.base = value;
        }
    }
    if (request.upgrade && request.rollback) return refuse("/upgrade and /rollback together");
    if (baseGiven && !request.upgrade) return refuse("/base can only go with /upgrade");
    if (folderGiven && !request.upgrade && !request.rollback) {
        return refuse("/folder can only go with /upgrade or /rollback");
    }
    return parsed;
}

}  // namespace pellinor
