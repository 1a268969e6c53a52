// Frame: a node of the scene hierarchy with its own transform, children, visuals and lights.
//
// Optional FrameRef arguments name the frame in whose coordinates vectors are meant; left out
// (null), the bridge gets 0. Address arguments (lp...) point into caller memory: a vector is three
// floats, a matrix sixteen floats row by row.
#pragma once

#include <cstdint>

#include "scene/fwd.h"

namespace kubisto {

class Frame final : public NamedObject {
 public:
  using NamedObject::NamedObject;
  ObjectKind Kind() const noexcept override { return ObjectKind::Frame; }

  // By the kind of obj: a Frame, Mesh, MeshBuilder, Shadow or Texture is added as a visual, a
  // Light as a light. Any other kind (or no object) ends the program at once.
  bool AddObject(const SceneObjectPtr& obj);
  bool DeleteObject(const SceneObjectPtr& obj);
  bool AddChild(const FramePtr& Child);
  bool DeleteChild(const FramePtr& Child);
  bool Move(float vDelta);
  int32_t MaterialMode() const;
  void MaterialMode(int32_t cMaterialMode);
  int32_t SortMode() const;
  void SortMode(int32_t cSortMode);
  bool SetOrientation(float Dx, float Dy, float Dz, float Ux, float Uy, float Uz,
                      const SceneObjectPtr& FrameRef = nullptr);
  bool GetOrientation(float* lpZ, float* lpY, const SceneObjectPtr& FrameRef = nullptr);
  bool SetPosition(float x, float Y, float Z, const SceneObjectPtr& FrameRef = nullptr);
  bool GetPosition(float* lpPosition, const SceneObjectPtr& FrameRef = nullptr);
  bool SetRotation(float x, float Y, float Z, float vTheta,
                   const SceneObjectPtr& FrameRef = nullptr);
  // Fills the axis at lpAxis and the caller's vTheta.
  bool GetRotation(float* lpAxis, float& vTheta, const SceneObjectPtr& FrameRef = nullptr);
  bool SetVelocity(float x, float Y, float Z, bool bRotation,
                   const SceneObjectPtr& FrameRef = nullptr);
  bool GetVelocity(float* lpVelocity, bool bRotation, const SceneObjectPtr& FrameRef = nullptr);
  int32_t Color() const;
  void Color(int32_t d3dColor);
  FramePtr Parent() const;
  FramePtr Scene() const;  // the root of this frame's hierarchy
  FramePtr Child(int32_t Index) const;
  int32_t ChildCount() const;
  bool AddRotation(int32_t cCombine, float x, float Y, float Z, float vTheta);
  bool AddScale(int32_t cCombine, float x, float Y, float Z);
  bool AddTranslation(int32_t cCombine, float x, float Y, float Z);
  FramePtr Clone() const;
  int32_t LightCount() const;
  LightPtr Light(int32_t iLight) const;
  int32_t VisualCount() const;
  // The visual at iVisual, wrapped by its own class. An index out of range ends the program (the
  // object maker accepts no handle 0): stay below VisualCount.
  SceneObjectPtr Visual(int32_t iVisual) const;
  bool AddTransform(int32_t cCombine, const float* lpMatrix);
  bool GetTransform(float* lpMatrix);
  bool FrameToScene(float* lpVector);  // converted in place
  bool SceneToFrame(float* lpVector);
  // Always in the parent's coordinates (reference 0).
  bool LookAt(const FramePtr& Target, int32_t cConstraint);
  TexturePtr Texture() const;
  void Texture(const TexturePtr& tx);
  int32_t TextureTopology() const;
  void TextureTopology(int32_t cTopology);
};

}  // namespace kubisto
