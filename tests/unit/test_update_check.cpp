// The update check's exchange, against a stand-in server on the loopback interface.
#include "io/core/UpdateCheck.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <tuple>

#include "../support/LoopbackServer.h"

namespace {

constexpr double kOwnVersion = 1.31;

std::string okAnswer(const std::string& body) {
  return "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" + body;
}

orbala::UpdateCheckResult ask(LoopbackServer& server, int timeLimitMs = 5000) {
  const auto result = orbala::checkForUpdate("127.0.0.1", server.port(), kOwnVersion, timeLimitMs);
  server.finish();
  return result;
}

// A name server that answers only once the test lets it.
struct {
  std::mutex mutex;
  std::condition_variable changed;
  bool released = false;
} stuckNameServer;

int stuckLookup(const char* host, const char* service, const addrinfo* hints, addrinfo** list) {
  std::unique_lock<std::mutex> lock(stuckNameServer.mutex);
  stuckNameServer.changed.wait(lock, [] { return stuckNameServer.released; });
  return getaddrinfo(host, service, hints, list);
}

} // namespace

TEST(UpdateCheck, ComparesTheServedVersionWithOurs) {
  const std::tuple<std::string, int, double> cases[] = {
      {okAnswer("1.32"), 4, 1.32},
      {okAnswer("1.315\r\n"), 5, 1.315}, // only 0.005 newer
      {okAnswer("\x1f\x8b\x08\x00 compressed"), 5, 0.0},
      {okAnswer(""), 5, 0.0},
      {"HTTP/1.0 200 OK\nServer: x\n\n  2.5", 4, 2.5}, // bare line feeds end the header too
      // Without a complete header holding " 200 " nothing is read.
      {"HTTP/1.0 500 Oops\r\nX-Note: 200\r\n\r\n1.50", 3, 0.0},
      {"HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n", 3, 0.0}, // closed early
      {"", 3, 0.0},
  };
  for (const auto& [answer, code, version] : cases) {
    LoopbackServer server(answer);
    const auto result = ask(server);
    EXPECT_EQ(result.code, code) << answer;
    EXPECT_DOUBLE_EQ(result.version, version) << answer;
  }

  LoopbackServer server(okAnswer("1.32"));
  ask(server);
  EXPECT_EQ(server.request(), "GET /version_QVD.txt HTTP/1.0\r\nAccept-Language: en-us\r\n"
                              "Accept-Encoding: gzip, deflate\r\nHost: 127.0.0.1\r\n\r\n");
}

TEST(UpdateCheck, StuckHostileOrMissingServersCannotHoldTheWindow) {
  // Accepts and never answers: the time limit ends the wait.
  LoopbackServer silent("", LoopbackServer::Mode::Silent);
  EXPECT_EQ(ask(silent, 200).code, orbala::kUpdateReadError);

  // The limit holds for the name lookup too; the late answer is dropped.
  EXPECT_EQ(orbala::checkForUpdate("localhost", 80, kOwnVersion, 100, stuckLookup).code,
            orbala::kUpdateNoHost);
  {
    std::lock_guard<std::mutex> lock(stuckNameServer.mutex);
    stuckNameServer.released = true;
  }
  stuckNameServer.changed.notify_all();

  // An endless header is cut at its cap instead of being collected.
  LoopbackServer header("HTTP/1.0 200 OK\r\nX-Pad: ", LoopbackServer::Mode::Flood, 'a');
  EXPECT_EQ(ask(header).code, orbala::kUpdateReadError);
  EXPECT_LT(header.sent(), LoopbackServer::kFloodLimit);

  // So is an endless body; its leading number still counts.
  LoopbackServer body(okAnswer("1.32"), LoopbackServer::Mode::Flood, '0');
  const auto result = ask(body);
  EXPECT_EQ(result.code, orbala::kUpdateNewVersion);
  EXPECT_DOUBLE_EQ(result.version, 1.32);
  EXPECT_LT(body.sent(), LoopbackServer::kFloodLimit);

  // No server, or no such host.
  EXPECT_EQ(orbala::checkForUpdate("127.0.0.1", unusedLoopbackPort(), kOwnVersion).code,
            orbala::kUpdateNoConnection);
  // An empty label is refused before any name server is asked.
  for (const char* host : {"unknown..host", ""})
    EXPECT_EQ(orbala::checkForUpdate(host, 80, kOwnVersion).code, orbala::kUpdateNoHost) << host;
}
