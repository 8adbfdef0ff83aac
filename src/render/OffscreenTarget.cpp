#include "render/OffscreenTarget.h"

#include <epoxy/gl.h>

#include <algorithm>

OffscreenTarget::~OffscreenTarget() {
  release();
}

bool OffscreenTarget::create(int w, int h) {
  release();
  if (w < 1 || h < 1) return false;
  const bool core = epoxy_gl_version() >= 30 || epoxy_has_gl_extension("GL_ARB_framebuffer_object");
  if (!core) return false;
  GLint largest = 0;
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
  GLint viewport[2] = {0, 0};
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
  if (w > largest || h > largest || w > viewport[0] || h > viewport[1]) return false;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
  glGenFramebuffers(1, &framebuffer);
  glGenRenderbuffers(1, &colour);
  glGenRenderbuffers(1, &depth);
  glBindRenderbuffer(GL_RENDERBUFFER, colour);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, w, h);
  glBindRenderbuffer(GL_RENDERBUFFER, depth);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, w, h);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, depth);
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE ||
      glGetError() != GL_NO_ERROR) {
    release();
    return false;
  }
  glDrawBuffer(GL_COLOR_ATTACHMENT0);
  glReadBuffer(GL_COLOR_ATTACHMENT0);
  width = w;
  height = h;
  return true;
}

bool OffscreenTarget::read(std::vector<std::uint32_t>& rgba) const {
  return read(width, height, rgba);
}

bool OffscreenTarget::read(int w, int h, std::vector<std::uint32_t>& rgba) const {
  if (!framebuffer || w < 1 || h < 1 || w > width || h > height) return false;
  glFinish();
  rgba.assign(static_cast<size_t>(w) * h, 0);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  return glGetError() == GL_NO_ERROR;
}

int OffscreenTarget::largestSide(int limit) {
  // 4096 x 4096 with depth is 128 MiB: larger pictures are drawn in tiles of that.
  constexpr int kMemoryBound = 4096;
  GLint largest = 0;
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
  GLint viewport[2] = {0, 0};
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
  int side = std::min({static_cast<int>(largest), static_cast<int>(viewport[0]),
                       static_cast<int>(viewport[1]), kMemoryBound});
  if (limit > 0) side = std::min(side, limit);
  return side;
}

void OffscreenTarget::release() {
  if (!framebuffer) return;
  glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(previous));
  glDeleteFramebuffers(1, &framebuffer);
  glDeleteRenderbuffers(1, &colour);
  glDeleteRenderbuffers(1, &depth);
  framebuffer = colour = depth = 0;
}
