// Frames: the nodes of the scene hierarchy. A frame holds its children and its visuals and lights
// by strong reference and its parent by plain pointer. Its transform maps its own coordinates into
// its parent's. Every placement method takes a reference frame whose coordinates the values are in;
// nullptr means the parent (for a frame without a parent: the world, i.e. the frame's scene).
#pragma once

#include <cstdint>
#include <vector>

#include "engine/color.h"
#include "engine/light.h"
#include "engine/math.h"
#include "engine/object.h"
#include "engine/texture.h"
#include "engine/types.h"

namespace engine {

// Background and fog of a scene; kept by every frame, read from the scene root when drawing.
struct SceneSettings {
  Color background = kBlack;
  Ref<Texture> backgroundImage;  // drawn over the background colour when set
  bool fogEnable = false;
  FogMode fogMode = kFogLinear;
  Color fogColor = kBlack;
  float fogStart = 1.0f;
  float fogEnd = 100.0f;
  float fogDensity = 1.0f;
};

class Frame final : public Object {
 public:
  // A frame with no parent; use Engine::CreateFrame to make one that belongs to an engine.
  Frame();
  ~Frame() override;

  // Copies the frame with its placement, motion, appearance and scene settings, sharing its visuals
  // and lights, and cloning its children recursively. The copy has no parent.
  Object* Clone() const override;

  // ---- Hierarchy ----
  Frame* GetParent() const { return parent_; }
  // The root above this frame (the frame itself when it has no parent).
  Frame* GetScene();
  const Frame* GetScene() const;
  // Moves child under this frame (taking it from its former parent), keeping its transform
  // relative to its parent. False for null, for this frame itself and for an ancestor (a cycle).
  bool AddChild(Frame* child);
  // Detaches a direct child; it becomes a root and lives on while referenced elsewhere.
  // False when child is not a child of this frame.
  bool DeleteChild(Frame* child);
  const std::vector<Ref<Frame>>& GetChildren() const { return children_; }
  size_t GetChildCount() const { return children_.size(); }
  Frame* GetChild(size_t index) const;  // nullptr out of range

  // ---- Contents ----
  // Visuals: a mesh builder, mesh, shadow, texture (drawn as a decal) or frame (drawn with this
  // frame's transform). Adding one that is already there changes nothing and succeeds. False for
  // null, for any other kind, and for a frame visual that would make the scene draw itself.
  bool AddVisual(Object* visual);
  bool DeleteVisual(Object* visual);  // false when not present
  const std::vector<Ref<Object>>& GetVisuals() const { return visuals_; }
  size_t GetVisualCount() const { return visuals_.size(); }
  Object* GetVisual(size_t index) const;  // nullptr out of range

  bool AddLight(Light* light);     // as AddVisual: no duplicates
  bool DeleteLight(Light* light);  // false when not present
  const std::vector<Ref<Light>>& GetLights() const { return lights_; }
  Light* GetLight(size_t index) const;

  // ---- Placement ----
  // Places the frame's origin at p in the reference's coordinates.
  bool SetPosition(const Frame* reference, Vector p);
  bool GetPosition(const Frame* reference, Vector& out) const;
  // Turns the frame so that its z axis points along direction and its y axis toward up (both in
  // the reference's coordinates); keeps the position and the axes' scale. False when direction is
  // zero or parallel to up.
  bool SetOrientation(const Frame* reference, Vector direction, Vector up);
  // The frame's z and y axes (unit vectors) in the reference's coordinates.
  bool GetOrientation(const Frame* reference, Vector& direction, Vector& up) const;

  // Motion applied by Move (and so by Engine::Tick): each unit of time the frame turns by theta
  // radians about axis (through its own origin; the axis is given in the reference's coordinates
  // and kept, from then on, fixed in the parent's) and moves by velocity.
  bool SetRotation(const Frame* reference, Vector axis, float theta);
  bool GetRotation(const Frame* reference, Vector& axis, float& theta) const;
  // With withRotation the velocity turns along with the frame's own rotation at each step.
  bool SetVelocity(const Frame* reference, Vector velocity, bool withRotation);
  bool GetVelocity(const Frame* reference, Vector& velocity, bool withRotation) const;
  bool HasMotion() const;
  // Applies delta units of rotation and velocity to this frame and every frame below it.
  bool Move(float delta);

  // Change the transform at once, combined with the current one (kCombineReplace, Before, After).
  // False for an unknown combine type.
  bool AddRotation(CombineType combine, Vector axis, float theta);
  bool AddScale(CombineType combine, Vector scale);
  bool AddTranslation(CombineType combine, Vector translation);
  bool AddTransform(CombineType combine, const Matrix& m);
  // The transform into the parent's coordinates.
  bool GetTransform(Matrix& out) const {
    out = transform_;
    return true;
  }
  const Matrix& LocalTransform() const { return transform_; }
  // The transform into the world (the scene root's coordinates).
  Matrix WorldTransform() const;

  // Turns the frame's z axis toward target's origin; the constraint names the axis that stays.
  // The up direction (for kConstrainZ) is the reference's y axis. False for a null target, an
  // unknown constraint, or a target at the frame's own origin.
  bool LookAt(const Frame* target, const Frame* reference, FrameConstraint constraint);

  // Points from this frame's coordinates to the world's and back.
  bool Transform(Vector local, Vector& world) const;
  bool InverseTransform(Vector world, Vector& local) const;

  // ---- Appearance ----
  bool SetColor(Color c) {
    color_ = c;
    return true;
  }
  bool SetColorRGB(float r, float g, float b);
  Color GetColor() const { return color_; }
  // nullptr clears the texture.
  bool SetTexture(Texture* texture);
  Texture* GetTexture() const { return texture_.get(); }
  bool SetTextureTopology(bool wrapU, bool wrapV) {
    wrapU_ = wrapU;
    wrapV_ = wrapV;
    return true;
  }
  bool GetTextureTopology(bool& wrapU, bool& wrapV) const {
    wrapU = wrapU_;
    wrapV = wrapV_;
    return true;
  }
  bool SetMaterialMode(int32_t mode);  // false outside the MaterialMode values
  MaterialMode GetMaterialMode() const { return materialMode_; }
  bool SetSortMode(int32_t mode);  // false outside the SortMode values
  SortMode GetSortMode() const { return sortMode_; }

  // ---- Scene settings (meaningful on a scene root) ----
  bool SetSceneBackground(Color c) {
    scene_.background = c;
    return true;
  }
  bool SetSceneBackgroundRGB(float r, float g, float b);
  Color GetSceneBackground() const { return scene_.background; }
  // nullptr removes the image.
  bool SetSceneBackgroundImage(Texture* texture);
  Texture* GetSceneBackgroundImage() const { return scene_.backgroundImage.get(); }
  bool SetSceneFogEnable(bool enable) {
    scene_.fogEnable = enable;
    return true;
  }
  bool GetSceneFogEnable() const { return scene_.fogEnable; }
  bool SetSceneFogColor(Color c) {
    scene_.fogColor = c;
    return true;
  }
  Color GetSceneFogColor() const { return scene_.fogColor; }
  bool SetSceneFogMode(int32_t mode);  // false outside the FogMode values
  FogMode GetSceneFogMode() const { return scene_.fogMode; }
  // False for a density below 0 or non-finite values.
  bool SetSceneFogParams(float start, float end, float density);
  bool GetSceneFogParams(float& start, float& end, float& density) const;
  const SceneSettings& GetSceneSettings() const { return scene_; }

 private:
  Frame* CloneAlone() const;  // the frame without its children
  void DetachFromParent();
  Matrix ParentWorld() const;
  // The transform from reference coordinates to the world (reference nullptr: the parent's).
  Matrix ReferenceWorld(const Frame* reference) const;
  bool IsAncestorOf(const Frame* f) const;
  static bool LeadsBackTo(const Frame* start, const Frame* target);
  void MoveSelf(float delta);

  Frame* parent_ = nullptr;
  std::vector<Ref<Frame>> children_;
  std::vector<Ref<Object>> visuals_;
  std::vector<Ref<Light>> lights_;

  Matrix transform_;
  Vector rotationAxis_;  // in the parent's coordinates
  float rotationTheta_ = 0;
  Vector velocity_;  // in the parent's coordinates
  bool velocityWithRotation_ = false;

  Color color_ = kWhite;
  Ref<Texture> texture_;
  bool wrapU_ = false, wrapV_ = false;
  MaterialMode materialMode_ = kMaterialFromMesh;
  SortMode sortMode_ = kSortFromParent;
  SceneSettings scene_;
};

}  // namespace engine
