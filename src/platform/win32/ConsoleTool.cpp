// Arguments, standard streams and the file system of a console program.
#include "platform/win32/ConsoleTool.h"

#include <windows.h>

#include "platform/win32/Utf.h"
#include "platform/win32/Win32FileSystem.h"

namespace pellinor {

std::vector<std::string> Utf8Arguments(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(Narrow(argv[i]));
    return arguments;
}

void WriteConsoleText(ConsoleStream stream, const std::string& utf8) {
    const HANDLE handle =
        ::GetStdHandle(stream == ConsoleStream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || utf8.empty()) return;
    DWORD mode = 0;
    if (::GetConsoleMode(handle, &mode)) {
        const std::wstring wide = Widen(utf8);
        DWORD written = 0;
        ::WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    // A pipe may take less than asked; what it refuses is lost, as the
    // program has nobody else to tell.
    size_t done = 0;
    while (done < utf8.size()) {
        DWORD written = 0;
        if (!::WriteFile(handle, utf8.data() + done, static_cast<DWORD>(utf8.size() - done),
                         &written, nullptr) ||
            written == 0) {
            return;
        }
        done += written;
    }
}

std::unique_ptr<FileSystem> NewWin32FileSystem() {
    return std::make_unique<Win32FileSystem>();
}

}  // namespace pellinor
