#pragma once
// Running a file converter (Open Babel's obabel) as a child process: no shell, its output read
// through pipes, and a time limit after which it is stopped.
#include <string>
#include <vector>

namespace orbala::platform {

// The full path of an executable program of that name on PATH; empty when there is none.
std::string findProgram(const std::string& name);

struct ConverterRun {
  bool started = false;  // the program could be started
  bool timedOut = false; // stopped after the time limit
  bool tooLarge = false; // stopped because its output passed the limit
  int exitStatus = -1;   // the exit status when it ended by itself
  std::string output;    // standard output
  std::string errors;    // standard error
};

// Runs program with args (argv[1] on), standard input empty, for at most timeoutMs, keeping at
// most maxOutputBytes of standard output.
ConverterRun runConverter(const std::string& program, const std::vector<std::string>& args,
                          int timeoutMs, size_t maxOutputBytes);

} // namespace orbala::platform
