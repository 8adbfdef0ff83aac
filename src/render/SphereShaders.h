#pragma once
// GLSL 1.20 sources of the sphere impostors.
#include <string>

namespace orbala::render {

// Attribute locations the programs are linked with.
enum SphereAttribute { attributeSphere = 0, attributeColour = 1, attributeCorner = 2 };

// Point sprites and quads without perspective; quads facing the eye with perspective.
enum class SphereProgramKind { Points = 0, Quads = 1, Perspective = 2 };

// For a light in a direction, or (positional) at a point.
std::string sphereVertexShader(SphereProgramKind kind, bool positional);
std::string sphereFragmentShader(SphereProgramKind kind, bool positional);

} // namespace orbala::render
