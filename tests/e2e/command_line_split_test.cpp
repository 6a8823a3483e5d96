// The command line's split, side by side with the system's own
// CommandLineToArgvW: the same arguments for every line of the table.
// clang-format off
#include "Fixture.h"
#include <shellapi.h>
// clang-format on

#include "platform/win32/Utf.h"
#include "unattended/CommandLine.h"

namespace pellinor::e2e {
namespace {

std::vector<std::string> SystemSplit(const std::string& arguments) {
    // The program's name first, as the system's command line has it.
    const std::wstring line = L"\"C:\\Program Files\\Pellinor.exe\" " + Widen(arguments);
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(line.c_str(), &count);
    std::vector<std::string> split;
    for (int i = 1; argv && i < count; ++i) split.push_back(Narrow(argv[i]));
    if (argv) ::LocalFree(argv);
    return split;
}

TEST(CommandLineSplit, AgreesWithCommandLineToArgvW) {
    const char* lines[] = {
        "/upgrade",
        "  /UPGRADE\t /folder   C:\\Lock  ",
        "/upgrade /folder \"C:\\Hotel Lock\" /base \"http://127.0.0.1:8080/V9/02/\"",
        "/upgrade /folder \"C:\\Hotel Lock\\\" /base http://h/",
        "/upgrade /folder \"C:\\Hotel Lock\\\\\" /base http://h/",
        "a\\\\b c\\ \"d\\\\\\\"e\" f\\\\\\\\\"g h\"",
        "x\"a b\"y \"\" z",
        "\"open to the end",
        "\"a\"\"b\" c",
        "\"a\"\"\"b c\" d",
        "/folder \"D:\\门锁 软件\"",
    };
    for (const char* line : lines) EXPECT_EQ(SplitCommandLine(line), SystemSplit(line)) << line;
}

}  // namespace
}  // namespace pellinor::e2e
