// Figures for large plots in an 800 × 600 viewer: reading the table into a scene, one step of
// the R slider, and one frame of N spheres drawn as impostors, as meshes and (up to 100,000)
// with a GLU quadric per sphere, the reference; then the peak memory. Prints numbers only; run
// under a display (make bench uses xvfb-run).
#include <fx.h>
#include <fx3d.h>
#include <GL/gl.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Orbala.h"
#include "render/SphereRenderer.h"
#include "scene/SceneGroup.h"
#include "table/Table_zk2.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// No boxes while measuring.
class QuietDialogs : public Dialogs {
public:
  void message(FXWindow*, BoxKind, const FXString&, const FXString&) override {}
  bool question(FXWindow*, const FXString&, const FXString&) override { return false; }
  bool chooseFile(FXWindow*, FileDialogRequest&) override { return false; }
};

// The viewer's own drawing, reached without a subclass: the viewer belongs to the window.
struct ViewerAccess : FXGLViewer {
  using FXGLViewer::drawWorld;
};

// One synchronous frame, finished by the GL before the clock stops.
double frameMs(FXGLViewer* viewer) {
  if (!viewer->makeCurrent()) return -1.0;
  FXViewport port;
  viewer->getViewport(port);
  void (FXGLViewer::*drawWorld)(FXViewport&) = &ViewerAccess::drawWorld;
  const Clock::time_point start = Clock::now();
  (viewer->*drawWorld)(port);
  glFinish();
  const double ms = msSince(start);
  viewer->swapBuffers();
  viewer->makeNonCurrent();
  return ms;
}

double medianFrameMs(FXGLViewer* viewer, int frames) {
  std::vector<double> times;
  for (int i = 0; i < frames; ++i)
    times.push_back(frameMs(viewer));
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// The same objects in a plain group: each sphere then draws itself as a GLU quadric.
double quadricFrameMs(Orbala* win, int frames) {
  FXGLGroup reference;
  for (FXint i = 0; i < win->sceneGroup->no(); ++i)
    reference.append(win->sceneGroup->child(i));
  win->viewer->setScene(&reference);
  const double ms = medianFrameMs(win->viewer, frames);
  win->viewer->setScene(win->sceneGroup);
  reference.clear(); // the objects belong to the scene group
  return ms;
}

// A click on the sphere in the middle of the group: the viewer's pick at its projected centre
// (median of three; the first pick of a run also sets up the GL's selection mode).
double pickMs(Orbala* win, bool& hit) {
  FXGLGroup* group = win->sceneGroup;
  FXGLObject* target = group->child(group->no() - 1 - (group->no() - 12) / 2);
  FXRangef box;
  target->bounds(box);
  FXint x = 0, y = 0;
  win->viewer->eyeToScreen(x, y, win->viewer->worldToEye(box.center()));
  std::vector<double> times;
  for (int i = 0; i < 3; ++i) {
    const Clock::time_point start = Clock::now();
    hit = win->viewer->pick(x, y) != nullptr;
    times.push_back(msSince(start));
  }
  std::sort(times.begin(), times.end());
  return times[1];
}

long peakMemoryMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

// Makes the viewer exactly w × h by growing or shrinking the whole window.
void sizeViewer(FXApp& app, Orbala* win, FXint w, FXint h) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    app.flush(TRUE);
    app.runWhileEvents();
    win->layout();
    const FXint dw = w - win->viewer->getWidth();
    const FXint dh = h - win->viewer->getHeight();
    if (dw == 0 && dh == 0) return;
    win->resize(win->getWidth() + dw, win->getHeight() + dh);
  }
}

// Points spread over a cube so that most spheres are in view and overlap like a dense plot.
void fillTable(Orbala* win, int n) {
  unsigned seed = 12345u;
  auto next = [&seed]() {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 8) % 2001) - 1000;
  };
  char text[32];
  for (int r = 0; r < n; ++r) {
    for (int c = 1; c <= 3; ++c) {
      std::snprintf(text, sizeof text, "%d.%02d", next() / 10, std::abs(next()) % 100);
      win->table->setItemText(r, c, text);
    }
    for (int c = 4; c <= 6; ++c) {
      std::snprintf(text, sizeof text, "%d", std::abs(next()) % 256);
      win->table->setItemText(r, c, text);
    }
  }
}

} // namespace

int main(int argc, char** argv) {
  char folder[] = "/tmp/orbala-bench-XXXXXX";
  if (!mkdtemp(folder)) return 1;
  setenv("XDG_CONFIG_HOME", folder, 1);

  FXApp app("Orbala", "Tellmark");
  app.init(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  app.create();

  OrbalaEnvironment env;
  env.settingsPath = (std::string(folder) + "/Orbala.ini").c_str();
  env.dialogs = new QuietDialogs;
  env.openBrowser = [](const std::string&) {};
  auto* win = new Orbala(&app, env);
  app.removeTimeout(win, Orbala::ID_STARTUP);
  win->create();
  win->handle(nullptr, FXSEL(SEL_COMMAND, Orbala::ID_HIDE_TABLE), nullptr);
  sizeViewer(app, win, 800, 600);
  win->colorPoints = true;
  win->syncSphereColorRadios();
  win->sphereRadiusSlider->setValue(40);
  orbala::render::SphereRenderer& renderer = static_cast<SceneGroup*>(win->sceneGroup)->spheres();

  std::printf("viewer %d x %d, renderer %s\n", win->viewer->getWidth(), win->viewer->getHeight(),
              win->viewer->makeCurrent() ? reinterpret_cast<const char*>(glGetString(GL_RENDERER))
                                         : "none");
  win->viewer->makeNonCurrent();
  std::printf("times in ms; a frame is drawn and finished by the GL (median of 3, of 1 from "
              "1,000,000); R step: the slider's handler, 1st frame: the frame after it; pick: a "
              "click on a sphere (? if it found none)\n");
  std::printf("%9s %8s %8s %9s %8s %8s %8s %8s %8s %8s %9s\n", "N", "read", "R step", "1st frame",
              "impostor", "close", "mesh", "quadric", "q/imp", "pick", "peak MiB");

  double frame100k = -1.0, frame1m = -1.0, step100k = -1.0;
  // Sizes may be given on the command line; all four by default.
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i)
    if (std::atoi(argv[i]) > 0) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {1000, 10000, 100000, 1000000};
  for (int n : sizes) {
    win->setUpTable(n);
    fillTable(win, n);
    Clock::time_point start = Clock::now();
    win->readTableAndRebuild(true);
    const double read = msSince(start);
    frameMs(win->viewer); // settles the window size and fills the buffers

    // One step of the R slider, as the user drags it: the whole scene is built again.
    win->sphereRadiusSlider->setValue(win->sphereRadiusSlider->getValue() + 1);
    start = Clock::now();
    win->handle(win->sphereRadiusSlider, FXSEL(SEL_COMMAND, Orbala::ID_SPHERE_RADIUS), nullptr);
    const double step = msSince(start);
    const double firstFrame = frameMs(win->viewer);

    const int frames = n >= 1000000 ? 1 : 3;
    const double impostor = medianFrameMs(win->viewer, frames);
    // Close up on big spheres: hundreds of pixels wide, mostly hiding each other.
    const FXint radius = win->sphereRadiusSlider->getValue();
    const FXdouble zoom = win->viewer->getZoom();
    win->sphereRadiusSlider->setValue(radius * 10);
    win->handle(win->sphereRadiusSlider, FXSEL(SEL_COMMAND, Orbala::ID_SPHERE_RADIUS), nullptr);
    win->viewer->setZoom(zoom * 8.0);
    frameMs(win->viewer);
    const double close = medianFrameMs(win->viewer, frames);
    win->viewer->setZoom(zoom);
    win->sphereRadiusSlider->setValue(radius);
    win->handle(win->sphereRadiusSlider, FXSEL(SEL_COMMAND, Orbala::ID_SPHERE_RADIUS), nullptr);
    renderer.setForceMesh(true);
    const double mesh = medianFrameMs(win->viewer, frames);
    renderer.setForceMesh(false);
    const double quadric = n <= 100000 ? quadricFrameMs(win, frames) : 0.0;
    bool hit = false;
    const double pick = pickMs(win, hit);

    std::printf("%9d %8.1f %8.1f %9.1f %8.1f %8.1f %8.1f ", n, read, step, firstFrame, impostor,
                close, mesh);
    if (quadric > 0.0) {
      std::printf("%8.1f %8.1f", quadric, quadric / impostor);
    } else {
      std::printf("%8s %8s", "-", "-");
    }
    std::printf(" %7.1f%s %9ld\n", pick, hit ? " " : "?", peakMemoryMiB());
    std::fflush(stdout);
    if (n == 100000) {
      frame100k = impostor;
      step100k = step;
    }
    if (n == 1000000) frame1m = impostor;
  }
  const auto verdict = [](double ms, double goal) {
    return ms < 0.0 ? "not run" : ms <= goal ? "met" : "missed";
  };
  std::printf("goals: 100,000 impostors <= 66 ms (%s), 1,000,000 <= 500 ms (%s), R step at "
              "100,000 <= 50 ms (%s); sphere path %s\n",
              verdict(frame100k, 66.0), verdict(frame1m, 500.0), verdict(step100k, 50.0),
              renderer.path() == orbala::render::SpherePath::Impostor ? "impostor" : "mesh");

  delete win;
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
