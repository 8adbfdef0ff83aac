#pragma once
// A benchmark case in a process of its own, so that its peak memory is its own.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

extern char** environ;

struct CaseRun {
  bool started = false;
  bool succeeded = false; // exited with 0
  long peakMiB = 0;
};

// Runs `self` with `args`, handing each line it prints to `onLine` as it comes.
inline CaseRun runCaseProcess(const char* self, const std::vector<std::string>& args,
                              const std::function<void(const char*)>& onLine) {
  CaseRun run;
  int out[2];
  if (pipe(out) != 0) return run;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::vector<char*> argv = {const_cast<char*>(self)};
  for (const std::string& arg : args)
    argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, self, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  if (failed) {
    close(out[0]);
    return run;
  }
  run.started = true;
  FILE* child = fdopen(out[0], "r");
  char line[256];
  while (std::fgets(line, sizeof line, child))
    onLine(line);
  std::fclose(child);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  run.peakMiB = usage.ru_maxrss / 1024;
  run.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return run;
}
