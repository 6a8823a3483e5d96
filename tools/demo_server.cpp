// A small download server for the demo and the tests: serves the files under
// a folder on 127.0.0.1 with their Content-Length, optionally slowly.
//   demo_server --port N --root DIR [--delay-ms-per-block M]
// Prints the port it listens on (useful with --port 0), then serves until
// it receives SIGINT or SIGTERM.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <mutex>
#include <sstream>

#include "support/ScriptedHttpServer.h"

namespace fs = std::filesystem;
using namespace pellinor;

namespace {

constexpr size_t kBlock = 32768;

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string Decode(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && HexValue(s[i + 1]) >= 0 && HexValue(s[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(s[i + 1]) * 16 + HexValue(s[i + 2]));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The file a request names, each component matched without case as a
// Windows server would; empty when there is none or the path leaves root.
fs::path Find(const fs::path& root, const std::string& target) {
    std::string path = Decode(target.substr(0, target.find('?')));
    fs::path at = root;
    std::stringstream parts(path);
    std::string part;
    while (std::getline(parts, part, '/')) {
        if (part.empty() || part == ".") continue;
        if (part == "..") return {};
        fs::path next = at / part;
        if (!fs::exists(next)) {
            next.clear();
            std::error_code ec;
            for (const auto& entry : fs::directory_iterator(at, ec)) {
                if (Lower(entry.path().filename().string()) == Lower(part)) next = entry.path();
            }
            if (next.empty()) return {};
        }
        at = next;
    }
    return fs::is_regular_file(at) ? at : fs::path();
}

std::string Reply404() {
    const std::string body = "<html><body>404 Not Found</body></html>";
    return HttpHead("HTTP/1.1 404 Not Found",
                    {"Content-Type: text/html", "Content-Length: " + std::to_string(body.size())}) +
           body;
}

}  // namespace

int main(int argc, char** argv) {
    int port = 0;
    fs::path root;
    int delayMs = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--port") {
            port = std::atoi(argv[i + 1]);
        } else if (option == "--root") {
            root = argv[i + 1];
        } else if (option == "--delay-ms-per-block") {
            delayMs = std::atoi(argv[i + 1]);
        } else {
            std::cerr << "unknown option " << option << "\n";
            return 2;
        }
    }
    if (root.empty() || !fs::is_directory(root) || port < 0 || port > 65535 || delayMs < 0) {
        std::cerr << "usage: demo_server --port N --root DIR [--delay-ms-per-block M]\n";
        return 2;
    }

    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGINT);
    sigaddset(&stop, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);  // before the server's thread starts

    ScriptedHttpServer server(static_cast<uint16_t>(port));
    server.SetHandler([root, delayMs](const std::string& request) {
        const fs::path file = Find(root, RequestTarget(request));
        if (file.empty()) return ScriptedReply(Reply404());
        std::ifstream in(file, std::ios::binary);
        auto data = std::make_shared<std::string>(static_cast<size_t>(fs::file_size(file)), '\0');
        in.read(&(*data)[0], static_cast<std::streamsize>(data->size()));
        data->resize(static_cast<size_t>(in.gcount()));
        ScriptedReply reply(
            HttpHead("HTTP/1.1 200 OK", {"Content-Type: application/octet-stream",
                                         "Content-Length: " + std::to_string(data->size())}));
        reply.ThenShared(data, delayMs > 0 ? kBlock : 0, std::chrono::milliseconds(delayMs));
        return reply;
    });
    std::cout << server.Port() << std::endl;

    int received = 0;
    sigwait(&stop, &received);
    server.Stop();
    return 0;
}
