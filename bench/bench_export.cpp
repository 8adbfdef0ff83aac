// Process start to picture: `orbala --export` on molecules of 1,000 to 100,000 atoms, timed from
// outside as a script would run it, with its peak resident memory, beside the same export on an
// X display and matplotlib's scatter plot of the same atoms.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

// N atoms of C, H, O and N on a jittered cubic lattice, as the peers' timing scripts use.
void writeMolecule(const std::string& path, int n) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> jitter(-0.2, 0.2);
  const char* const symbols[] = {"C", "H", "O", "N"};
  int side = 1;
  while (side * side * side < n)
    ++side;
  std::ofstream out(path);
  out << n << "\nsynthetic\n";
  for (int i = 0; i < n; ++i) {
    const int x = i % side, y = (i / side) % side, z = i / (side * side);
    out << symbols[random() % 4] << ' ' << x * 1.5 + jitter(random) << ' '
        << y * 1.5 + jitter(random) << ' ' << z * 1.5 + jitter(random) << '\n';
  }
}

struct Run {
  int status = -1;
  double seconds = 0;
  long peakKiB = 0;
};

// How the export finds its GL: no display at all (EGL), or the X display with EGL's driver list
// pointed at nothing, as on a machine without EGL. Peers run as they are.
enum class Way { NoDisplay, X, AsIs };

Run runChild(const std::vector<std::string>& args, Way way) {
  Run run;
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    if (way == Way::NoDisplay) unsetenv("DISPLAY");
    if (way == Way::X) setenv("__EGL_VENDOR_LIBRARY_FILENAMES", "/nonexistent.json", 1);
    std::vector<char*> argv;
    for (const std::string& a : args)
      argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, 1);
    dup2(quiet, 2);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (child > 0 && wait4(child, &status, 0, &usage) == child) {
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.peakKiB = usage.ru_maxrss;
  }
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return run;
}

// The middle of three runs, after one to warm the file cache and the driver.
Run median(const std::vector<std::string>& args, Way way) {
  runChild(args, way);
  std::vector<Run> runs;
  for (int i = 0; i < 3; ++i)
    runs.push_back(runChild(args, way));
  std::sort(runs.begin(), runs.end(),
            [](const Run& a, const Run& b) { return a.seconds < b.seconds; });
  return runs[1];
}

bool matplotlibPresent() {
  return access("/usr/bin/python3", X_OK) == 0 &&
         std::system("/usr/bin/python3 -c 'import matplotlib' >/dev/null 2>&1") == 0;
}

std::string figure(const Run& run) {
  if (run.status != 0) return "    (failed)";
  char text[40];
  std::snprintf(text, sizeof text, "%6.3f %5.0f", run.seconds, run.peakKiB / 1024.0);
  return text;
}

} // namespace

int main() {
  char folder[] = "/tmp/orbala-bench-export-XXXXXX";
  if (!mkdtemp(folder)) return 1;
  // The user's own settings must not change what is measured.
  setenv("XDG_CONFIG_HOME", folder, 1);
  const bool haveX = getenv("DISPLAY") != nullptr;
  const bool haveMatplotlib = matplotlibPresent();
  std::printf("\norbala --export, process start to an 800 x 600 PNG: without a display (EGL), on "
              "the X display (Xvfb), and matplotlib's start to PNG (%s); seconds and peak MiB, "
              "middle of 3\n(goals: no slower than on X, 3x faster than matplotlib, peak memory at "
              "most X's; at 100,000 atoms 0.8 s and 150 MB)\n",
              MPL_SCRIPT);
  std::printf("%8s %18s %18s %18s %9s %9s\n", "atoms", "no display", "X display", "matplotlib",
              "X/none", "mpl/none");
  int failures = 0;
  for (int n : {1000, 10000, 100000}) {
    const std::string in = std::string(folder) + "/synth_" + std::to_string(n) + ".xyz";
    const std::string out = std::string(folder) + "/synth.png";
    writeMolecule(in, n);
    // A table as long as the molecule, as someone who plots such files keeps it.
    const std::string settings = std::string(folder) + "/Orbala";
    mkdir(settings.c_str(), 0700);
    std::ofstream(settings + "/Orbala.ini") << "<version>1.31\n<numRowsIni>" << n << "\n";
    const std::vector<std::string> orbala = {ORBALA_PROGRAM, "--export", out, in};
    const Run none = median(orbala, Way::NoDisplay);
    const Run x = haveX ? median(orbala, Way::X) : Run{};
    const Run mpl =
        haveMatplotlib ? median({"/usr/bin/python3", MPL_SCRIPT, in, out}, Way::AsIs) : Run{};
    failures += none.status != 0;
    const auto ratio = [&none](const Run& other) {
      return other.status == 0 && none.status == 0 ? other.seconds / none.seconds : 0.0;
    };
    std::printf("%8d %18s %18s %18s %8.2fx %8.2fx\n", n, figure(none).c_str(),
                haveX ? figure(x).c_str() : "(no X)",
                haveMatplotlib ? figure(mpl).c_str() : "(not installed)", ratio(x), ratio(mpl));
    std::remove(in.c_str());
    std::remove(out.c_str());
    std::remove((settings + "/Orbala.ini").c_str());
    rmdir(settings.c_str());
  }
  rmdir(folder);
  return failures ? 1 : 0;
}
