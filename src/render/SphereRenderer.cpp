#include "render/SphereRenderer.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <mutex>

#include "render/SphereShaders.h"
#include "render/core/SphereDetail.h"

namespace orbala::render {

namespace {

constexpr int meshSubdivisions = 40;
constexpr double pi = 3.14159265358979323846;

// One sphere of the point buffer; a quad repeats it at its four corners.
struct PointVertex {
  float sphere[4];
  std::uint8_t colour[4];
};
struct QuadVertex {
  float sphere[4];
  std::uint8_t colour[4];
  std::int8_t corner[2];
  std::int8_t pad[2];
};

std::uint8_t toByte(float v) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

PointVertex pointVertex(const SphereArrays& s, size_t i) {
  PointVertex v{};
  std::memcpy(v.sphere, &s.centres[3 * i], 3 * sizeof(float));
  v.sphere[3] = s.radii[i];
  for (int c = 0; c < 3; ++c)
    v.colour[c] = toByte(s.colours[3 * i + c]);
  v.colour[3] = toByte(s.alphas[i]);
  return v;
}

// The reason the impostors are not drawn goes to stderr once per run, not once per window.
void sayWhyMeshes(const std::string& why) {
  static bool said = false;
  if (said) return;
  said = true;
  std::fprintf(stderr, "Orbala: spheres are drawn as meshes: %s\n", why.c_str());
}

bool glslAtLeast120() {
  const char* text = reinterpret_cast<const char*>(glGetString(GL_SHADING_LANGUAGE_VERSION));
  int major = 0, minor = 0;
  return text && std::sscanf(text, "%d.%d", &major, &minor) == 2 &&
         (major > 1 || (major == 1 && minor >= 20));
}

unsigned compile(GLenum kind, const std::string& source, std::string& why) {
  const GLuint shader = glCreateShader(kind);
  const char* text = source.c_str();
  glShaderSource(shader, 1, &text, nullptr);
  glCompileShader(shader);
  GLint ok = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok) return shader;
  char log[512] = "";
  glGetShaderInfoLog(shader, sizeof log, nullptr, log);
  why = std::string("a sphere shader did not compile: ") + log;
  while (!why.empty() && (why.back() == '\n' || why.back() == ' '))
    why.pop_back();
  std::replace(why.begin(), why.end(), '\n', ' ');
  glDeleteShader(shader);
  return 0;
}

void setMatrix(int location, const Mat4& m) {
  GLfloat f[16];
  for (int i = 0; i < 16; ++i)
    f[i] = static_cast<GLfloat>(m[i]);
  glUniformMatrix4fv(location, 1, GL_FALSE, f);
}

} // namespace

SphereRenderer::SphereRenderer() {}

SphereRenderer::~SphereRenderer() {}

void SphereRenderer::setSpheres(SphereArrays spheres) {
  spheres_ = std::move(spheres);
  pointBufferFilled_ = false;
  quadBufferFilled_ = false;
}

SpherePath SphereRenderer::path() const {
  return impostors_ && !forceMesh_ ? SpherePath::Impostor : SpherePath::Mesh;
}

void SphereRenderer::forgetGl() {
  glChecked_ = impostors_ = false;
  for (auto& byLight : programs_)
    byLight[0] = byLight[1] = Program{};
  pointBuffer_ = quadBuffer_ = 0;
  pointBufferFilled_ = quadBufferFilled_ = false;
}

void SphereRenderer::releaseGl() {
  if (impostors_) {
    for (auto& byLight : programs_)
      for (const Program& p : byLight)
        if (p.id) glDeleteProgram(p.id);
    const GLuint buffers[2] = {pointBuffer_, quadBuffer_};
    glDeleteBuffers(2, buffers);
  }
  forgetGl();
}

const SphereRenderer::Program* SphereRenderer::program(SphereProgramKind kind, bool positional,
                                                       std::string& why) {
  Program& program = programs_[static_cast<int>(kind)][positional ? 1 : 0];
  if (program.id) return &program;
  const GLuint vs = compile(GL_VERTEX_SHADER, sphereVertexShader(kind, positional), why);
  const GLuint fs =
      vs ? compile(GL_FRAGMENT_SHADER, sphereFragmentShader(kind, positional), why) : 0;
  if (!fs) {
    if (vs) glDeleteShader(vs);
    return nullptr;
  }
  const GLuint id = glCreateProgram();
  glAttachShader(id, vs);
  glAttachShader(id, fs);
  glBindAttribLocation(id, attributeSphere, "sphere");
  glBindAttribLocation(id, attributeColour, "colour");
  if (kind != SphereProgramKind::Points) glBindAttribLocation(id, attributeCorner, "corner");
  glLinkProgram(id);
  glDeleteShader(vs);
  glDeleteShader(fs);
  GLint ok = GL_FALSE;
  glGetProgramiv(id, GL_LINK_STATUS, &ok);
  if (!ok) {
    why = "the sphere shaders did not link";
    glDeleteProgram(id);
    return nullptr;
  }
  program.id = id;
  const auto at = [id](const char* name) { return glGetUniformLocation(id, name); };
  program.modelview = at("modelview");
  program.projection = at("projection");
  program.combined = at("combined");
  program.viewport = at("viewport");
  program.scale = at("scale");
  program.pixelScale = at("pixelScale");
  program.depthScale = at("depthScale");
  program.aspect = at("aspect");
  program.depthPerPixel = at("depthPerPixel");
  program.lightPosition = at("lightPosition");
  program.lightDirection = at("lightDirection");
  program.halfVector = at("halfVector");
  program.ambientLight = at("ambientLight");
  program.diffuseLight = at("diffuseLight");
  program.specularLight = at("specularLight");
  return &program;
}

bool SphereRenderer::setUpImpostors(std::string& why) {
  if (epoxy_gl_version() < 20) {
    why = "OpenGL 2.0 is not there";
    return false;
  }
  if (!glslAtLeast120()) {
    why = "GLSL 1.20 is not there";
    return false;
  }
  // The other kinds are built when a frame first needs them: each costs megabytes in a software
  // GL. This one shows that shaders work here at all.
  if (!program(SphereProgramKind::Points, false, why)) {
    releaseGl();
    return false;
  }
  GLfloat range[2] = {1.0f, 1.0f};
  glGetFloatv(GL_ALIASED_POINT_SIZE_RANGE, range);
  maxPointSize_ = range[1];
  GLuint buffers[2] = {0, 0};
  glGenBuffers(2, buffers);
  pointBuffer_ = buffers[0];
  quadBuffer_ = buffers[1];
  // Software GL builds its bins for each frame anew; handing those pages back to the kernel
  // after every frame and faulting them in again costs as much as the drawing itself.
  static std::once_flag keepHeap;
  std::call_once(keepHeap, [] { mallopt(M_TRIM_THRESHOLD, 256 << 20); });
  return true;
}

// Filled in slices rather than from one copy of the whole buffer, which would stay in the heap.
template <typename Vertex, typename Make>
void fillBuffer(unsigned buffer, size_t count, Make make) {
  constexpr size_t slice = 8192;
  std::vector<Vertex> data(std::min(count, slice));
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count * sizeof(Vertex)), nullptr,
               GL_STATIC_DRAW);
  for (size_t first = 0; first < count; first += slice) {
    const size_t n = std::min(slice, count - first);
    for (size_t i = 0; i < n; ++i)
      data[i] = make(first + i);
    glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(first * sizeof(Vertex)),
                    static_cast<GLsizeiptr>(n * sizeof(Vertex)), data.data());
  }
}

void SphereRenderer::fillPointBuffer() {
  fillBuffer<PointVertex>(pointBuffer_, spheres_.size(),
                          [this](size_t i) { return pointVertex(spheres_, i); });
  pointBufferFilled_ = true;
}

void SphereRenderer::fillQuadBuffer() {
  static const std::int8_t corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  fillBuffer<QuadVertex>(quadBuffer_, 4 * spheres_.size(), [this](size_t v) {
    const PointVertex p = pointVertex(spheres_, v / 4);
    QuadVertex q{};
    std::memcpy(q.sphere, p.sphere, sizeof q.sphere);
    std::memcpy(q.colour, p.colour, sizeof q.colour);
    q.corner[0] = corners[v % 4][0];
    q.corner[1] = corners[v % 4][1];
    return q;
  });
  quadBufferFilled_ = true;
}

void SphereRenderer::draw(const Camera& camera, const Light& light) {
  if (spheres_.size() == 0) return;
  // A context made anew (at the same address) knows none of the old objects.
  if (impostors_ && !glIsProgram(programs_[0][0].id)) forgetGl();
  if (!glChecked_) {
    glChecked_ = true;
    std::string why;
    impostors_ = setUpImpostors(why);
    if (!impostors_) sayWhyMeshes(why);
  }
  // Program and buffer bindings are not on the attribute stacks; they exist from OpenGL 2.0.
  GLint program = 0, arrayBuffer = 0, elementBuffer = 0;
  const bool restore = impostors_;
  if (restore) {
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &arrayBuffer);
    glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &elementBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  }
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_LIGHTING_BIT |
               GL_CURRENT_BIT | GL_TRANSFORM_BIT | GL_POINT_BIT | GL_POLYGON_BIT);
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glEnable(GL_DEPTH_TEST);
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
  // Alpha adds up as coverage does, so a picture drawn over a clear background keeps each
  // sphere's own alpha.
  glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  if (path() != SpherePath::Impostor || !drawImpostors(camera, light)) drawMeshes(camera, light);
  glPopClientAttrib();
  glPopAttrib();
  if (restore) {
    glUseProgram(program);
    glBindBuffer(GL_ARRAY_BUFFER, arrayBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, elementBuffer);
  }
}

bool SphereRenderer::useProgram(SphereProgramKind kind, const Camera& camera, const Light& light) {
  const bool positional = light.position[3] != 0.0f;
  std::string why;
  const Program* p = program(kind, positional, why);
  if (!p) return false;
  glUseProgram(p->id);
  const Mat4& proj = camera.projection;
  const double scale = modelviewScale(camera);
  const double across = scale * proj[0] * 0.5 * camera.viewport[2];
  const double up = scale * proj[5] * 0.5 * camera.viewport[3];
  setMatrix(p->modelview, camera.modelview);
  setMatrix(p->projection, proj);
  setMatrix(p->combined, multiply(proj, camera.modelview));
  glUniform4f(p->viewport, camera.viewport[0], camera.viewport[1], camera.viewport[2],
              camera.viewport[3]);
  glUniform1f(p->scale, static_cast<float>(scale));
  glUniform2f(p->pixelScale, static_cast<float>(across), static_cast<float>(up));
  glUniform1f(p->depthScale, static_cast<float>(scale * proj[10]));
  glUniform1f(p->aspect, static_cast<float>(across != 0.0 ? up / across : 1.0));
  glUniform1f(p->depthPerPixel, static_cast<float>(across != 0.0 ? scale * proj[10] / across : 0));
  glUniform4fv(p->lightPosition, 1, light.position);
  const double lx = light.position[0], ly = light.position[1], lz = light.position[2];
  const double ll = std::sqrt(lx * lx + ly * ly + lz * lz);
  const double l[3] = {ll > 0 ? lx / ll : 0.0, ll > 0 ? ly / ll : 0.0, ll > 0 ? lz / ll : 1.0};
  const double hl = std::sqrt(l[0] * l[0] + l[1] * l[1] + (l[2] + 1) * (l[2] + 1));
  glUniform3f(p->lightDirection, float(l[0]), float(l[1]), float(l[2]));
  glUniform3f(p->halfVector, float(hl > 0 ? l[0] / hl : 0), float(hl > 0 ? l[1] / hl : 0),
              float(hl > 0 ? (l[2] + 1) / hl : 1));
  glUniform3f(p->ambientLight, 0.25f * (light.sceneAmbient[0] + light.ambient[0]),
              0.25f * (light.sceneAmbient[1] + light.ambient[1]),
              0.25f * (light.sceneAmbient[2] + light.ambient[2]));
  glUniform3fv(p->diffuseLight, 1, light.diffuse);
  glUniform3fv(p->specularLight, 1, light.specular);
  return true;
}

bool SphereRenderer::drawImpostors(const Camera& camera, const Light& light) {
  planFrame(spheres_, camera, maxPointSize_, plan_);
  const SphereProgramKind quads =
      isOrthographic(camera) ? SphereProgramKind::Quads : SphereProgramKind::Perspective;
  const bool positional = light.position[3] != 0.0f;
  // Every program this frame needs is built before anything is drawn, so a program that fails
  // turns the whole frame, and those after it, to meshes.
  std::string why;
  const bool anyQuads = !plan_.quads.empty() || !plan_.pieces.empty() || !plan_.translucent.empty();
  if ((!plan_.points.empty() && !program(SphereProgramKind::Points, positional, why)) ||
      (anyQuads && !program(quads, positional, why))) {
    sayWhyMeshes(why);
    releaseGl();
    glChecked_ = true; // and impostors_ stays false
    return false;
  }
  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHTING);
  glEnableVertexAttribArray(attributeSphere);
  glEnableVertexAttribArray(attributeColour);
  if (!plan_.points.empty() && useProgram(SphereProgramKind::Points, camera, light)) {
    if (!pointBufferFilled_) fillPointBuffer();
    glEnable(GL_VERTEX_PROGRAM_POINT_SIZE);
    glDisable(GL_POINT_SMOOTH);
    glBindBuffer(GL_ARRAY_BUFFER, pointBuffer_);
    glVertexAttribPointer(attributeSphere, 4, GL_FLOAT, GL_FALSE, sizeof(PointVertex), nullptr);
    glVertexAttribPointer(attributeColour, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(PointVertex),
                          reinterpret_cast<const void*>(offsetof(PointVertex, colour)));
    glDrawElements(GL_POINTS, static_cast<GLsizei>(plan_.points.size()), GL_UNSIGNED_INT,
                   plan_.points.data());
  }
  const bool whole = !plan_.quads.empty() || !plan_.translucent.empty();
  if ((whole || !plan_.pieces.empty()) && useProgram(quads, camera, light)) {
    glEnableVertexAttribArray(attributeCorner);
    if (whole && !quadBufferFilled_) fillQuadBuffer();
    if (!plan_.quads.empty()) {
      useQuadBuffer();
      drawQuads(plan_.quads);
    }
    drawPieces();
    if (!plan_.translucent.empty()) {
      useQuadBuffer();
      glEnable(GL_BLEND);
      drawQuads(plan_.translucent);
    }
    glDisableVertexAttribArray(attributeCorner);
  }
  glDisableVertexAttribArray(attributeSphere);
  glDisableVertexAttribArray(attributeColour);
  return true;
}

void SphereRenderer::useQuadBuffer() {
  glBindBuffer(GL_ARRAY_BUFFER, quadBuffer_);
  glVertexAttribPointer(attributeSphere, 4, GL_FLOAT, GL_FALSE, sizeof(QuadVertex), nullptr);
  glVertexAttribPointer(attributeColour, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(QuadVertex),
                        reinterpret_cast<const void*>(offsetof(QuadVertex, colour)));
  glVertexAttribPointer(attributeCorner, 2, GL_BYTE, GL_FALSE, sizeof(QuadVertex),
                        reinterpret_cast<const void*>(offsetof(QuadVertex, corner)));
}

// Few and different every frame: from the client's memory rather than a buffer object.
void SphereRenderer::drawPieces() {
  if (plan_.pieces.empty()) return;
  pieceVertices_.resize(4 * plan_.pieces.size());
  for (size_t i = 0; i < plan_.pieces.size(); ++i) {
    const QuadPiece& piece = plan_.pieces[i];
    const PointVertex p = pointVertex(spheres_, piece.index);
    const float corners[4][2] = {{piece.left, piece.bottom},
                                 {piece.right, piece.bottom},
                                 {piece.right, piece.top},
                                 {piece.left, piece.top}};
    for (int k = 0; k < 4; ++k) {
      PieceVertex& v = pieceVertices_[4 * i + k];
      std::memcpy(v.sphere, p.sphere, sizeof v.sphere);
      std::memcpy(v.colour, p.colour, sizeof v.colour);
      v.corner[0] = corners[k][0];
      v.corner[1] = corners[k][1];
    }
  }
  const PieceVertex* v = pieceVertices_.data();
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glVertexAttribPointer(attributeSphere, 4, GL_FLOAT, GL_FALSE, sizeof(PieceVertex), v->sphere);
  glVertexAttribPointer(attributeColour, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(PieceVertex),
                        v->colour);
  glVertexAttribPointer(attributeCorner, 2, GL_FLOAT, GL_FALSE, sizeof(PieceVertex), v->corner);
  glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(pieceVertices_.size()));
}

void SphereRenderer::drawQuads(const std::vector<std::uint32_t>& order) {
  if (order.empty()) return;
  quadIndices_.resize(4 * order.size());
  for (size_t i = 0; i < order.size(); ++i)
    for (std::uint32_t k = 0; k < 4; ++k)
      quadIndices_[4 * i + k] = 4 * order[i] + k;
  glDrawElements(GL_QUADS, static_cast<GLsizei>(quadIndices_.size()), GL_UNSIGNED_INT,
                 quadIndices_.data());
}

const SphereRenderer::Mesh& SphereRenderer::meshFor(int subdivisions) {
  Mesh& mesh = meshes_[subdivisions];
  if (!mesh.indices.empty()) return mesh;
  const int slices = subdivisions, stacks = subdivisions;
  for (int i = 0; i <= stacks; ++i) {
    const double phi = pi * i / stacks;
    for (int j = 0; j <= slices; ++j) {
      const double theta = 2.0 * pi * j / slices;
      mesh.vertices.push_back(static_cast<float>(std::sin(phi) * std::cos(theta)));
      mesh.vertices.push_back(static_cast<float>(std::sin(phi) * std::sin(theta)));
      mesh.vertices.push_back(static_cast<float>(std::cos(phi)));
    }
  }
  // Counter-clockwise seen from outside, so back faces are culled.
  for (int i = 0; i < stacks; ++i)
    for (int j = 0; j < slices; ++j) {
      const auto at = [&](int a, int b) {
        return static_cast<unsigned short>(a * (slices + 1) + b);
      };
      for (unsigned short v :
           {at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j), at(i + 1, j + 1), at(i, j + 1)})
        mesh.indices.push_back(v);
    }
  return mesh;
}

void SphereRenderer::drawMeshes(const Camera& camera, const Light& light) {
  planFrame(spheres_, camera, 0.0f, plan_);
  if (impostors_) glUseProgram(0);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadMatrixd(camera.projection.data());
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glLightfv(GL_LIGHT0, GL_POSITION, light.position);
  glLightfv(GL_LIGHT0, GL_AMBIENT, light.ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, light.diffuse);
  glLightfv(GL_LIGHT0, GL_SPECULAR, light.specular);
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, light.sceneAmbient);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_FALSE);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_NORMALIZE);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  glShadeModel(GL_SMOOTH);
  const GLfloat white[4] = {1.0f, 1.0f, 1.0f, 1.0f}, black[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  glMaterialfv(GL_FRONT, GL_SPECULAR, white);
  glMaterialfv(GL_FRONT, GL_EMISSION, black);
  glMaterialf(GL_FRONT, GL_SHININESS, 32.0f);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);

  const Mat4& mv = camera.modelview;
  const double scale = modelviewScale(camera);
  const double pixelsPerUnit = scale * std::fabs(camera.projection[5]) * 0.5 * camera.viewport[3];
  const bool ortho = isOrthographic(camera);
  const Mesh* current = nullptr;
  const auto drawOne = [&](std::uint32_t i) {
    const Vec3 c = spheres_.centre(i);
    const double r = spheres_.radii[i];
    double w = 1.0;
    const double depth = -transform(mv, c, w).z;
    const double pixels = r * pixelsPerUnit / (ortho ? 1.0 : std::max(depth, 1e-9));
    const Mesh& mesh = meshFor(sphereDetail(pixels, meshSubdivisions));
    if (&mesh != current) {
      current = &mesh;
      glVertexPointer(3, GL_FLOAT, 0, mesh.vertices.data());
      glNormalPointer(GL_FLOAT, 0, mesh.vertices.data());
    }
    const float* rgb = &spheres_.colours[3 * i];
    const float a = spheres_.alphas[i];
    const GLfloat ambient[4] = {0.25f * rgb[0], 0.25f * rgb[1], 0.25f * rgb[2], a};
    const GLfloat diffuse[4] = {rgb[0], rgb[1], rgb[2], a};
    glMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    Mat4 place = identity();
    place[0] = place[5] = place[10] = r;
    place[12] = c.x;
    place[13] = c.y;
    place[14] = c.z;
    glLoadMatrixd(multiply(mv, place).data());
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh.indices.size()), GL_UNSIGNED_SHORT,
                   mesh.indices.data());
  };
  for (std::uint32_t i : plan_.quads)
    drawOne(i);
  // A mesh is drawn whole: once for all the pieces of a sphere, which come together.
  for (size_t k = 0; k < plan_.pieces.size(); ++k)
    if (k == 0 || plan_.pieces[k].index != plan_.pieces[k - 1].index)
      drawOne(plan_.pieces[k].index);
  glEnable(GL_BLEND);
  for (std::uint32_t i : plan_.translucent)
    drawOne(i);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}

} // namespace orbala::render
