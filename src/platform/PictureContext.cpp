#include "platform/PictureContext.h"

#include <X11/Xlib.h>
#include <dlfcn.h>
#include <epoxy/egl.h>

#include <cstring>
#include <vector>

namespace {

bool hasWord(const char* list, const char* word) {
  if (!list) return false;
  const size_t n = std::strlen(word);
  for (const char* at = std::strstr(list, word); at; at = std::strstr(at + 1, word))
    if ((at == list || at[-1] == ' ') && (at[n] == ' ' || at[n] == '\0')) return true;
  return false;
}

// A compatibility context (the viewer draws with the fixed pipeline) with no surface: pictures
// go to framebuffer objects.
EGLContext contextOn(EGLDisplay display) {
  EGLint major = 0, minor = 0;
  if (!eglInitialize(display, &major, &minor)) return EGL_NO_CONTEXT;
  const char* extensions = eglQueryString(display, EGL_EXTENSIONS);
  if (!hasWord(extensions, "EGL_KHR_surfaceless_context") || !eglBindAPI(EGL_OPENGL_API)) {
    eglTerminate(display);
    return EGL_NO_CONTEXT;
  }
  EGLConfig config = EGL_NO_CONFIG_KHR;
  if (!hasWord(extensions, "EGL_KHR_no_config_context")) {
    const EGLint wanted[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_SURFACE_TYPE, EGL_PBUFFER_BIT,
                             EGL_NONE};
    EGLint found = 0;
    if (!eglChooseConfig(display, wanted, &config, 1, &found) || found < 1) {
      eglTerminate(display);
      return EGL_NO_CONTEXT;
    }
  }
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
  if (context != EGL_NO_CONTEXT && eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, context))
    return context;
  if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
  eglTerminate(display);
  return EGL_NO_CONTEXT;
}

// GPUs the driver lists as devices with a DRM node; software devices are left to the
// surfaceless platform, which falls back to them on its own.
std::vector<EGLDeviceEXT> hardwareDevices(const char* clientExtensions) {
  std::vector<EGLDeviceEXT> found;
  if (!hasWord(clientExtensions, "EGL_EXT_device_enumeration") ||
      !hasWord(clientExtensions, "EGL_EXT_platform_device"))
    return found;
  EGLDeviceEXT devices[16];
  EGLint count = 0;
  if (!eglQueryDevicesEXT(16, devices, &count)) return found;
  for (EGLint i = 0; i < count; ++i)
    if (hasWord(eglQueryDeviceStringEXT(devices[i], EGL_EXTENSIONS), "EGL_EXT_device_drm"))
      found.push_back(devices[i]);
  return found;
}

} // namespace

PictureContext::~PictureContext() {
  close();
}

bool PictureContext::openEgl(std::string& why) {
  // libepoxy ends the process when it cannot load libEGL; look first.
  if (!dlopen("libEGL.so.1", RTLD_LAZY | RTLD_GLOBAL)) {
    why = "there is no EGL library";
    return false;
  }
  const char* client = eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS);
  std::vector<EGLDisplay> displays;
  for (EGLDeviceEXT device : hardwareDevices(client))
    displays.push_back(eglGetPlatformDisplayEXT(EGL_PLATFORM_DEVICE_EXT, device, nullptr));
  if (hasWord(client, "EGL_MESA_platform_surfaceless"))
    displays.push_back(
        eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr));
  for (EGLDisplay candidate : displays) {
    if (candidate == EGL_NO_DISPLAY) continue;
    const EGLContext made = contextOn(candidate);
    if (made == EGL_NO_CONTEXT) continue;
    display = candidate;
    context = made;
    return true;
  }
  why = displays.empty() ? "EGL offers no GPU and no surfaceless display"
                         : "EGL gives no OpenGL context";
  return false;
}

PictureContext::Kind PictureContext::open(FXApp& app, const char* displayName, std::string& why) {
  std::string eglWhy;
  if (openEgl(eglWhy)) return Kind::Egl;
  if (app.openDisplay(displayName)) return Kind::X;
  const std::string name = XDisplayName(displayName);
  why = eglWhy + ", and " +
        (name.empty() ? std::string("no X display is set")
                      : "the X display \"" + name + "\" cannot be opened");
  return Kind::Failed;
}

void PictureContext::close() {
  if (!context) return;
  eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(display, context);
  eglTerminate(display);
  context = display = nullptr;
}
