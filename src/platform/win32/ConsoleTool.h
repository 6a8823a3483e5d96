// What a console program's entry needs of Windows, behind a header free of
// <windows.h>: its arguments as UTF-8, text on its standard streams, and
// the real file system.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace pellinor {

// Declared only: FileSystem.h must come after <windows.h> wherever both are
// seen, and this header goes first in its own source file.
class FileSystem;

// The arguments after the program's name, as UTF-8.
std::vector<std::string> Utf8Arguments(int argc, wchar_t** argv);

enum class ConsoleStream { Output, Error };

// Writes UTF-8 text to a standard stream: to a console as UTF-16, so that
// any address or path shows right whatever the console's code page; to a
// file or a pipe as the UTF-8 bytes, unchanged.
void WriteConsoleText(ConsoleStream stream, const std::string& utf8);

std::unique_ptr<FileSystem> NewWin32FileSystem();

}  // namespace pellinor
