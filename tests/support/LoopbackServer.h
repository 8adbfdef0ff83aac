#pragma once
// A one-connection stand-in for the maker's web server, on 127.0.0.1 at a free port.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

class LoopbackServer {
public:
  enum class Mode {
    Answer, // sends the answer and closes
    Silent, // sends the answer, then waits for the client to give up
    Flood,  // sends the answer, then `fill` bytes until the client stops reading
  };
  static constexpr size_t kFloodLimit = size_t(64) << 20;

  explicit LoopbackServer(std::string answer, Mode mode = Mode::Answer, char fill = 'a')
      : answer_(std::move(answer)), mode_(mode), fill_(fill) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    auto* any = reinterpret_cast<sockaddr*>(&address);
    if (bind(listenFd_, any, length) == 0 && listen(listenFd_, 1) == 0 &&
        getsockname(listenFd_, any, &length) == 0)
      port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
  }
  ~LoopbackServer() { finish(); }

  int port() const { return port_; }
  // Waits for the connection to end; then request() and sent() are final.
  void finish() {
    if (!thread_.joinable()) return;
    shutdown(listenFd_, SHUT_RDWR); // frees an accept that nobody will satisfy
    thread_.join();
    close(listenFd_);
  }
  const std::string& request() const { return request_; }
  size_t sent() const { return sent_; }

private:
  void serve() {
    const int fd = accept(listenFd_, nullptr, nullptr);
    if (fd < 0) return;
    char buffer[4096];
    ssize_t n = 0;
    while (request_.find("\r\n\r\n") == std::string::npos && request_.size() < 65536 &&
           (n = recv(fd, buffer, sizeof buffer, 0)) > 0)
      request_.append(buffer, static_cast<size_t>(n));
    sendAll(fd, answer_);
    const std::string chunk(65536, fill_);
    while (mode_ == Mode::Silent
               ? recv(fd, buffer, sizeof buffer, 0) > 0
               : mode_ == Mode::Flood && sent_ < kFloodLimit && sendAll(fd, chunk)) {
    }
    close(fd);
  }
  bool sendAll(int fd, const std::string& data) {
    for (size_t done = 0; done < data.size();) {
      const ssize_t n = send(fd, data.data() + done, data.size() - done, MSG_NOSIGNAL);
      if (n <= 0) return false;
      done += static_cast<size_t>(n);
      sent_ += static_cast<size_t>(n);
    }
    return true;
  }

  std::string answer_;
  Mode mode_;
  char fill_;
  int listenFd_ = socket(AF_INET, SOCK_STREAM, 0);
  int port_ = 0;
  std::string request_;
  std::atomic<size_t> sent_{0};
  std::thread thread_;
};

// A loopback port that nothing listens on (it was free a moment ago).
inline int unusedLoopbackPort() {
  LoopbackServer server("");
  server.finish();
  return server.port();
}
