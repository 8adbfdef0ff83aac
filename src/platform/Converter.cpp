#include "platform/Converter.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace orbala::platform {

namespace {

// What standard error may hold: the error line is near its start.
constexpr size_t kMaxErrorBytes = 64 * 1024;

bool appendFrom(int fd, std::string& into, size_t limit, bool& overLimit) {
  char buffer[65536];
  const ssize_t n = read(fd, buffer, sizeof buffer);
  if (n < 0) return errno == EINTR || errno == EAGAIN;
  if (n == 0) return false;
  const size_t room = limit > into.size() ? limit - into.size() : 0;
  into.append(buffer, std::min(room, static_cast<size_t>(n)));
  if (static_cast<size_t>(n) > room) overLimit = true;
  return true;
}

} // namespace

std::string findProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (!path || name.empty() || name.find('/') != std::string::npos) return {};
  std::string dirs(path);
  for (size_t start = 0; start <= dirs.size();) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    const std::string dir = end > start ? dirs.substr(start, end - start) : ".";
    const std::string candidate = dir + "/" + name;
    struct stat info {};
    if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        access(candidate.c_str(), X_OK) == 0)
      return candidate;
    start = end + 1;
  }
  return {};
}

ConverterRun runConverter(const std::string& program, const std::vector<std::string>& args,
                          int timeoutMs, size_t maxOutputBytes) {
  ConverterRun run;
  int out[2], err[2];
  if (pipe2(out, O_CLOEXEC) != 0) return run;
  if (pipe2(err, O_CLOEXEC) != 0) {
    close(out[0]);
    close(out[1]);
    return run;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
  std::vector<std::string> argStore;
  argStore.push_back(program);
  argStore.insert(argStore.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argStore)
    argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  close(err[1]);
  if (failed) {
    close(out[0]);
    close(err[0]);
    return run;
  }
  run.started = true;

  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  bool outOpen = true, errOpen = true, errorsFull = false;
  while (outOpen || errOpen) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    if (left <= 0) {
      run.timedOut = true;
      break;
    }
    pollfd fds[2] = {{outOpen ? out[0] : -1, POLLIN, 0}, {errOpen ? err[0] : -1, POLLIN, 0}};
    const int ready = poll(fds, 2, static_cast<int>(left));
    if (ready < 0 && errno != EINTR) break;
    if (ready <= 0) continue;
    if (outOpen && (fds[0].revents & (POLLIN | POLLHUP | POLLERR)))
      outOpen = appendFrom(out[0], run.output, maxOutputBytes, run.tooLarge);
    if (errOpen && (fds[1].revents & (POLLIN | POLLHUP | POLLERR)))
      errOpen = appendFrom(err[0], run.errors, kMaxErrorBytes, errorsFull);
    if (run.tooLarge) break;
  }
  close(out[0]);
  close(err[0]);
  int status = 0;
  // A program that closed its output may still be running: it gets the rest of its time.
  while (!run.timedOut && !run.tooLarge) {
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid || (done < 0 && errno != EINTR)) break;
    if (std::chrono::steady_clock::now() >= deadline)
      run.timedOut = true;
    else
      usleep(5000);
  }
  if (run.timedOut || run.tooLarge) {
    kill(pid, SIGKILL);
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  if (!run.timedOut && !run.tooLarge && WIFEXITED(status)) run.exitStatus = WEXITSTATUS(status);
  return run;
}

} // namespace orbala::platform
