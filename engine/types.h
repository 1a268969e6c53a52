// The engine's published enumeration values. The bridge passes them through unchanged.
#pragma once

#include <cstdint>

namespace engine {

enum LightType : int32_t {
  kLightAmbient = 0,
  kLightPoint = 1,
  kLightSpot = 2,
  kLightDirectional = 3,
  kLightParallelPoint = 4,
};

// How AddRotation, AddScale, AddTranslation and AddTransform combine with the current transform.
enum CombineType : int32_t {
  kCombineReplace = 0,  // the new transform replaces the old one
  kCombineBefore = 1,   // new * old: applied first, in the frame's own coordinates
  kCombineAfter = 2,    // old * new: applied last, in the parent's coordinates
};

// Where the frame's visuals take their material from.
enum MaterialMode : int32_t {
  kMaterialFromMesh = 0,
  kMaterialFromParent = 1,
  kMaterialFromFrame = 2,
};

enum SortMode : int32_t {
  kSortFromParent = 0,
  kSortNone = 1,
  kSortFrontToBack = 2,
  kSortBackToFront = 3,
};

enum ColorSource : int32_t {
  kColorFromFace = 0,
  kColorFromVertex = 1,
};

// Render quality: the sum of a shade mode, a lighting value and a fill mode.
enum RenderQuality : int32_t {
  kShadeFlat = 0,
  kShadeGouraud = 1,
  kShadePhong = 2,
  kShadeMask = 7,
  kLightOff = 0,
  kLightOn = 8,
  kLightMask = 56,
  kFillPoints = 0,
  kFillWireframe = 64,
  kFillSolid = 128,
  kFillMask = 4032,
  kQualityGouraud = kShadeGouraud + kLightOn + kFillSolid,  // 137, the default
};
// True for a sum of one shade mode, one lighting value and one fill mode.
bool IsValidQuality(int32_t quality);

// Mesh group mapping flags.
enum Mapping : int32_t {
  kMapWrapU = 1,
  kMapWrapV = 2,
  kMapPerspective = 4,
};

enum FogMode : int32_t {
  kFogLinear = 0,
  kFogExponential = 1,
  kFogExponentialSquared = 2,
};

enum WrapType : int32_t {
  kWrapFlat = 0,
  kWrapCylinder = 1,
  kWrapSphere = 2,
  kWrapChrome = 3,
};

// LookAt: which of the frame's axes may not turn.
enum FrameConstraint : int32_t {
  kConstrainZ =
      0,  // turn about x and y only: no roll, the frame's y stays in the reference's up plane
  kConstrainY = 1,  // turn about x and z only: the frame's y axis stays
  kConstrainX = 2,  // turn about y and z only: the frame's x axis stays
};

enum AnimationOptions : int32_t {
  kAnimationOpen = 0x01,
  kAnimationClosed = 0x02,
  kAnimationLinearPosition = 0x04,
  kAnimationSplinePosition = 0x08,
  kAnimationScaleAndRotation = 0x10,
  kAnimationPosition = 0x20,
};

// Mesh file formats and what Save writes.
enum SaveFormat : int32_t {
  kFormatBinary = 0,
  kFormatCompressed = 1,
  kFormatText = 2,
};
enum SaveOptions : int32_t {
  kSaveNormals = 1,
  kSaveTextureCoordinates = 2,
  kSaveMaterials = 4,
  kSaveTextureNames = 8,
  kSaveAll = 15,
  kSaveTextureTopology = 16,
};

// Which object of a mesh file Load takes.
enum LoadOption : int32_t {
  kLoadFirst = 0,
  kLoadByName = 0x10,
  kLoadByPosition = 0x20,
};

// Texture topology packed in one integer: bit 0 wraps in u, bit 1 in v.
inline int32_t PackTopology(bool wrapU, bool wrapV) { return (wrapV ? 2 : 0) + (wrapU ? 1 : 0); }

}  // namespace engine
