// Direct3DRM: the root scene object. It owns the engine, the device on a window, the viewport, the
// scene's root frame and the camera (all through its device record), renders, and makes every
// other scene object.
#pragma once

#include <cstdint>
#include <string>

#include "scene/fwd.h"

namespace kubisto {

// The device record as this object keeps it: the bridge's eight fields in their order, then one
// that nothing writes and only DebugValue reads.
struct Direct3DRMRecord {
  uint32_t hwnd = 0;
  uint32_t engine = 0;
  uint32_t clipper = 0;
  uint32_t device = 0;
  uint32_t viewport = 0;
  uint32_t scene = 0;
  uint32_t camera = 0;
  uint32_t colorModel = 0;
  uint32_t debugValue = 0;
};

class Direct3DRM {
 public:
  // True from a successful Init until Quit.
  bool Initialized = false;

  Direct3DRM() = default;
  // Quits the device if one was set up (the subclassed window holds the record's address).
  ~Direct3DRM();
  // The record must stay at one address while the device is up: no copies, no moves.
  Direct3DRM(const Direct3DRM&) = delete;
  Direct3DRM& operator=(const Direct3DRM&) = delete;

  MeshBuilderPtr CreateMeshBuilder();
  MeshPtr CreateMesh();
  LightPtr CreateLightRGB(int32_t cLightType, float r, float g, float b);
  LightPtr CreateLight(int32_t cLightType, int32_t d3dColor);
  int32_t DebugValue() const;  // the record's ninth field: 0
  FacePtr CreateFace();
  // A child of Parent, or of the scene when Parent is left out.
  FramePtr CreateFrame(const SceneObjectPtr& Parent = nullptr);
  WrapPtr CreateWrap(int32_t cWrapType, float ox, float oy, float oz, float Dx, float Dy, float Dz,
                     float Ux, float Uy, float Uz, float ou, float ov, float su, float sv,
                     const SceneObjectPtr& FrameRef = nullptr);
  ShadowPtr CreateShadow(const SceneObjectPtr& Visual, const LightPtr& Light, float Px, float Py,
                         float Pz, float nx, float ny, float nz);
  // A texture loaded from an image file; shows "ファイルが読めません。" when that fails and still
  // returns a texture (lp 0).
  TexturePtr LoadTexture(const std::string& filename);
  MaterialPtr CreateMaterial(float vPower);
  // Sets the device up on a window. When already initialised, quits first and lets pending
  // messages through. ColorMode: 0 default device, 1 mono, 2 RGB.
  bool Init(uint32_t hWndView, int32_t ColorMode = 0);
  // A copy of what the device shows; null (an empty picture) without a device.
  PicturePtr Image();
  void Render();
  void Clear();
  bool Tick(float vDelta);
  // A new wrapper of the scene's root frame with a reference of its own.
  FramePtr Scene();
  bool Quit();

  float Back() const;
  void Back(float Z);
  float Front() const;
  void Front(float Z);
  float Field() const;
  void Field(float vHeight);
  int32_t ViewportWidth() const;
  int32_t ViewportHeight() const;
  int32_t ViewportX() const;
  int32_t ViewportY() const;
  int32_t DeviceWidth() const;
  int32_t DeviceHeight() const;
  int32_t BackColor() const;
  void BackColor(int32_t d3dColor);
  int32_t FogColor() const;
  void FogColor(int32_t d3dColor);
  void BackImage(const TexturePtr& tx);
  bool FogEnable() const;
  void FogEnable(bool fEnable);
  int32_t FogMode() const;
  void FogMode(int32_t Mode);
  int32_t SetFogParams(float FogStart, float FogEnd, float FogDensity);
  int32_t GetFogParams(float* lpParams);  // start, end, density
  int32_t Quality() const;
  void Quality(int32_t cQuality);
  int32_t TextureQuality() const;
  void TextureQuality(int32_t cTextureQuality);
  FramePtr Camera() const;
  void Camera(const FramePtr& fm);
  bool Dither() const;
  void Dither(bool bEnable);
  int32_t ColorModel() const;
  bool SetPlane(float xmin, float xmax, float ymin, float ymax);
  bool GetPlane(float* lpBoundary);  // xmin, xmax, ymin, ymax
  // What lies under a pixel of the drawing window, nearest first.
  PickPtr Pick(int32_t x, int32_t Y);
  int32_t Projection() const;
  void Projection(int32_t cProjection);
  int32_t Configure(int32_t Xorg, int32_t Yorg, int32_t nWidth, int32_t nHeight);
  bool UniformScaling() const;
  void UniformScaling(bool bUniform);
  // The engine object of that name, wrapped by its class. A name that no object bears ends the
  // program (the object maker accepts no handle 0).
  SceneObjectPtr GetNamedObject(const std::string& ObjectName);

  // The device record (read-only), for tests and diagnostics.
  const Direct3DRMRecord& Record() const { return record_; }

 private:
  mutable Direct3DRMRecord record_;
};

}  // namespace kubisto
