#pragma once
// Draws many lit, possibly translucent spheres in one batch with the GL context that is current:
// as ray-cast impostors where GLSL 1.20 is there, else as meshes. Knows nothing of windows or
// tables: it takes plain arrays, a camera and a light.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "render/SphereShaders.h"
#include "render/core/Camera.h"
#include "render/core/Spheres.h"

namespace orbala::render {

// The light as the fixed-function pipeline has it: light 0's colours and its position in eye
// coordinates (w = 0 for a direction), and the scene's ambient light.
struct Light {
  float sceneAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
  float ambient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  float diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  float specular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
  float position[4] = {0.0f, 0.0f, 1.0f, 0.0f};
};

enum class SpherePath { Impostor, Mesh };

class SphereRenderer {
public:
  SphereRenderer();
  // Leaves the GL objects to their context: no context need be current.
  ~SphereRenderer();
  SphereRenderer(const SphereRenderer&) = delete;
  SphereRenderer& operator=(const SphereRenderer&) = delete;

  // The spheres to draw from now on; the GL buffers are filled at the next draw, not per frame.
  void setSpheres(SphereArrays spheres);
  const SphereArrays& spheres() const { return spheres_; }

  // Draws the spheres: opaque ones first, then the translucent ones from back to front, with
  // depth test and depth writes, leaving the GL state as it was found.
  void draw(const Camera& camera, const Light& light);

  // Draws meshes whatever the GL offers, for comparison and benchmarks.
  void setForceMesh(bool on) { forceMesh_ = on; }
  // The path the next draw takes (Mesh until a context has been seen).
  SpherePath path() const;

  // Forgets the GL objects without deleting them, as when their context has gone.
  void forgetGl();
  // Deletes the GL objects; their context must be current.
  void releaseGl();

private:
  struct Program {
    unsigned id = 0;
    int modelview = -1, projection = -1, combined = -1, viewport = -1, scale = -1;
    int pixelScale = -1, depthScale = -1, aspect = -1, depthPerPixel = -1;
    int lightPosition = -1, lightDirection = -1, halfVector = -1;
    int ambientLight = -1, diffuseLight = -1, specularLight = -1;
  };
  struct Mesh {
    std::vector<float> vertices; // unit sphere: positions are the normals
    std::vector<unsigned short> indices;
  };

  bool setUpImpostors(std::string& why);
  // The program of a kind, built when first needed; null (and `why` said) when it fails.
  const Program* program(SphereProgramKind kind, bool positional, std::string& why);
  void fillPointBuffer();
  void fillQuadBuffer();
  bool useProgram(SphereProgramKind kind, const Camera& camera, const Light& light);
  // False, with nothing drawn, when a program it needs cannot be built.
  bool drawImpostors(const Camera& camera, const Light& light);
  void useQuadBuffer();
  void drawQuads(const std::vector<std::uint32_t>& order);
  void drawPieces();
  void drawMeshes(const Camera& camera, const Light& light);
  const Mesh& meshFor(int subdivisions);

  SphereArrays spheres_;
  FramePlan plan_;
  std::vector<std::uint32_t> quadIndices_;
  struct PieceVertex {
    float sphere[4];
    std::uint8_t colour[4];
    float corner[2];
  };
  std::vector<PieceVertex> pieceVertices_;
  bool forceMesh_ = false;
  bool glChecked_ = false; // the impostor path has been tried with this context
  bool impostors_ = false;
  Program programs_[3][2]; // by kind, and directional or positional light
  unsigned pointBuffer_ = 0, quadBuffer_ = 0;
  bool pointBufferFilled_ = false, quadBufferFilled_ = false;
  float maxPointSize_ = 1.0f;
  std::map<int, Mesh> meshes_; // at most one per level of detail
};

} // namespace orbala::render
