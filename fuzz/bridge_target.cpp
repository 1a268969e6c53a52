// The bridge's exports driven by a script: each input is a sequence of export calls on a device on
// a headless window, with handles drawn from those returned so far, released ones, forged ones, the
// record's own and 0, and with caller buffers of exactly the documented size (or null). No call may
// crash or touch memory outside its buffers, and when the script ends and every reference it holds
// is given back and the device is quit, no engine object and no handle may be left alive.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "bridge/vantrel.h"
#include "engine/object.h"
#include "fuzz/bridge_script.h"
#include "fuzz/targets.h"
#include "platform/picture.h"
#include "platform/services.h"
#include "platform/window.h"

namespace kubisto::fuzz {
namespace {

constexpr int kMaxCalls = 300;

// A small picture and a small mesh file for the loading exports, in a folder of this process.
constexpr unsigned char kBmp[] = {
    'B', 'M', 70, 0, 0,  0, 0, 0, 0,   0,   54,  0,   0, 0, 40, 0, 0,   0, 2,   0, 0, 0, 2, 0,
    0,   0,   1,  0, 24, 0, 0, 0, 0,   0,   16,  0,   0, 0, 0,  0, 0,   0, 0,   0, 0, 0, 0, 0,
    0,   0,   0,  0, 0,  0, 0, 0, 255, 255, 255, 255, 0, 0, 0,  0, 255, 0, 255, 0, 0, 0};
constexpr char kMesh[] = R"(xof 0302txt 0032
Mesh Quad { 4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;; 2; 3;0,1,2;, 4;0,1,2,3;;
  MeshMaterialList { 1; 2; 0, 0;; Material { 1;0;0;1;; 5; 1;1;1;; 0;0;0;; TextureFilename { "t.bmp"; } } }
  MeshTextureCoords { 4; 0;0;, 1;0;, 1;1;, 0;1;; } }
Mesh Second { 3; 0;0;0;, 0;1;0;, 1;0;0;; 1; 3;0,1,2;; }
)";

const std::string& Folder() {
  // Never destroyed, so that the clean-up at exit can still name it.
  static const std::string* const folder = [] {
    char pattern[] = "/tmp/kubisto-fuzz-bridge-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    if (!made) std::abort();
    auto* f = new std::string(made);
    std::atexit([] {
      for (const char* name : {"t.bmp", "m.x", "saved.x", "saved.x.tmp"}) {
        ::unlink((Folder() + "/" + name).c_str());
      }
      ::rmdir(Folder().c_str());
    });
    return f;
  }();
  return *folder;
}

void WriteFiles() {
  std::ofstream(Folder() + "/t.bmp", std::ios::binary)
      .write(reinterpret_cast<const char*>(kBmp), sizeof kBmp);
  std::ofstream(Folder() + "/m.x", std::ios::binary) << kMesh;
}

class Session {
 public:
  explicit Session(Script& in) : in_(in) {}

  void Run() {
    NewWindow();
    if (in_.Byte() % 4 != 0) d3dInit(hwnd_, &rec_, in_.Byte() % 4);
    for (int i = 0; i < kMaxCalls && !in_.Done(); ++i) Step();
    End();
  }

 private:
  // ---- What the script draws its arguments from ----
  uint32_t Handle() {
    switch (in_.Byte() % 10) {
      case 0:
        return 0;
      case 1:
        return in_.U32();  // forged
      case 2:
        return released_.empty() ? 0 : released_[in_.Pick(released_.size())];
      case 3: {
        const uint32_t fields[] = {rec_.engine,   rec_.clipper, rec_.device,
                                   rec_.viewport, rec_.scene,   rec_.camera};
        return fields[in_.Pick(6)];
      }
      case 4: {  // a near miss: a live handle with another generation or slot
        if (held_.empty()) return 0;
        return held_[in_.Pick(held_.size())] ^ (1u << (in_.Byte() % 32));
      }
      default:
        return held_.empty() ? 0 : held_[in_.Pick(held_.size())];
    }
  }
  DeviceRecord* Record() { return in_.Byte() % 16 == 0 ? nullptr : &rec_; }
  uint32_t Keep(uint32_t h) {
    if (h != 0) held_.push_back(h);
    return h;
  }
  std::string FileName() {
    static const char* const kNames[] = {"t.bmp", "m.x", "saved.x", "none.x", "", "sub/../m.x"};
    const size_t which = in_.Pick(8);
    if (which == 6) return "";
    if (which == 7) return Folder();  // a folder, not a file
    std::string name = Folder() + (in_.Byte() % 2 ? "/" : "\\") + kNames[which];
    return name;
  }

  // Caller memory of exactly n values (null now and then).
  template <class T>
  std::unique_ptr<T[]> Buffer(size_t n) {
    if (in_.Byte() % 16 == 0) return nullptr;
    auto b = std::make_unique<T[]>(n);
    for (size_t i = 0; i < n; ++i) {
      if constexpr (std::is_same_v<T, float>) {
        b[i] = in_.Float();
      } else if constexpr (std::is_same_v<T, MeshVertex>) {
        b[i] = {in_.Float(), in_.Float(), in_.Float(), in_.Float(), in_.Float(),
                in_.Float(), in_.Float(), in_.Float(), in_.Int()};
      } else {
        b[i] = static_cast<T>(in_.Int());
      }
    }
    return b;
  }
  // A count and a buffer of that many values when it is a small one.
  template <class T>
  std::unique_ptr<T[]> Counted(int32_t& count) {
    count = in_.Int();
    if (count >= 0 && count <= 512) return Buffer<T>(static_cast<size_t>(count));
    // A negative count with memory of no size; no memory for a count too large to give.
    return count < 0 && in_.Byte() % 2 ? std::make_unique<T[]>(0) : nullptr;
  }

  void NewWindow() {
    static constexpr int kSizes[] = {1, 2, 16, 33, 48};
    hwnd_ = platform::CreateWindow(kSizes[in_.Pick(5)], kSizes[in_.Pick(5)]);
    if (hwnd_ != 0) windows_.push_back(hwnd_);
  }

  void ReleaseHandle(uint32_t h) {
    d3dRelease(h);
    const auto it = std::find(held_.begin(), held_.end(), h);
    if (it != held_.end()) held_.erase(it);
    released_.push_back(h);
  }

  void End() {
    for (uint32_t h : held_) d3dRelease(h);
    held_.clear();
    if (picture_) picture_->Release();
    d3dQuit(&rec_);
    for (platform::HWND w : windows_) platform::DestroyWindow(w);
  }

  void Step();

  Script& in_;
  DeviceRecord rec_{};
  platform::HWND hwnd_ = 0;
  std::vector<platform::HWND> windows_;
  std::vector<uint32_t> held_;      // one entry per reference this script owns
  std::vector<uint32_t> released_;  // handles given back at least once
  VantrelPicture* picture_ = nullptr;
};

void Session::Step() {
  float v[16];
  switch (in_.Byte() % 120) {
    // ---- Device, window and record ----
    case 0:
      d3dInit(hwnd_, Record(), in_.Int());
      break;
    case 1:
      d3dQuit(Record());
      break;
    case 2:
      d3dRender(Record());
      break;
    case 3:
      d3dClear(Record());
      break;
    case 4:
      d3dTick(Record(), in_.Float());
      break;
    case 5:
      d3dConfigure(Record(), in_.Int(), in_.Int(), in_.Int(), in_.Int());
      break;
    case 6: {
      static constexpr int kSizes[] = {0, 1, 7, 40, 64};
      platform::SetClientSize(hwnd_, kSizes[in_.Pick(5)], kSizes[in_.Pick(5)]);
      break;
    }
    case 7:
      platform::SendMessage(hwnd_, platform::WM_SIZE, 0, static_cast<platform::LPARAM>(in_.U32()));
      break;
    case 8:
      platform::SendMessage(hwnd_, platform::WM_ACTIVATE, in_.Int(), 0);
      break;
    case 9:
      platform::InvalidateRect(hwnd_, nullptr);
      platform::SendMessage(hwnd_, platform::WM_PAINT, 0, 0);
      break;
    case 10:
      if (in_.Byte() % 4 == 0) {  // the window goes while the record still names it
        platform::DestroyWindow(hwnd_);
        NewWindow();
      }
      break;
    case 11: {
      static constexpr int kDepths[] = {0, 1, 4, 8, 16, 24, 32};
      platform::SetScreenBitsPerPixel(kDepths[in_.Pick(7)]);
      break;
    }
    case 12:
      d3dSetCamera(Record(), Handle());
      break;
    case 13:
      Keep(d3dGetCamera(Record()));
      break;
    case 14:
      d3dSetFront(Record(), in_.Float());
      break;
    case 15:
      d3dSetBack(Record(), in_.Float());
      break;
    case 16:
      d3dSetField(Record(), in_.Float());
      break;
    case 17:
      d3dGetFront(Record());
      d3dGetBack(Record());
      d3dGetField(Record());
      break;
    case 18:
      d3dSetPlane(Record(), in_.Float(), in_.Float(), in_.Float(), in_.Float());
      break;
    case 19:
      d3dGetPlane(Record(), Buffer<float>(4).get());
      break;
    case 20:
      d3dSetProjection(Record(), in_.Int());
      break;
    case 21:
      d3dSetUniformScaling(Record(), in_.Int());
      break;
    case 22:
      d3dGetProjection(Record());
      d3dGetUniformScaling(Record());
      d3dGetViewportX(Record());
      d3dGetViewportY(Record());
      d3dGetViewportWidth(Record());
      d3dGetViewportHeight(Record());
      d3dGetDeviceWidth(Record());
      d3dGetDeviceHeight(Record());
      d3dGetColorModel(Record());
      d3dGetDeviceQuality(Record());
      d3dGetDither(Record());
      d3dGetTextureQuality(Record());
      break;
    case 23:
      d3dSetDeviceQuality(Record(), in_.Int());
      break;
    case 24:
      d3dSetDither(Record(), in_.Int());
      break;
    case 25:
      d3dSetTextureQuality(Record(), in_.Int());
      break;
    case 26:
      d3dRGB(in_.Float(), in_.Float(), in_.Float());
      d3dVBColor(in_.Int());
      d3dGetRed(in_.Int());
      d3dGetGreen(in_.Int());
      d3dGetBlue(in_.Int());
      Pass(static_cast<intptr_t>(in_.U32()));
      break;
    // ---- References ----
    case 27:
    case 28:
      ReleaseHandle(Handle());
      break;
    case 29: {
      const uint32_t h = Handle();
      char name[16];
      const bool live = d3dGetClassName(h, sizeof name, name) != 0;
      d3dAddRef(h);
      if (live) held_.push_back(h);
      break;
    }
    // ---- Factories ----
    case 30:
    case 31:
      Keep(d3dCreateFrame(Record(), Handle()));
      break;
    case 32:
      Keep(d3dCreateMesh(Record()));
      break;
    case 33:
    case 34:
      Keep(d3dCreateMeshBuilder(Record()));
      break;
    case 35:
      Keep(d3dCreateFace(Record()));
      break;
    case 36:
      Keep(d3dCreateLight(Record(), in_.Int(), in_.Int()));
      break;
    case 37:
      Keep(d3dCreateLightRGB(Record(), in_.Int(), in_.Float(), in_.Float(), in_.Float()));
      break;
    case 38:
      Keep(d3dCreateMaterial(Record(), in_.Float()));
      break;
    case 39: {
      const uint32_t visual = Handle(), light = Handle();
      for (float& f : v) f = in_.Float();
      Keep(d3dCreateShadow(Record(), visual, light, v[0], v[1], v[2], v[3], v[4], v[5]));
      break;
    }
    case 40: {
      const int32_t type = in_.Int();
      const uint32_t reference = Handle();
      for (float& f : v) f = in_.Float();
      Keep(d3dCreateWrap(Record(), type, reference, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7],
                         v[8], v[9], v[10], v[11], v[12]));
      break;
    }
    case 41:
      Keep(d3dCreateAnimation(Record()));
      break;
    case 42:
      Keep(d3dCreateAnimationSet(Record()));
      break;
    case 43: {
      const std::string name = FileName();
      Keep(d3dLoadTexture(Record(), in_.Byte() % 16 ? name.c_str() : nullptr));
      break;
    }
    case 44:
      Keep(d3dCreateFaceMB(Handle()));
      break;
    case 45:
      Keep(d3dCreateMeshMB(Handle()));
      break;
    case 46: {
      const uint32_t h = Handle();
      switch (in_.Byte() % 7) {
        case 0:
          Keep(d3dCloneFM(h));
          break;
        case 1:
          Keep(d3dCloneFC(h));
          break;
        case 2:
          Keep(d3dCloneLT(h));
          break;
        case 3:
          Keep(d3dCloneMS(h));
          break;
        case 4:
          Keep(d3dCloneMB(h));
          break;
        case 5:
          Keep(d3dCloneTX(h));
          break;
        default:
          Keep(d3dCloneMT(h));
          break;
      }
      break;
    }
    // ---- Frame hierarchy ----
    case 47:
    case 48:
      d3dAddChild(Handle(), Handle());
      break;
    case 49:
      d3dDeleteChild(Handle(), Handle());
      break;
    case 50:
      Keep(d3dGetParent(Handle()));
      Keep(d3dGetScene(Handle()));
      break;
    case 51:
      d3dGetChildCount(Handle());
      Keep(d3dGetChild(Handle(), in_.Int()));
      break;
    case 52:
    case 53:
      d3dAddVisual(Handle(), Handle());
      break;
    case 54:
      d3dDeleteVisual(Handle(), Handle());
      break;
    case 55:
      d3dAddLight(Handle(), Handle());
      break;
    case 56:
      d3dDeleteLight(Handle(), Handle());
      break;
    case 57:
      d3dGetVisualCount(Handle());
      Keep(d3dGetVisual(Handle(), in_.Int()));
      break;
    case 58:
      d3dGetLightCount(Handle());
      Keep(d3dGetLight(Handle(), in_.Int()));
      break;
    // ---- Frame placement and motion ----
    case 59:
      d3dSetPosition(Handle(), Handle(), in_.Float(), in_.Float(), in_.Float());
      break;
    case 60:
      d3dGetPosition(Handle(), Handle(), Buffer<float>(3).get());
      break;
    case 61:
      d3dSetRotation(Handle(), Handle(), in_.Float(), in_.Float(), in_.Float(), in_.Float());
      break;
    case 62:
      d3dGetRotation(Handle(), Handle(), Buffer<float>(3).get(), Buffer<float>(1).get());
      break;
    case 63:
      for (float& f : v) f = in_.Float();
      d3dSetOrientation(Handle(), Handle(), v[0], v[1], v[2], v[3], v[4], v[5]);
      break;
    case 64:
      d3dGetOrientation(Handle(), Handle(), Buffer<float>(3).get(), Buffer<float>(3).get());
      break;
    case 65:
      d3dSetVelocity(Handle(), Handle(), in_.Float(), in_.Float(), in_.Float(), in_.Int());
      break;
    case 66:
      d3dGetVelocity(Handle(), Handle(), Buffer<float>(3).get(), in_.Int());
      break;
    case 67:
      d3dAddRotation(Handle(), in_.Int(), in_.Float(), in_.Float(), in_.Float(), in_.Float());
      break;
    case 68:
      d3dAddScale(Handle(), in_.Int(), in_.Float(), in_.Float(), in_.Float());
      break;
    case 69:
      d3dAddTranslation(Handle(), in_.Int(), in_.Float(), in_.Float(), in_.Float());
      break;
    case 70:
      d3dAddTransform(Handle(), in_.Int(), Buffer<float>(16).get());
      break;
    case 71:
      d3dGetTransform(Handle(), Buffer<float>(16).get());
      break;
    case 72:
      d3dLookAt(Handle(), Handle(), Handle(), in_.Int());
      break;
    case 73:
      d3dMove(Handle(), in_.Float());
      break;
    // ---- Frame appearance, scene background and fog ----
    case 74:
      d3dSetColorFM(Handle(), in_.Int());
      d3dGetColorFM(Handle());
      d3dSetTextureTopoFM(Handle(), in_.Int());
      d3dGetTextureTopoFM(Handle());
      d3dSetMaterialMode(Handle(), in_.Int());
      d3dGetMaterialMode(Handle());
      d3dSetSortMode(Handle(), in_.Int());
      d3dGetSortMode(Handle());
      break;
    case 75:
      d3dSetTextureFM(Handle(), Handle());
      Keep(d3dGetTextureFM(Handle()));
      break;
    case 76:
      d3dSetBackColor(Record(), in_.Int());
      d3dGetBackColor(Record());
      d3dSetBackColorRGB(Record(), in_.Float(), in_.Float(), in_.Float());
      d3dSetFogEnable(Record(), in_.Int());
      d3dGetFogEnable(Record());
      d3dSetFogColor(Record(), in_.Int());
      d3dGetFogColor(Record());
      d3dSetFogColorRGB(Record(), in_.Float(), in_.Float(), in_.Float());
      d3dSetFogMode(Record(), in_.Int());
      d3dGetFogMode(Record());
      break;
    case 77:
      d3dSetFogParams(Record(), in_.Float(), in_.Float(), in_.Float());
      break;
    case 78:
      d3dGetFogParams(Record(), Buffer<float>(3).get());
      break;
    // ---- Mesh builders ----
    case 79:
    case 80:
    case 81:
      d3dAddVertexMB(Handle(), in_.Float(), in_.Float(), in_.Float());
      break;
    case 82:
      d3dAddNormalMB(Handle(), in_.Float(), in_.Float(), in_.Float());
      break;
    case 83:
      d3dSetVertexMB(Handle(), in_.Int(), in_.Float(), in_.Float(), in_.Float());
      d3dSetNormalMB(Handle(), in_.Int(), in_.Float(), in_.Float(), in_.Float());
      break;
    case 84:
      d3dGetVertexMB(Handle(), in_.Int(), Buffer<float>(3).get());
      d3dGetNormalMB(Handle(), in_.Int(), Buffer<float>(3).get());
      d3dGetVertexCountMB(Handle());
      d3dGetNormalCountMB(Handle());
      d3dGetFaceCount(Handle());
      break;
    case 85:
      Keep(d3dGetFace(Handle(), in_.Int()));
      break;
    case 86:
      switch (in_.Byte() % 4) {
        case 0:
          d3dAddFace(Handle(), Handle());
          break;
        case 1:
          d3dAddFrame(Handle(), Handle());
          break;
        case 2:
          d3dAddMesh(Handle(), Handle());
          break;
        default:
          d3dAddMeshBuilder(Handle(), Handle());
          break;
      }
      break;
    case 87:
      d3dGenerateNormals(Handle());
      break;
    case 88:
      d3dScaleMB(Handle(), in_.Float(), in_.Float(), in_.Float());
      d3dTranslateMB(Handle(), in_.Float(), in_.Float(), in_.Float());
      break;
    case 89:
      d3dGetBoxMB(Handle(), Buffer<float>(6).get());
      break;
    case 90: {
      const uint32_t mb = Handle();
      const std::string file = FileName(), name = in_.Byte() % 2 ? "Second" : in_.Text();
      switch (in_.Byte() % 3) {
        case 0:
          d3dLoadMB(mb, file.c_str());
          break;
        case 1:
          d3dLoadMBByName(mb, file.c_str(), in_.Byte() % 16 ? name.c_str() : nullptr);
          break;
        default:
          d3dLoadMBByIndex(mb, file.c_str(), in_.Int());
          break;
      }
      break;
    }
    case 91: {
      const uint32_t mb = Handle();
      const std::string file = in_.Byte() % 2 ? Folder() + "/saved.x" : FileName();
      d3dSaveMB(mb, in_.Byte() % 16 ? file.c_str() : nullptr, in_.Int(), in_.Int());
      break;
    }
    case 92:
      d3dSetColorMB(Handle(), in_.Int());
      d3dSetColorSource(Handle(), in_.Int());
      d3dGetColorSource(Handle());
      d3dSetQuality(Handle(), in_.Int());
      d3dGetQuality(Handle());
      d3dSetPerspective(Handle(), in_.Int());
      d3dGetPerspective(Handle());
      d3dSetTextureTopoMB(Handle(), in_.Int());
      break;
    case 93:
      d3dSetMaterialMB(Handle(), Handle());
      d3dSetTextureMB(Handle(), Handle());
      break;
    case 94:
      d3dSetTextureCoordMB(Handle(), in_.Int(), in_.Float(), in_.Float());
      d3dGetTextureCoordMB(Handle(), in_.Int(), Buffer<float>(2).get());
      break;
    case 95:
      d3dSetVertexColor(Handle(), in_.Int(), in_.Int());
      d3dSetVertexColorRGB(Handle(), in_.Int(), in_.Float(), in_.Float(), in_.Float());
      d3dGetVertexColor(Handle(), in_.Int());
      break;
    // ---- Faces ----
    case 96:
    case 97:
      d3dAddVertexFC(Handle(), in_.Float(), in_.Float(), in_.Float());
      break;
    case 98:
      d3dAddVertexAndNormal(Handle(), in_.Int(), in_.Int());
      break;
    case 99:
      d3dGetVertexCountFC(Handle());
      d3dGetVertexFC(Handle(), in_.Int(), Buffer<float>(3).get(), Buffer<float>(3).get());
      d3dGetVertexIndex(Handle(), in_.Int());
      d3dGetNormalFC(Handle(), Buffer<float>(3).get());
      break;
    case 100:
      d3dSetColorFC(Handle(), in_.Int());
      d3dGetColorFC(Handle());
      d3dSetMaterialFC(Handle(), Handle());
      Keep(d3dGetMaterialFC(Handle()));
      d3dSetTextureFC(Handle(), Handle());
      Keep(d3dGetTextureFC(Handle()));
      break;
    case 101:
      d3dSetTextureCoordFC(Handle(), in_.Int(), in_.Float(), in_.Float());
      d3dGetTextureCoordFC(Handle(), in_.Int(), Buffer<float>(2).get());
      d3dSetTextureTopoFC(Handle(), in_.Int());
      d3dGetTextureTopoFC(Handle());
      break;
    // ---- Meshes ----
    case 102: {
      const uint32_t mesh = Handle();
      const int32_t vertexCount = in_.Int(), faceCount = in_.Byte() % 9, perFace = in_.Byte() % 6;
      std::vector<int32_t> data;
      for (int32_t f = 0; f < faceCount; ++f) {
        const int32_t corners = perFace > 0 ? perFace : in_.Byte() % 7;
        if (perFace == 0) data.push_back(corners);
        for (int32_t c = 0; c < corners; ++c)
          data.push_back(in_.Byte() % 2 ? in_.Byte() % 8 : in_.Int());
      }
      auto faceData = std::make_unique<int32_t[]>(data.size());
      std::copy(data.begin(), data.end(), faceData.get());
      // The face count is the one the data holds (or negative: then nothing may be read).
      d3dAddGroup(mesh, vertexCount, in_.Byte() % 8 ? faceCount : -1 - in_.Byte(), perFace,
                  in_.Byte() % 16 ? faceData.get() : nullptr);
      break;
    }
    case 103:
    case 104: {
      const uint32_t mesh = Handle();
      const int32_t group = in_.Int(), first = in_.Int();
      int32_t count = 0;
      auto vertices = Counted<MeshVertex>(count);
      if (in_.Byte() % 2) {
        d3dSetVertices(mesh, group, first, count, vertices.get());
      } else {
        d3dGetVertices(mesh, group, first, count, vertices.get());
      }
      break;
    }
    case 105: {
      const uint32_t mesh = Handle();
      const int32_t group = in_.Int();
      d3dGetGroupCount(mesh);
      d3dGetGroupVertexCount(mesh, group);
      d3dGetGroupFaceCount(mesh, group);
      d3dGetGroupVertexPerFace(mesh, group);
      int32_t size = 0;
      auto data = Counted<int32_t>(size);
      d3dGetGroupData(mesh, group, size, data.get());
      break;
    }
    case 106: {
      const uint32_t mesh = Handle();
      const int32_t group = in_.Int();
      d3dSetGroupColor(mesh, group, in_.Int());
      d3dGetGroupColor(mesh, group);
      d3dSetGroupColorRGB(mesh, group, in_.Float(), in_.Float(), in_.Float());
      d3dSetGroupMapping(mesh, group, in_.Int());
      d3dGetGroupMapping(mesh, group);
      d3dSetGroupQuality(mesh, group, in_.Int());
      d3dGetGroupQuality(mesh, group);
      d3dSetGroupMaterial(mesh, group, Handle());
      Keep(d3dGetGroupMaterial(mesh, group));
      d3dSetGroupTexture(mesh, group, Handle());
      Keep(d3dGetGroupTexture(mesh, group));
      break;
    }
    case 107:
      d3dScaleMS(Handle(), in_.Float(), in_.Float(), in_.Float());
      d3dTranslateMS(Handle(), in_.Float(), in_.Float(), in_.Float());
      d3dGetBoxMS(Handle(), Buffer<float>(6).get());
      break;
    // ---- Lights, materials, textures ----
    case 108: {
      const uint32_t light = Handle();
      d3dSetType(light, in_.Int());
      d3dGetType(light);
      d3dSetColorLT(light, in_.Int());
      d3dGetColorLT(light);
      d3dSetRange(light, in_.Float());
      d3dSetUmbra(light, in_.Float());
      d3dSetPenumbra(light, in_.Float());
      d3dSetConstantAtt(light, in_.Float());
      d3dSetLinearAtt(light, in_.Float());
      d3dSetQuadraticAtt(light, in_.Float());
      d3dGetRange(light);
      d3dGetUmbra(light);
      d3dGetPenumbra(light);
      d3dGetConstantAtt(light);
      d3dGetLinearAtt(light);
      d3dGetQuadraticAtt(light);
      d3dSetEnableFrame(light, Handle());
      Keep(d3dGetEnableFrame(light));
      break;
    }
    case 109: {
      const uint32_t material = Handle();
      d3dSetPower(material, in_.Float());
      d3dGetPower(material);
      d3dSetSpecular(material, in_.Int());
      d3dGetSpecular(material);
      d3dSetEmissive(material, in_.Int());
      d3dGetEmissive(material);
      break;
    }
    case 110: {
      const uint32_t texture = Handle();
      d3dSetTextureColors(texture, in_.Int());
      d3dGetTextureColors(texture);
      d3dSetTextureShades(texture, in_.Int());
      d3dGetTextureShades(texture);
      d3dGetTextureWidth(texture);
      d3dGetTextureHeight(texture);
      d3dSetDecalSize(texture, in_.Float(), in_.Float());
      d3dGetDecalSize(texture, Buffer<float>(2).get());
      d3dSetDecalOrigin(texture, in_.Int(), in_.Int());
      d3dGetDecalOrigin(texture, Buffer<int32_t>(2).get());
      d3dSetDecalScale(texture, in_.Int());
      d3dGetDecalScale(texture);
      d3dSetDecalTransparency(texture, in_.Int());
      d3dGetDecalTransparency(texture);
      d3dSetDecalTranspColor(texture, in_.Int());
      d3dGetDecalTranspColor(texture);
      break;
    }
    // ---- Wraps and animations ----
    case 111:
      if (in_.Byte() % 2) {
        d3dApply(Handle(), Handle());
      } else {
        d3dApplyRelative(Handle(), Handle(), Handle());
      }
      break;
    case 112: {
      const uint32_t a = Handle();
      d3dSetOptions(a, in_.Int());
      d3dGetOptions(a);
      d3dAddPositionKey(a, in_.Float(), in_.Float(), in_.Float(), in_.Float());
      d3dAddScaleKey(a, in_.Float(), in_.Float(), in_.Float(), in_.Float());
      d3dAddRotateKey(a, in_.Float(), in_.Float(), in_.Float(), in_.Float(), in_.Float());
      if (in_.Byte() % 4 == 0) d3dDeleteKey(a, in_.Float());
      d3dSetFrame(a, Handle());
      d3dSetTimeAM(a, in_.Float());
      break;
    }
    case 113: {
      const uint32_t set = Handle();
      if (in_.Byte() % 2) {
        d3dAddAnimation(set, Handle());
      } else {
        d3dDeleteAnimation(set, Handle());
      }
      d3dSetTimeAS(set, in_.Float());
      break;
    }
    // ---- Picking, snapshot, background image ----
    case 114:
    case 115: {
      const uint32_t picked = Keep(d3dPick(Record(), in_.Int(), in_.Int()));
      const uint32_t array = in_.Byte() % 4 ? picked : Handle();
      const int32_t n = d3dPickedCount(array);
      const int32_t index = in_.Byte() % 4 ? (n > 0 ? in_.Byte() % n : 0) : in_.Int();
      Keep(d3dPickedObject(array, index));
      Keep(d3dPickedFrame(array, index));
      break;
    }
    case 116:
      d3dCreateBitmap(Record(), in_.Byte() % 16 ? &picture_ : nullptr);
      break;
    case 117:
      d3dSetImage(Record(), Handle());
      break;
    // ---- Object data ----
    case 118: {
      const uint32_t h = Handle();
      const std::string name = in_.Text();
      d3dSetName(h, in_.Byte() % 16 ? name.c_str() : nullptr);
      d3dSetItemData(h, in_.Int());
      d3dGetItemData(h);
      int32_t size = 0;
      auto buffer = Counted<char>(size);
      if (in_.Byte() % 2) {
        d3dGetName(h, size, buffer.get());
      } else {
        d3dGetClassName(h, size, buffer.get());
      }
      Keep(d3dGetNamedObject(Record(), in_.Byte() % 16 ? name.c_str() : nullptr));
      break;
    }
    default:
      d3dFrameToScene(Handle(), Buffer<float>(3).get());
      d3dSceneToFrame(Handle(), Buffer<float>(3).get());
      break;
  }
}

}  // namespace

int BridgeTarget(const uint8_t* data, size_t size) {
  static const bool ready = [] {
    platform::SetMessageBoxHandler([](platform::HWND, const std::string&, const std::string&,
                                      unsigned) { return platform::IDOK; });
    return true;
  }();
  (void)ready;
  platform::SetScreenBitsPerPixel(32);
  WriteFiles();

  // Slots of handles whose objects died inside the engine are swept lazily, so the engine's own
  // count is what must come back.
  const size_t before = engine::LiveObjectCount();
  {
    Script script(data, size);
    Session(script).Run();
  }
  if (engine::LiveObjectCount() != before) {
    std::fprintf(stderr, "engine objects alive: %zu before, %zu after\n", before,
                 engine::LiveObjectCount());
    FUZZ_CHECK(!"the script left engine objects alive");
  }
  return 0;
}

}  // namespace kubisto::fuzz

KUBISTO_FUZZ_ENTRY(kubisto::fuzz::BridgeTarget)
