#pragma once
// Asks the maker's web server for the newest version number over one plain HTTP/1.0 request.
#include <cstddef>
#include <string>

namespace orbala {

// The text file on the server whose body is the newest version number.
constexpr const char* kUpdatePath = "/version_QVD.txt";
// A real answer is a few hundred bytes; anything larger is not worth reading.
constexpr size_t kMaxUpdateHeaderBytes = 16 * 1024;
constexpr size_t kMaxUpdateBodyBytes = 4 * 1024;

// The result codes of the exchange.
enum UpdateCode {
  kUpdateNoSocket = 0,
  kUpdateNoHost = 1,
  kUpdateNoConnection = 2,
  kUpdateReadError = 3,
  kUpdateNewVersion = 4,
  kUpdateCurrent = 5,
};

struct UpdateTimeouts {
  int connectMs = 10000;
  // For the whole answer, so a server trickling bytes cannot hold the window either.
  int receiveMs = 10000;
};

struct UpdateCheckResult {
  int code = kUpdateNoSocket;
  double version = 0.0; // the fetched version; 0 unless a body was read
};

// The request exactly as sent, in its four pieces joined.
std::string updateRequest(const std::string& host);

// One exchange with host:port. The answer counts only when its header holds " 200 " and ends
// with the empty line; its body is read as a number ("1.32"), 0 when it is none. Code 4 when
// that exceeds ownVersion by more than 0.009, else 5. Blocks for at most about the two
// time-outs (name resolution aside); the socket is always closed.
UpdateCheckResult checkForUpdate(const std::string& host, int port, double ownVersion,
                                 const UpdateTimeouts& timeouts = UpdateTimeouts());

} // namespace orbala
