#include "engine/render/scene_renderer.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <vector>

#include "engine/device.h"
#include "engine/frame.h"
#include "engine/light.h"
#include "engine/mesh.h"
#include "engine/meshbuilder.h"
#include "engine/render/draw_context.h"
#include "engine/render/raster_pool.h"
#include "engine/render/scene_walk.h"
#include "engine/render/texture_cache.h"
#include "engine/render/visual_rows.h"
#include "engine/shadow.h"
#include "engine/texture.h"
#include "engine/viewport.h"

namespace engine::render {
namespace {

// How far polygons may reach beyond the viewport before they are clipped to it in screen space.
constexpr float kGuardBand = 4096.0f;

// Collects the scene's lights, in camera space, with where they shine from.
void CollectLights(const Frame& f, const Matrix& world, DrawContext& dc, LightEnv& env, int depth) {
  if (depth > kMaxWalkDepth) return;
  if (!f.GetLights().empty()) {
    const Matrix toCamera = world * dc.worldToCamera;
    for (const Ref<Light>& l : f.GetLights()) {
      AddLight(env, *l, toCamera);
      dc.lightPlacements.push_back({l.get(), world});
    }
  }
  for (const Ref<Frame>& c : f.GetChildren())
    CollectLights(*c, c->LocalTransform() * world, dc, env, depth + 1);
}

// The lights that reach a visual: those without an enable frame, and those whose enable frame
// lies on the visual's path.
uint64_t LightMask(const LightEnv& env, const std::vector<Frame*>& path) {
  uint64_t mask = 0;
  for (size_t i = 0; i < env.lights.size(); ++i) {
    const Frame* enable = env.lights[i].enableFrame;
    if (!enable || std::find(path.begin(), path.end(), enable) != path.end())
      mask |= uint64_t{1} << i;
  }
  return mask;
}

// One visual to draw, as the walk found it, with the rows of the target it may cover.
struct DrawItem {
  Object* visual;
  Matrix world;      // the holding frame's transform into the world
  Matrix modelView;  // and into the camera's space
  Appearance appearance;
  uint64_t lightMask;
  int rowFirst, rowLast;
};

// Lists the visuals in drawing order with the rows each may cover, leaves out those that cover
// none, and prepares what drawing them reads but would otherwise make on first use, so that
// several threads can draw them at once.
struct CollectVisit {
  const DrawContext& dc;
  const LightEnv& env;
  bool anyEnableFrame;
  std::vector<DrawItem>& items;

  void operator()(Object* visual, const Frame& holder, const Matrix& world,
                  const Appearance& appearance, const std::vector<Frame*>& path) {
    (void)holder;
    int first = dc.target.y0, last = dc.target.y1 - 1;
    Box box;
    bool boxed = false;
    switch (visual->GetKind()) {
      case Kind::MeshBuilder: {
        const auto& builder = static_cast<const MeshBuilder&>(*visual);
        builder.GetFaceTable();
        boxed = builder.GetBox(box);
        if (!boxed) return;  // no vertices
        break;
      }
      case Kind::Mesh:
        boxed = static_cast<const Mesh&>(*visual).GetBox(box);
        if (!boxed) return;
        break;
      case Kind::Texture:
      case Kind::Shadow:
        break;
      default:
        return;  // nothing to draw
    }
    const Matrix modelView = world * dc.worldToCamera;
    if (boxed && !RowsOfBox(dc, box, modelView, first, last)) return;
    items.push_back({visual, world, modelView, appearance,
                     anyEnableFrame ? LightMask(env, path) : ~uint64_t{0}, first, last});
  }
};

void DrawOne(DrawContext& dc, const DrawItem& item) {
  dc.lightMask = item.lightMask;
  dc.appearance = item.appearance;
  dc.toWorld = item.world;
  const Matrix& modelView = item.modelView;
  dc.objectCenter = modelView.Position();
  switch (item.visual->GetKind()) {
    case Kind::MeshBuilder:
      DrawBuilder(dc, static_cast<const MeshBuilder&>(*item.visual), modelView);
      break;
    case Kind::Mesh:
      DrawMesh(dc, static_cast<const Mesh&>(*item.visual), modelView);
      break;
    case Kind::Texture:
      DrawDecal(dc, static_cast<const Texture&>(*item.visual));
      break;
    case Kind::Shadow:
      DrawShadow(dc, static_cast<const Shadow&>(*item.visual), item.world);
      break;
    default:
      break;
  }
}

Target TargetOf(Device& device, const Viewport& vp) {
  return {
      device.RawColorBuffer(),   device.RawDepthBuffer(),   device.GetWidth(), vp.GetX(), vp.GetY(),
      vp.GetX() + vp.GetWidth(), vp.GetY() + vp.GetHeight()};
}

// Rows per band of a recorded frame: a few bands per thread, so that a thread that finishes early
// takes another, but not so thin that triangles are set up again in band after band.
int BandRows(int rows, int threads) {
  constexpr int kMinBandRows = 16;
  return std::max(kMinBandRows, (rows + 4 * threads - 1) / (4 * threads));
}

std::atomic<int> forcedBandRows{0};

// Rows per band when drawing: BandRows's on several threads, none on one (the whole view). When
// the frame clears its view as it draws and the view's colours and depths are well beyond the
// core's own cache (1 MiB of L2), bands are cut to 512 KiB of them, so that a band stays in that
// cache from its clear to its last pixel. Counted by cachegrind at 1920 x 1080 on one thread:
// 35 % fewer last-level misses for 2.4 % more instructions (each band transforms again the
// visuals that reach it); bands of 256 KiB missed as often and cost 4.7 %, bands of 1 MiB
// missed 11 % more.
int DrawBandRows(int rows, int width, int threads, bool clearing) {
  if (const int forced = forcedBandRows.load(std::memory_order_relaxed); forced > 0) return forced;
  int band = threads > 1 ? BandRows(rows, threads) : std::max(1, rows);
  constexpr int64_t kLargeView = 2 << 20, kBandBytes = 512 << 10;
  const int64_t rowBytes = static_cast<int64_t>(width) * (sizeof(uint32_t) + sizeof(float));
  if (clearing && rows * rowBytes > kLargeView)
    band = static_cast<int>(std::min<int64_t>(band, std::max<int64_t>(4, kBandBytes / rowBytes)));
  return band;
}

std::atomic<bool> threadCheck{false};
std::atomic<int> threadMismatches{0};

void Render(Viewport& viewport, Frame* frame, int threads);

}  // namespace

void ClearViewport(Viewport& viewport, const Frame* scene) {
  Device* device = viewport.GetDevice();
  if (!device) return;
  const Target t = TargetOf(*device, viewport);
  const Device::Clear clear{t.x0, t.y0, t.x1, t.y1,
                            scene ? scene->GetSceneBackground() & 0xFFFFFF : 0};
  device->MarkDrawn();
  // The clear is left to the drawing that follows, which does it band by band on the thread that
  // draws each band (or to whatever reads the buffers first).
  const Texture* image = scene ? scene->GetSceneBackgroundImage() : nullptr;
  if (!image || image->Empty()) {
    device->DeferClear(clear);
    return;
  }
  // The background image, stretched over the viewport.
  device->FinishClear();
  ClearRows(clear, t.color, t.depth, t.pitch, t.y0, t.y1);
  const int iw = image->GetWidth(), ih = image->GetHeight();
  const int w = t.x1 - t.x0, h = t.y1 - t.y0;
  const Color* px = image->Pixels().data();
  for (int y = 0; y < h; ++y) {
    const Color* src = px + static_cast<size_t>(static_cast<int64_t>(y) * ih / h) * iw;
    uint32_t* dst = t.color + static_cast<size_t>(t.y0 + y) * t.pitch + t.x0;
    for (int x = 0; x < w; ++x) dst[x] = src[static_cast<int64_t>(x) * iw / w] & 0xFFFFFF;
  }
}

void SetThreadCheck(bool on) { threadCheck = on; }
void SetBandRows(int rows) { forcedBandRows = std::max(0, rows); }
int ThreadCheckMismatches() { return threadMismatches; }

void RenderScene(Viewport& viewport, Frame* frame) {
  Device* device = viewport.GetDevice();
  if (!threadCheck || !device) {
    Render(viewport, frame, RenderThreads());
    return;
  }
  // The rectangle's colour and depth before, after one thread, and after n threads.
  const Target t = TargetOf(*device, viewport);
  auto save = [&](std::vector<uint32_t>& color, std::vector<float>& depth) {
    color.clear();
    depth.clear();
    for (int y = t.y0; y < t.y1; ++y) {
      const size_t at = static_cast<size_t>(y) * t.pitch + t.x0;
      color.insert(color.end(), t.color + at, t.color + at + (t.x1 - t.x0));
      depth.insert(depth.end(), t.depth + at, t.depth + at + (t.x1 - t.x0));
    }
  };
  auto restore = [&](const std::vector<uint32_t>& color, const std::vector<float>& depth) {
    const size_t w = static_cast<size_t>(t.x1 - t.x0);
    for (int y = t.y0; y < t.y1; ++y) {
      const size_t at = static_cast<size_t>(y) * t.pitch + t.x0, from = (y - t.y0) * w;
      std::copy_n(color.data() + from, w, t.color + at);
      std::copy_n(depth.data() + from, w, t.depth + at);
    }
  };
  std::vector<uint32_t> color0, color1, colorN;
  std::vector<float> depth0, depth1, depthN;
  // Each run starts before the pending clear, if any, so that each does it as it draws.
  Device::Clear clear;
  const bool clearing = device->TakeClear(clear);
  auto start = [&] {
    if (clearing) device->DeferClear(clear);
  };
  save(color0, depth0);
  start();
  Render(viewport, frame, 1);
  device->FinishClear();
  save(color1, depth1);
  for (int threads : {2, 3}) {
    restore(color0, depth0);
    start();
    Render(viewport, frame, threads);
    device->FinishClear();
    save(colorN, depthN);
    // Depths compared bit for bit: the same value must be written, not an equal one.
    if (colorN != color1 || depthN.size() != depth1.size() ||
        std::memcmp(depthN.data(), depth1.data(), depth1.size() * sizeof(float)) != 0)
      ++threadMismatches;
  }
}

namespace {

// What Render keeps from call to call on its calling thread, so that its buffers are allocated
// once: the frame's context and lights, the visuals found, and their filing into bands.
struct RenderScratch {
  DrawContext dc;
  LightEnv env;
  std::vector<DrawItem> items;
  std::vector<std::vector<uint32_t>> bandItems;  // per band, indices into items in drawing order
  std::vector<int> order;                        // the bands in the order they are handed out
  unsigned renders = 0;
};

// A drawing thread's own context, and a copy of the lights (read for every corner lit: a copy
// near this thread's data).
struct WorkerScratch {
  DrawContext dc;
  LightEnv lights;
};

// The target, projection, camera, fog and device settings of the frame. False when the camera
// cannot be inverted (nothing is drawn).
bool SetUpFrame(DrawContext& dc, Viewport& viewport, Device& device, const Frame& camera,
                const SceneSettings& settings) {
  dc.target = TargetOf(device, viewport);
  dc.proj = viewport.GetProjectionParams();
  dc.guardX0 = static_cast<float>(dc.target.x0) - kGuardBand;
  dc.guardY0 = static_cast<float>(dc.target.y0) - kGuardBand;
  dc.guardX1 = static_cast<float>(dc.target.x1) + kGuardBand;
  dc.guardY1 = static_cast<float>(dc.target.y1) + kGuardBand;
  if (!Invert(camera.WorldTransform(), dc.worldToCamera)) return false;
  dc.fog.enabled = settings.fogEnable;
  dc.fog.mode = settings.fogMode;
  dc.fog.start = settings.fogStart;
  dc.fog.end = settings.fogEnd;
  dc.fog.density = settings.fogDensity;
  dc.fogColor = settings.fogColor & 0xFFFFFF;
  dc.deviceQuality = device.GetQuality();
  dc.textureQuality = device.GetTextureQuality();
  dc.mono = device.GetColorModel() == kColorModelMono;
  dc.shades = device.GetShades();
  return true;
}

// The scene's lights into r.env (and where they shine from into r.dc); whether any of them has an
// enable frame.
bool GatherLights(RenderScratch& r, const Frame& root) {
  r.env.lights.clear();
  r.env.positionDependent = false;
  r.dc.lightPlacements.clear();
  CollectLights(root, root.LocalTransform(), r.dc, r.env, 0);
  r.dc.lights = &r.env;
  r.dc.litReusable = false;  // its lights were another frame's
  bool anyEnableFrame = false;
  for (const PreparedLight& l : r.env.lights) anyEnableFrame = anyEnableFrame || l.enableFrame;
  return anyEnableFrame;
}

// The visuals below frame in drawing order, with the rows each may cover, into r.items.
void CollectItems(RenderScratch& r, Frame* frame, bool anyEnableFrame) {
  r.items.clear();
  CollectVisit collect{r.dc, r.env, anyEnableFrame, r.items};
  SceneWalk<CollectVisit> walk(collect);
  walk.Run(frame);
}

// Files every visual under each band of bandRows rows that it may cover, in drawing order, and
// orders the bands by how many visuals they hold, most first, so that the threads finish
// together. Returns the number of bands.
int FileIntoBands(RenderScratch& r, int bandRows) {
  const Target& t = r.dc.target;
  const int bands = (t.y1 - t.y0 + bandRows - 1) / bandRows;
  if (r.bandItems.size() < static_cast<size_t>(bands))
    r.bandItems.resize(static_cast<size_t>(bands));
  for (int k = 0; k < bands; ++k) r.bandItems[static_cast<size_t>(k)].clear();
  for (size_t i = 0; i < r.items.size(); ++i) {
    const int from = (r.items[i].rowFirst - t.y0) / bandRows,
              to = (r.items[i].rowLast - t.y0) / bandRows;
    for (int k = from; k <= to; ++k)
      r.bandItems[static_cast<size_t>(k)].push_back(static_cast<uint32_t>(i));
  }
  r.order.resize(static_cast<size_t>(bands));
  for (int k = 0; k < bands; ++k) r.order[static_cast<size_t>(k)] = k;
  const auto& filed = r.bandItems;
  std::stable_sort(r.order.begin(), r.order.end(), [&filed](int a, int b) {
    return filed[static_cast<size_t>(a)].size() > filed[static_cast<size_t>(b)].size();
  });
  return bands;
}

// Each band of rows is drawn by one thread, from the visuals that may cover it, in order: a
// visual that spans several bands is transformed in each, and each draws only the faces that
// reach its rows. A pending clear (clear, when not null) is done by each band first.
void DrawBands(const RenderScratch& r, int threads, int bandRows, int bands,
               const Device::Clear* clear) {
  const RenderScratch* scratch = &r;  // inside the job, thread_local names are each worker's own
  ParallelFor(threads, bands, [scratch, bandRows, clear](int n) {
    const FrameSettings& settings = scratch->dc;
    const int k = scratch->order[static_cast<size_t>(n)];
    thread_local WorkerScratch w;
    static_cast<FrameSettings&>(w.dc) = settings;
    w.lights = *settings.lights;
    w.dc.lights = &w.lights;
    w.dc.litReusable = false;  // its lights were another frame's
    Target& t = w.dc.target;
    t.rowBegin = settings.target.y0 + k * bandRows;
    t.rowEnd = std::min(settings.target.y1, t.rowBegin + bandRows);
    if (clear) ClearRows(*clear, t.color, t.depth, t.pitch, t.rowBegin, t.rowEnd);
    for (uint32_t i : scratch->bandItems[static_cast<size_t>(k)]) DrawOne(w.dc, scratch->items[i]);
  });
}

// Takes the device's pending clear when it is of the target's rectangle, for the drawing to do;
// one of another rectangle is done at once.
bool TakeClearOf(Device& device, const Target& t, Device::Clear& clear) {
  if (!device.TakeClear(clear)) return false;
  if (clear.x0 == t.x0 && clear.y0 == t.y0 && clear.x1 == t.x1 && clear.y1 == t.y1) return true;
  ClearRows(clear, t.color, t.depth, t.pitch, clear.y0, clear.y1);
  return false;
}

void Render(Viewport& viewport, Frame* frame, int threads) {
  Device* device = viewport.GetDevice();
  Frame* camera = viewport.GetCamera();
  if (!device || !camera || !frame) return;
  thread_local RenderScratch r;
  const Frame* root = frame->GetScene();
  if (!SetUpFrame(r.dc, viewport, *device, *camera, root->GetSceneSettings())) return;
  const bool anyEnableFrame = GatherLights(r, *root);
  CollectItems(r, frame, anyEnableFrame);

  const Target& t = r.dc.target;
  Device::Clear clear;
  const bool clearing = TakeClearOf(*device, t, clear);
  const int rows = t.y1 - t.y0;
  const int bandRows = DrawBandRows(rows, t.x1 - t.x0, threads, clearing);
  if (rows > 1 && (threads > 1 || bandRows < rows)) {
    DrawBands(r, threads, bandRows, FileIntoBands(r, bandRows), clearing ? &clear : nullptr);
  } else {
    if (clearing) ClearRows(clear, t.color, t.depth, t.pitch, t.y0, t.y1);
    for (const DrawItem& item : r.items) DrawOne(r.dc, item);
  }
  device->MarkDrawn();

  // Now and then, forget the prepared copies of textures that are gone (a rebuilt room loads its
  // pictures anew).
  if (++r.renders % 64 == 0) PruneTextureCache();
}

}  // namespace

}  // namespace engine::render
