#pragma once
// How finely a sphere is tessellated when drawn: no finer than the eye can see at its size on
// screen, and never finer than the sphere asks for.
namespace orbala {

// Subdivisions (slices, and stacks alike) for a sphere of the given radius in pixels, at most
// `requested`. Picks the coarsest of a few fixed levels whose outline stays within a quarter of
// a pixel of the true circle, so a small sphere looks the same with far fewer triangles.
int sphereDetail(double pixelRadius, int requested);

} // namespace orbala
