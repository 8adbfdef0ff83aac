// Process start to picture: `orbala --export` on molecules of 1,000 to 100,000 atoms, timed from
// outside as a script would run it, with its peak resident memory.
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

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

Run exportPicture(const std::string& in, const std::string& out) {
  Run run;
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execl(ORBALA_PROGRAM, ORBALA_PROGRAM, "--export", out.c_str(), in.c_str(),
          static_cast<char*>(nullptr));
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

} // namespace

int main() {
  char folder[] = "/tmp/orbala-bench-export-XXXXXX";
  if (!mkdtemp(folder)) return 1;
  // The user's own settings must not change what is measured.
  setenv("XDG_CONFIG_HOME", folder, 1);
  std::printf("\norbala --export, process start to an 800 x 600 PNG (goal at 100,000 atoms: "
              "0.8 s, 150 MB; matplotlib 1.5 s, PyMOL 2.0 s, Jmol 3.6 s)\n");
  std::printf("%10s %10s %12s\n", "atoms", "wall s", "peak MiB");
  int failures = 0;
  for (int n : {1000, 10000, 100000}) {
    const std::string in = std::string(folder) + "/synth_" + std::to_string(n) + ".xyz";
    const std::string out = std::string(folder) + "/synth.png";
    writeMolecule(in, n);
    // A table as long as the molecule, as someone who plots such files keeps it.
    const std::string settings = std::string(folder) + "/Orbala";
    mkdir(settings.c_str(), 0700);
    std::ofstream(settings + "/Orbala.ini") << "<version>1.31\n<numRowsIni>" << n << "\n";
    exportPicture(in, out); // once to warm the file cache and the driver
    const Run run = exportPicture(in, out);
    failures += run.status != 0;
    std::printf("%10d %10.3f %12.1f%s\n", n, run.seconds, run.peakKiB / 1024.0,
                run.status == 0 ? "" : "  (failed)");
    std::remove(in.c_str());
    std::remove(out.c_str());
    std::remove((settings + "/Orbala.ini").c_str());
    rmdir(settings.c_str());
  }
  rmdir(folder);
  return failures ? 1 : 0;
}
