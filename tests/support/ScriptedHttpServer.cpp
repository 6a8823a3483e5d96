// The scripted test server: one io_context on a thread of its own, one
// session per accepted connection.
#include "support/ScriptedHttpServer.h"

#include <algorithm>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/read_until.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/write.hpp>
#include <deque>
#include <mutex>
#include <thread>

namespace pellinor {

namespace asio = boost::asio;
using tcp = asio::ip::tcp;

ScriptedReply::ScriptedReply(std::string bytes, AfterReply afterReply) : after(afterReply) {
    Then(std::move(bytes));
}

ScriptedReply& ScriptedReply::Then(std::string bytes, std::chrono::milliseconds delay) {
    auto data = std::make_shared<const std::string>(std::move(bytes));
    pieces.push_back({delay, data, 0, data->size()});
    return *this;
}

ScriptedReply& ScriptedReply::ThenShared(std::shared_ptr<const std::string> data, size_t blockSize,
                                         std::chrono::milliseconds delay) {
    const size_t step = blockSize == 0 ? data->size() : blockSize;
    for (size_t at = 0; at < data->size(); at += step) {
        pieces.push_back({delay, data, at, std::min(step, data->size() - at)});
    }
    return *this;
}

std::string HttpHead(const std::string& statusLine, const std::vector<std::string>& headers) {
    std::string head = statusLine + "\r\n";
    for (const std::string& h : headers) head += h + "\r\n";
    return head + "\r\n";
}

std::string RequestTarget(const std::string& request) {
    const size_t first = request.find(' ');
    if (first == std::string::npos) return std::string();
    const size_t second = request.find(' ', first + 1);
    return request.substr(first + 1,
                          second == std::string::npos ? std::string::npos : second - first - 1);
}

size_t RangeStart(const std::string& request) {
    const std::string field = "\r\nRange: bytes=";
    const size_t at = request.find(field);
    return at == std::string::npos ? 0 : std::stoul(request.substr(at + field.size()));
}

ScriptedReply RangeReply(const std::string& request, const std::shared_ptr<const std::string>& file,
                         const std::vector<std::string>& fields, size_t end, AfterReply after,
                         size_t blockSize, std::chrono::milliseconds delay) {
    const size_t total = file->size();
    const size_t from = std::min(RangeStart(request), total);
    std::vector<std::string> head = fields;
    if (from > 0) {
        head.push_back("Content-Range: bytes " + std::to_string(from) + "-" +
                       std::to_string(total - 1) + "/" + std::to_string(total));
    }
    head.push_back("Content-Length: " + std::to_string(total - from));
    ScriptedReply reply(
        HttpHead(from > 0 ? "HTTP/1.1 206 Partial Content" : "HTTP/1.1 200 OK", head));
    const size_t stop = std::max(from, std::min(end, total));
    const size_t step = blockSize == 0 ? std::max<size_t>(stop - from, 1) : blockSize;
    for (size_t at = from; at < stop; at += step) {
        reply.pieces.push_back({delay, file, at, std::min(step, stop - at)});
    }
    if (stop < total) reply.Finally(after);
    return reply;
}

class ScriptedHttpServer::Impl {
  public:
    explicit Impl(uint16_t port)
        : acceptor_(io_, tcp::endpoint(asio::ip::make_address("127.0.0.1"), port)),
          port_(acceptor_.local_endpoint().port()) {
        Accept();
        thread_ = std::thread([this] { io_.run(); });
    }
    ~Impl() { Stop(); }

    void Stop() {
        if (!thread_.joinable()) return;
        io_.stop();
        thread_.join();
        sessions_.clear();
        boost::system::error_code ignored;
        acceptor_.close(ignored);
    }

    uint16_t Port() const { return port_; }

    mutable std::mutex mutex;
    std::deque<ScriptedReply> queue;
    std::function<ScriptedReply(const std::string&)> handler;
    std::vector<std::string> requests;
    std::vector<int> requestConnections;
    int connections = 0;

  private:
    struct Session : std::enable_shared_from_this<Session> {
        Session(Impl& server, tcp::socket s, int n)
            : owner(server), socket(std::move(s)), timer(socket.get_executor()), number(n) {}

        void ReadRequest() {
            auto self = shared_from_this();
            asio::async_read_until(socket, asio::dynamic_buffer(input), "\r\n\r\n",
                                   [self](const boost::system::error_code& ec, size_t n) {
                                       if (ec) return self->Shut(AfterReply::Close);
                                       const std::string request = self->input.substr(0, n);
                                       self->input.erase(0, n);
                                       self->Answer(request);
                                   });
        }

        void Answer(const std::string& request) {
            std::function<ScriptedReply(const std::string&)> handler;
            bool scripted = false;
            {
                std::lock_guard<std::mutex> lock(owner.mutex);
                owner.requests.push_back(request);
                owner.requestConnections.push_back(number);
                if (!owner.queue.empty()) {
                    reply = std::move(owner.queue.front());
                    owner.queue.pop_front();
                    scripted = true;
                } else {
                    handler = owner.handler;
                }
            }
            if (!scripted) {
                if (!handler) return Shut(AfterReply::Close);
                reply = handler(request);
            }
            Send(0);
        }

        void Send(size_t index) {
            if (index == reply.pieces.size()) {
                if (reply.after == AfterReply::KeepOpen) return ReadRequest();
                return Shut(reply.after);
            }
            auto self = shared_from_this();
            const ScriptedPiece& piece = reply.pieces[index];
            auto write = [self, index] {
                const ScriptedPiece& p = self->reply.pieces[index];
                asio::async_write(self->socket, asio::buffer(p.data->data() + p.offset, p.length),
                                  [self, index](const boost::system::error_code& ec, size_t) {
                                      if (ec) return self->Shut(AfterReply::Close);
                                      self->Send(index + 1);
                                  });
            };
            if (piece.delay.count() == 0) return write();
            timer.expires_after(piece.delay);
            timer.async_wait([write](const boost::system::error_code& ec) {
                if (!ec) write();
            });
        }

        void Shut(AfterReply how) {
            boost::system::error_code ignored;
            if (how == AfterReply::Hang) return;  // the server's list keeps it open
            if (how == AfterReply::Reset) {
                socket.set_option(asio::socket_base::linger(true, 0), ignored);
            } else {
                socket.shutdown(tcp::socket::shutdown_send, ignored);
            }
            socket.close(ignored);
        }

        Impl& owner;
        tcp::socket socket;
        asio::steady_timer timer;
        int number;
        std::string input;
        ScriptedReply reply;
    };

    void Accept() {
        acceptor_.async_accept([this](const boost::system::error_code& ec, tcp::socket socket) {
            if (ec) return;
            int number;
            {
                std::lock_guard<std::mutex> lock(mutex);
                number = ++connections;
            }
            boost::system::error_code ignored;
            socket.set_option(tcp::no_delay(true), ignored);
            auto session = std::make_shared<Session>(*this, std::move(socket), number);
            sessions_.push_back(session);
            session->ReadRequest();
            Accept();
        });
    }

    asio::io_context io_;
    tcp::acceptor acceptor_;
    uint16_t port_;
    std::vector<std::shared_ptr<Session>> sessions_;
    std::thread thread_;
};

ScriptedHttpServer::ScriptedHttpServer(uint16_t port) : impl_(std::make_unique<Impl>(port)) {}
ScriptedHttpServer::~ScriptedHttpServer() = default;

uint16_t ScriptedHttpServer::Port() const {
    return impl_->Port();
}

std::string ScriptedHttpServer::Url(const std::string& pathAndQuery) const {
    return "http://127.0.0.1:" + std::to_string(Port()) + pathAndQuery;
}

void ScriptedHttpServer::Enqueue(ScriptedReply reply) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->queue.push_back(std::move(reply));
}

void ScriptedHttpServer::SetHandler(std::function<ScriptedReply(const std::string&)> handler) {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->handler = std::move(handler);
}

std::vector<std::string> ScriptedHttpServer::Requests() const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->requests;
}

std::vector<int> ScriptedHttpServer::RequestConnections() const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->requestConnections;
}

int ScriptedHttpServer::Connections() const {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    return impl_->connections;
}

void ScriptedHttpServer::Stop() {
    impl_->Stop();
}

}  // namespace pellinor
