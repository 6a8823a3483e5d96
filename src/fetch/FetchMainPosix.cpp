// The entry of the native pellinor-fetch: Linux arguments, streams and folders.
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "fetch/FetchRun.h"
#include "platform/posix/PosixFileSystem.h"

namespace {

void Write(std::FILE* stream, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stream);
    std::fflush(stream);
}

// The file system is rooted at "/", so a relative FILE is made absolute
// from the working folder.
std::string AbsolutePath(const std::string& path) {
    if (!path.empty() && path[0] == '/') return path;
    std::vector<char> folder(4096);
    if (!::getcwd(folder.data(), folder.size())) return path;
    return std::string(folder.data()) + "/" + path;
}

}  // namespace

int main(int argc, char** argv) {
    pellinor::PosixFileSystem files("/");
    pellinor::FetchSite site{
        files,
        [](const std::string& text) { Write(stdout, text); },
        [](const std::string& text) { Write(stderr, text); },
        AbsolutePath,
    };
    return pellinor::RunFetch(std::vector<std::string>(argv + 1, argv + argc), site);
}
