#include "render/SphereShaders.h"

namespace orbala::render {

namespace {

// Each sphere is drawn on a point sprite or a quad that covers its outline. The fragment shader
// finds where the line of sight through the pixel meets the sphere, drops the pixels that miss
// it, writes the true depth of the hit, and lights it as the fixed-function pipeline lights a
// vertex: ambient a quarter of the colour, diffuse the colour, white specular with shininess
// 32, one light plus the scene's ambient light, no local viewer.
//
// Without perspective the outline is a circle (an ellipse where pixels are not square) around
// the projected centre, and everything a pixel needs is the centre, the radius in pixels and
// the centre's depth: few varyings keep the set-up of many small spheres cheap. With
// perspective a quad faces the eye and the fragment casts a ray from the eye.
//
// Defines: QUADS (quads with a corner attribute, else point sprites), PERSPECTIVE (always
// quads), POSITIONAL (a light at a point rather than in a direction).

const char* const vertexSource = R"(
attribute vec4 sphere; // centre x, y, z and radius
attribute vec4 colour;
#ifdef QUADS
attribute vec2 corner; // -1 or 1 each
#endif
uniform mat4 modelview;
uniform mat4 projection;
uniform float scale; // of lengths by the modelview
varying vec4 vColour;
#ifdef POSITIONAL
uniform vec4 lightPosition;
varying vec3 vLight;
#endif
#ifdef PERSPECTIVE
varying vec4 vEyeSphere; // eye-space centre and radius
varying vec3 vEye;
#else
uniform mat4 combined; // projection × modelview
uniform vec4 viewport;
uniform vec2 pixelScale; // window pixels per unit of radius, across and up
uniform float depthScale; // normalised depth per unit of radius towards the viewer
varying vec4 vSphere; // window x and y of the centre, radius in pixels across, centre depth
#endif

void main() {
  vColour = colour;
#ifdef POSITIONAL
  vec3 eyeCentre = (modelview * vec4(sphere.xyz, 1.0)).xyz;
  vLight = lightPosition.xyz - eyeCentre;
#endif
#ifdef PERSPECTIVE
  // A quad facing the eye through the centre, as wide as the cone of sight around the sphere.
  vEyeSphere.xyz = (modelview * vec4(sphere.xyz, 1.0)).xyz;
  vEyeSphere.w = sphere.w * scale;
  float d = length(vEyeSphere.xyz);
  vec3 towards = vEyeSphere.xyz / d;
  vec3 side = normalize(cross(towards, abs(towards.y) < 0.9 ? vec3(0.0, 1.0, 0.0)
                                                            : vec3(1.0, 0.0, 0.0)));
  vec3 up = cross(side, towards);
  float r = vEyeSphere.w;
  float halfSize = r * d / sqrt(max(d * d - r * r, 1e-30));
  vEye = vEyeSphere.xyz + halfSize * (corner.x * side + corner.y * up);
  gl_Position = projection * vec4(vEye, 1.0);
#else
  vec4 clip = combined * vec4(sphere.xyz, 1.0);
  vec3 ndc = clip.xyz / clip.w;
  vec2 radius = sphere.w * pixelScale;
  vSphere.xy = viewport.xy + (0.5 * ndc.xy + 0.5) * viewport.zw;
  vSphere.z = radius.x;
  vSphere.w = gl_DepthRange.near + gl_DepthRange.diff * (0.5 * ndc.z + 0.5);
  float front = ndc.z + sphere.w * depthScale;
#ifdef QUADS
  ndc.xy += corner * (abs(radius) + 0.5) * 2.0 / viewport.zw;
#else
  gl_PointSize = 2.0 * max(abs(radius.x), abs(radius.y)) + 1.0;
#endif
  // At the sphere's nearest point, so the primitive never lies behind what it draws.
  gl_Position = vec4(ndc.xy, clamp(front, -1.0, 1.0), 1.0);
#endif
}
)";

const char* const fragmentSource = R"(
uniform vec3 lightDirection; // towards a light in a direction
uniform vec3 halfVector;
uniform vec3 ambientLight; // a quarter of the scene's and the light's ambient light
uniform vec3 diffuseLight;
uniform vec3 specularLight;
varying vec4 vColour;
#ifdef POSITIONAL
varying vec3 vLight;
#endif
#ifdef PERSPECTIVE
uniform mat4 projection;
varying vec4 vEyeSphere;
varying vec3 vEye;
#else
uniform float aspect; // pixels up per pixel across
uniform float depthPerPixel; // normalised depth per pixel of radius towards the viewer
varying vec4 vSphere;
#endif

void writeDepth(float depth) {
  // Clipped by the near and far planes as a mesh would be.
  if (depth < min(gl_DepthRange.near, gl_DepthRange.far) ||
      depth > max(gl_DepthRange.near, gl_DepthRange.far))
    discard;
  gl_FragDepth = depth;
}

void main() {
#ifdef PERSPECTIVE
  vec3 d = normalize(vEye);
  float along = dot(vEyeSphere.xyz, d);
  vec3 off = vEyeSphere.xyz - along * d;
  float h2 = vEyeSphere.w * vEyeSphere.w - dot(off, off);
  if (h2 < 0.0)
    discard;
  vec3 n = ((along - sqrt(h2)) * d - vEyeSphere.xyz) / vEyeSphere.w;
  vec4 clip = projection * vec4((along - sqrt(h2)) * d, 1.0);
  writeDepth(gl_DepthRange.near + gl_DepthRange.diff * (0.5 * clip.z / clip.w + 0.5));
#else
  vec2 q = (gl_FragCoord.xy - vSphere.xy) / (vSphere.z * vec2(1.0, aspect));
  float qq = dot(q, q);
  if (qq > 1.0)
    discard;
  vec3 n = vec3(q, sqrt(1.0 - qq));
  writeDepth(vSphere.w + 0.5 * gl_DepthRange.diff * depthPerPixel * n.z * vSphere.z);
#endif
#ifdef POSITIONAL
  vec3 l = normalize(vLight);
  vec3 h = normalize(l + vec3(0.0, 0.0, 1.0));
#else
  vec3 l = lightDirection;
  vec3 h = halfVector;
#endif
  float diffuse = dot(n, l);
  vec3 c = ambientLight * vColour.rgb;
  if (diffuse > 0.0) {
    float s = max(dot(n, h), 0.0); // to the power 32
    s *= s;
    s *= s;
    s *= s;
    s *= s;
    s *= s;
    c += diffuse * diffuseLight * vColour.rgb + s * specularLight;
  }
  gl_FragColor = vec4(min(c, 1.0), vColour.a);
}
)";

std::string withDefines(const char* body, SphereProgramKind kind, bool positional) {
  std::string text = "#version 120\n";
  if (kind != SphereProgramKind::Points) text += "#define QUADS\n";
  if (kind == SphereProgramKind::Perspective) text += "#define PERSPECTIVE\n";
  if (positional) text += "#define POSITIONAL\n";
  return text + body;
}

} // namespace

std::string sphereVertexShader(SphereProgramKind kind, bool positional) {
  return withDefines(vertexSource, kind, positional);
}

std::string sphereFragmentShader(SphereProgramKind kind, bool positional) {
  return withDefines(fragmentSource, kind, positional);
}

} // namespace orbala::render
