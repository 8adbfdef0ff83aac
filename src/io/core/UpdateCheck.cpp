#include "io/core/UpdateCheck.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <system_error>
#include <thread>
#include <unistd.h>

#include "table/core/Numbers.h"

namespace orbala {

namespace {

using Clock = std::chrono::steady_clock;

// The server sees the request in the same four writes as ever.
std::array<std::string, 4> requestPieces(const std::string& host) {
  return {std::string("GET ") + kUpdatePath + " HTTP/1.0\r\n", "Accept-Language: en-us\r\n",
          "Accept-Encoding: gzip, deflate\r\n", "Host: " + host + "\r\n\r\n"};
}

class SocketHandle {
public:
  explicit SocketHandle(int fd) : fd_(fd) {}
  ~SocketHandle() {
    if (fd_ >= 0) close(fd_);
  }
  SocketHandle(const SocketHandle&) = delete;
  SocketHandle& operator=(const SocketHandle&) = delete;
  int get() const { return fd_; }

private:
  int fd_;
};

class AddressList {
public:
  ~AddressList() {
    if (list) freeaddrinfo(list);
  }
  addrinfo* list = nullptr;
};

// What a lookup thread and the check waiting for it share.
struct PendingLookup {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  bool abandoned = false;
  addrinfo* list = nullptr;
};

// getaddrinfo has no time-out of its own, so it runs on a thread of its own: the check waits
// for it until the deadline, and a lookup that comes later frees its list itself.
addrinfo* lookUpBefore(NameLookup lookup, const std::string& host, int port,
                       Clock::time_point deadline) {
  auto pending = std::make_shared<PendingLookup>();
  try {
    std::thread([pending, lookup, host, port] {
      addrinfo hints{};
      hints.ai_family = AF_UNSPEC;
      hints.ai_socktype = SOCK_STREAM;
      addrinfo* list = nullptr;
      if (lookup(host.c_str(), std::to_string(port).c_str(), &hints, &list) != 0) list = nullptr;
      std::lock_guard<std::mutex> lock(pending->mutex);
      if (pending->abandoned) {
        if (list) freeaddrinfo(list);
        return;
      }
      pending->list = list;
      pending->done = true;
      pending->finished.notify_one();
    }).detach();
  } catch (const std::system_error&) {
    return nullptr;
  }
  std::unique_lock<std::mutex> lock(pending->mutex);
  if (!pending->finished.wait_until(lock, deadline, [&] { return pending->done; })) {
    pending->abandoned = true;
    return nullptr;
  }
  return pending->list;
}

int msLeft(Clock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return static_cast<int>(std::max<long long>(0, left));
}

// True when the socket is ready for `events` before the deadline.
bool waitFor(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    pollfd p{fd, events, 0};
    const int n = poll(&p, 1, msLeft(deadline));
    if (n > 0) return true;
    if (n == 0 || errno != EINTR) return false;
  }
}

bool connectBefore(int fd, const addrinfo& address, Clock::time_point deadline) {
  const int flags = fcntl(fd, F_GETFL, 0);
  if (flags < 0 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) != 0) return false;
  if (connect(fd, address.ai_addr, address.ai_addrlen) == 0) return true;
  if (errno != EINPROGRESS) return false;
  if (!waitFor(fd, POLLOUT, deadline)) return false;
  int error = 0;
  socklen_t length = sizeof error;
  return getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
}

bool sendAll(int fd, const std::string& piece, Clock::time_point deadline) {
  size_t sent = 0;
  while (sent < piece.size()) {
    const ssize_t n = send(fd, piece.data() + sent, piece.size() - sent, MSG_NOSIGNAL);
    if (n >= 0) {
      sent += static_cast<size_t>(n);
    } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
      if (!waitFor(fd, POLLOUT, deadline)) return false;
    } else if (errno != EINTR) {
      return false;
    }
  }
  return true;
}

// Bytes read (> 0), 0 when the server closed the connection, -1 on an error or the time-out.
long receiveSome(int fd, char* buffer, size_t size, Clock::time_point deadline) {
  for (;;) {
    const ssize_t n = recv(fd, buffer, size, 0);
    if (n >= 0) return static_cast<long>(n);
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      if (!waitFor(fd, POLLIN, deadline)) return -1;
    } else if (errno != EINTR) {
      return -1;
    }
  }
}

// Reads the header up to its empty line. True only for a complete header with " 200 " in it.
bool readHeader(int fd, Clock::time_point deadline) {
  bool statusOk = false;
  std::string line;
  size_t lineCount = 0; // characters of the line that are neither CR nor LF
  for (size_t total = 0; total < kMaxUpdateHeaderBytes; ++total) {
    char c = 0;
    if (receiveSome(fd, &c, 1, deadline) != 1) return false;
    if (c == '\n') {
      if (lineCount == 0) return statusOk;
      if (line.find(" 200 ") != std::string::npos) statusOk = true;
      line.clear();
      lineCount = 0;
      continue;
    }
    line += c;
    if (c != '\r') ++lineCount;
  }
  return false;
}

// The body up to the server's close; false when the answer broke off instead.
bool readBody(int fd, Clock::time_point deadline, std::string& body) {
  char buffer[1024];
  while (body.size() < kMaxUpdateBodyBytes) {
    const size_t room = std::min(sizeof buffer - 1, kMaxUpdateBodyBytes - body.size());
    const long n = receiveSome(fd, buffer, room, deadline);
    if (n == 0) return true;
    if (n < 0) return false;
    body.append(buffer, static_cast<size_t>(n));
  }
  return true;
}

} // namespace

std::string updateRequest(const std::string& host) {
  std::string request;
  for (const std::string& piece : requestPieces(host))
    request += piece;
  return request;
}

UpdateCheckResult checkForUpdate(const std::string& host, int port, double ownVersion,
                                 int timeLimitMs, NameLookup lookup) {
  UpdateCheckResult result;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeLimitMs);
  AddressList addresses;
  if (!host.empty()) addresses.list = lookUpBefore(lookup, host, port, deadline);
  if (!addresses.list) {
    result.code = kUpdateNoHost;
    return result;
  }

  int fd = -1;
  bool madeSocket = false;
  for (const addrinfo* a = addresses.list; a && fd < 0; a = a->ai_next) {
    const int candidate = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (candidate < 0) continue;
    madeSocket = true;
    if (connectBefore(candidate, *a, deadline)) {
      fd = candidate;
    } else {
      close(candidate);
    }
  }
  if (fd < 0) {
    result.code = madeSocket ? kUpdateNoConnection : kUpdateNoSocket;
    return result;
  }
  SocketHandle socketHandle(fd);

  for (const std::string& piece : requestPieces(host)) {
    if (!sendAll(fd, piece, deadline)) break; // the answer, or its absence, decides
  }

  std::string body;
  if (!readHeader(fd, deadline) || !readBody(fd, deadline, body)) {
    result.code = kUpdateReadError;
    return result;
  }
  result.version = parseNumber(body);
  if (!std::isfinite(result.version)) result.version = 0.0;
  result.code = result.version - ownVersion > 0.009 ? kUpdateNewVersion : kUpdateCurrent;
  return result;
}

} // namespace orbala
