#pragma once
// Asks the maker's web server for the newest version number over one plain HTTP/1.0 request.
#include <cstddef>
#include <netdb.h>
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

// The bound on the whole check, name lookup included: a silent server or a name server that
// never answers costs no more than this.
constexpr int kUpdateTimeLimitMs = 10000;

// Looks a name up the way getaddrinfo does (0 on success; the list is freed with freeaddrinfo).
using NameLookup = int (*)(const char* host, const char* service, const addrinfo* hints,
                           addrinfo** result);

struct UpdateCheckResult {
  int code = kUpdateNoSocket;
  double version = 0.0; // the fetched version; 0 unless a body was read
};

// The request exactly as sent, in its four pieces joined.
std::string updateRequest(const std::string& host);

// One exchange with host:port. The answer counts only when its header holds " 200 " and ends
// with the empty line; its body is read as a number ("1.32"), 0 when it is none. Code 4 when
// that exceeds ownVersion by more than 0.009, else 5. Returns within about timeLimitMs, name
// lookup included: a lookup still running then is left to finish on its own thread. Blocks the
// calling thread; the socket is always closed.
UpdateCheckResult checkForUpdate(const std::string& host, int port, double ownVersion,
                                 int timeLimitMs = kUpdateTimeLimitMs,
                                 NameLookup lookup = ::getaddrinfo);

} // namespace orbala
