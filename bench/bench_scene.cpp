// Figures for large tables: setting up the table, reading it into a scene, drawing one frame of
// N spheres in an 800 × 600 viewer (beside the same frame drawn with a GLU quadric per sphere),
// and the peak memory. Prints numbers only; run under a display (make bench uses xvfb-run).
#include <GL/gl.h>
#include <GL/glu.h>
#include <fx.h>
#include <fx3d.h>
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
#include "scene/GLObjects.h"
#include "table/Table_zk2.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
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
double frameSeconds(FXGLViewer* viewer) {
  if (!viewer->makeCurrent()) return -1.0;
  FXViewport port;
  viewer->getViewport(port);
  void (FXGLViewer::*drawWorld)(FXViewport&) = &ViewerAccess::drawWorld;
  const Clock::time_point start = Clock::now();
  (viewer->*drawWorld)(port);
  glFinish();
  const double seconds = secondsSince(start);
  viewer->swapBuffers();
  viewer->makeNonCurrent();
  return seconds;
}

double medianFrameSeconds(FXGLViewer* viewer, int frames) {
  std::vector<double> times;
  for (int i = 0; i < frames; ++i)
    times.push_back(frameSeconds(viewer));
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// The plain way of drawing a sphere: a GLU quadric created, tessellated and deleted per draw.
class QuadricSphere : public GLSphere_zk2 {
public:
  explicit QuadricSphere(const GLSphere_zk2& model) : GLSphere_zk2(model) {}

protected:
  void drawshape(FXGLViewer*) override {
    GLUquadricObj* quadric = gluNewQuadric();
    gluQuadricDrawStyle(quadric, GLU_FILL);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_CULL_FACE);
    gluSphere(quadric, radius, slices, stacks);
    gluDeleteQuadric(quadric);
  }
};

void useQuadricSpheres(FXGLGroup* group) {
  for (FXint i = 0; i < group->no(); ++i) {
    if (auto* sphere = dynamic_cast<GLSphere_zk2*>(group->child(i))) {
      group->replace(i, new QuadricSphere(*sphere));
      delete sphere;
    }
  }
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

  std::printf("viewer %d x %d, renderer %s\n", win->viewer->getWidth(), win->viewer->getHeight(),
              win->viewer->makeCurrent() ? reinterpret_cast<const char*>(glGetString(GL_RENDERER))
                                         : "none");
  win->viewer->makeNonCurrent();
  std::printf("%8s %10s %10s %12s %12s %12s %12s %7s %9s\n", "N", "setUp s", "fill s",
              "read+scene s", "rebuild s", "frame s", "quadric s", "ratio", "peak MiB");

  for (int n : {1000, 10000, 100000}) {
    Clock::time_point start = Clock::now();
    win->setUpTable(n);
    const double setUp = secondsSince(start);

    start = Clock::now();
    fillTable(win, n);
    const double fill = secondsSince(start);

    start = Clock::now();
    win->readTableAndRebuild(true);
    const double readAndBuild = secondsSince(start);

    start = Clock::now();
    win->rebuildScene();
    const double rebuild = secondsSince(start);

    frameSeconds(win->viewer); // settles the window size and compiles the shared mesh
    const int frames = n >= 100000 ? 1 : 3;
    const double frame = medianFrameSeconds(win->viewer, frames);

    useQuadricSpheres(win->sceneGroup);
    const double quadric = medianFrameSeconds(win->viewer, frames);
    win->rebuildScene();

    std::printf("%8d %10.3f %10.3f %12.3f %12.3f %12.4f %12.4f %7.1f %9ld\n", n, setUp, fill,
                readAndBuild, rebuild, frame, quadric, quadric / frame, peakMemoryMiB());
    std::fflush(stdout);
  }

  delete win;
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return 0;
}
