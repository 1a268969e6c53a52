// The mesh generators over an abstract builder, so that the geometry is testable without the
// engine. MeshBuilder runs them on itself; tests run them on an in-memory model.
#pragma once

#include <cstdint>
#include <vector>

#include "scene/height_array.h"

namespace kubisto {

// What a generator needs of a mesh builder.
class MeshSink {
 public:
  virtual ~MeshSink() = default;
  virtual int32_t AddVertex(float x, float y, float z) = 0;  // the new index
  virtual int32_t AddNormal(float x, float y, float z) = 0;  // the new index
  virtual void CreateFace() = 0;  // a new face; the next corners go to it
  virtual void AddCorner(int32_t iVertex, int32_t iNormal) = 0;
  virtual int32_t FaceCount() = 0;
  virtual int32_t VertexCount() = 0;
  virtual void GenerateNormals() = 0;
};

namespace primitives {

// The constants of the round solids: P, and 2 × P for a full turn (not π and 2π).
inline constexpr double kP = 3.141592;
inline constexpr double kFullTurn = 6.283184;

int32_t AddFace(MeshSink& mb, const std::vector<int32_t>& vertices);
int32_t AddFace2(MeshSink& mb, const std::vector<int32_t>& vertices);
int32_t AddCurvedFace(MeshSink& mb, const std::vector<int32_t>& vertices);
int32_t AddCurvedFace2(MeshSink& mb, const std::vector<int32_t>& vertices);

void Cube(MeshSink& mb, float a, float b, float c);
void Cylinder(MeshSink& mb, int16_t n, float r1, float r2, float h);
void Prism(MeshSink& mb, int16_t n, float r1, float r2, float h);
void Sphere(MeshSink& mb, int16_t n2, float r);
void Plot(MeshSink& mb, const HeightArray& d, float xorg, float yorg, float xsize, float ysize,
          bool curved, bool oneSide);

}  // namespace primitives
}  // namespace kubisto
