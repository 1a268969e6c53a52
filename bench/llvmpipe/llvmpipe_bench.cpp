// Mesa's llvmpipe (software OpenGL) drawing the same room as bench/engine_bench.cpp, so that the
// software renderer's frame times can be set beside it. A one-off measurement, never part of the
// normal build: it needs Mesa's EGL and DRI packages (libegl-mesa0, libgl1-mesa-dri, libegl-dev,
// libgl-dev), which the project's set-up does not install. Build and run by hand:
//
//   cmake -S . -B build-llvmpipe -G Ninja -DCMAKE_BUILD_TYPE=Release -DKUBISTO_BUILD_APP=OFF
//         -DKUBISTO_BENCH_LLVMPIPE=ON
//   cmake --build build-llvmpipe --target llvmpipe_bench engine_bench -j2
//   LP_NUM_THREADS=1 build-llvmpipe/bin/llvmpipe_bench --benchmark_repetitions=6
//         --benchmark_report_aggregates_only=true
//   build-llvmpipe/bin/llvmpipe_bench --llvmpipe_png=room.png   # the 416 x 338 picture, to look at
//   build-llvmpipe/bin/llvmpipe_bench --frames=N --size=WxH      # N frames untimed (for valgrind)
//
// The room is built by the renderer tests' room fixture (engine/tests/support) and read through the
// engine's const accessors: every builder's faces become world-space triangles (normals, colours,
// texture coordinates) in one vertex buffer, uploaded once with the wall pictures as mipmapped
// textures. A frame is glClear, one draw per texture, glFinish: fixed-function lighting (the
// scene's ambient and directional lights), Gouraud shading, back-face culling, depth test, nearest
// mipmap with bilinear texels (the room's texture quality). The camera's projection is the
// viewport's: uniform scaling fits the field to the shorter side.
#define EGL_EGLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "engine/face.h"
#include "engine/light.h"
#include "engine/tests/support/room_scene.h"
#include "engine/texture.h"

namespace {

using namespace engine;

// ---- The GL context: surfaceless EGL, desktop GL with the fixed-function pipeline ----

bool g_contextReady = false;
std::string g_renderer;

bool MakeContext() {
  if (g_contextReady) return true;
  EGLDisplay dpy =
      eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (dpy == EGL_NO_DISPLAY) return false;
  EGLint major = 0, minor = 0;
  if (!eglInitialize(dpy, &major, &minor)) return false;
  if (!eglBindAPI(EGL_OPENGL_API)) return false;
  EGLContext ctx = eglCreateContext(dpy, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, nullptr);
  if (ctx == EGL_NO_CONTEXT) return false;
  if (!eglMakeCurrent(dpy, EGL_NO_SURFACE, EGL_NO_SURFACE, ctx)) return false;
  const char* r = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  g_renderer = r ? r : "?";
  g_contextReady = true;
  return true;
}

// An off-screen target of w x h: RGBA8 colour and a 24-bit depth buffer.
struct Target {
  GLuint fbo = 0, colour = 0, depth = 0;
  Target(int w, int h) {
    glGenFramebuffers(1, &fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glGenRenderbuffers(1, &colour);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, w, h);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    glGenRenderbuffers(1, &depth);
    glBindRenderbuffer(GL_RENDERBUFFER, depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, w, h);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
  }
  ~Target() {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(1, &colour);
    glDeleteRenderbuffers(1, &depth);
    glDeleteFramebuffers(1, &fbo);
  }
  bool Complete() const {
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
  }
};

// ---- The room as GL vertex arrays ----

struct Vertex {
  float x, y, z;
  float nx, ny, nz;
  float u, v;
  uint8_t rgba[4];
};

struct Batch {
  GLuint texture = 0;  // 0: untextured
  GLint first = 0;
  GLsizei count = 0;
};

struct DirLight {
  float direction[3];  // world space, the way the light shines
  float rgb[3];
};

struct GlScene {
  GLuint vbo = 0;
  std::vector<GLuint> textures;
  std::vector<Batch> batches;
  float ambient[3] = {0, 0, 0};
  std::vector<DirLight> lights;
  float view[16];    // world to GL eye space (z flipped: the engine's space is left-handed)
  float frustum[6];  // left, right, bottom, top, near, far
  float background[4];
  size_t triangles = 0;

  ~GlScene() {
    if (vbo) glDeleteBuffers(1, &vbo);
    if (!textures.empty()) glDeleteTextures(static_cast<GLsizei>(textures.size()), textures.data());
  }
};

void PutColour(Color c, uint8_t out[4]) {
  out[0] = static_cast<uint8_t>(c >> 16);
  out[1] = static_cast<uint8_t>(c >> 8);
  out[2] = static_cast<uint8_t>(c);
  out[3] = static_cast<uint8_t>(c >> 24);
}

using Buckets = std::map<const Texture*, std::vector<Vertex>>;

void AddBuilder(const MeshBuilder& b, const Matrix& world, Buckets& buckets) {
  for (const Ref<Face>& fr : b.Faces()) {
    const Face& f = *fr;
    const int n = f.GetVertexCount();
    Vector faceNormal;
    if (n < 3 || !f.GetNormal(faceNormal)) continue;
    const Texture* tex = f.GetTexture();
    if (tex && tex->Empty()) tex = nullptr;
    std::vector<Vertex> corners(n);
    for (int i = 0; i < n; ++i) {
      Vector p, nl;
      f.GetVertex(i, p, nl);
      if (Dot(nl, nl) == 0.0f) nl = faceNormal;
      Vector wp = TransformPoint(p, world), wn;
      if (!Normalize(TransformDirection(nl, world), wn)) wn = Vector{0, 0, 1};
      Vertex& v = corners[i];
      v = Vertex{wp.x, wp.y, wp.z, wn.x, wn.y, wn.z, 0, 0, {}};
      f.GetTextureCoordinates(i, v.u, v.v);
      Color c = f.GetColor();
      if (b.GetColorSource() == kColorFromVertex) c = b.GetVertexColor(f.GetVertexIndex(i));
      if (tex) c = kWhite;  // the picture replaces the surface colour; light still modulates it
      PutColour(c, v.rgba);
    }
    std::vector<Vertex>& out = buckets[tex];
    for (int i = 1; i + 1 < n; ++i) {
      out.push_back(corners[0]);
      out.push_back(corners[i]);
      out.push_back(corners[i + 1]);
    }
  }
}

void Walk(const Frame& frame, Buckets& buckets, GlScene& gs) {
  const Matrix world = frame.WorldTransform();
  for (const Ref<Light>& l : frame.GetLights()) {
    Color c = l->GetColor();
    float rgb[3] = {ColorGetRed(c), ColorGetGreen(c), ColorGetBlue(c)};
    if (l->GetType() == kLightAmbient) {
      for (int k = 0; k < 3; ++k) gs.ambient[k] += rgb[k];
    } else if (l->GetType() == kLightDirectional) {
      Vector d;
      if (!Normalize(TransformDirection(Vector{0, 0, 1}, world), d)) d = Vector{0, 0, 1};
      gs.lights.push_back({{d.x, d.y, d.z}, {rgb[0], rgb[1], rgb[2]}});
    }
  }
  for (const Ref<Object>& v : frame.GetVisuals())
    if (auto* b = dynamic_cast<const MeshBuilder*>(v.get())) AddBuilder(*b, world, buckets);
  for (const Ref<Frame>& c : frame.GetChildren()) Walk(*c, buckets, gs);
}

GLuint UploadTexture(const Texture& t, bool wrapU, bool wrapV) {
  GLuint id = 0;
  glGenTextures(1, &id);
  glBindTexture(GL_TEXTURE_2D, id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapU ? GL_REPEAT : GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapV ? GL_REPEAT : GL_CLAMP_TO_EDGE);
  // Colours are 0xAARRGGBB words: B, G, R, A in memory on this little-endian machine.
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, t.GetWidth(), t.GetHeight(), 0, GL_BGRA,
               GL_UNSIGNED_INT_8_8_8_8_REV, t.Pixels().data());
  glGenerateMipmap(GL_TEXTURE_2D);
  return id;
}

std::unique_ptr<GlScene> ToGl(const room::Room& r) {
  auto gs = std::make_unique<GlScene>();
  Buckets buckets;
  Walk(*r.scene, buckets, *gs);

  std::vector<Vertex> all;
  for (auto& [tex, verts] : buckets) {
    Batch batch;
    if (tex) {
      batch.texture = UploadTexture(*tex, false, false);
      gs->textures.push_back(batch.texture);
    }
    batch.first = static_cast<GLint>(all.size());
    batch.count = static_cast<GLsizei>(verts.size());
    all.insert(all.end(), verts.begin(), verts.end());
    gs->batches.push_back(batch);
  }
  gs->triangles = all.size() / 3;
  glGenBuffers(1, &gs->vbo);
  glBindBuffer(GL_ARRAY_BUFFER, gs->vbo);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(all.size() * sizeof(Vertex)), all.data(),
               GL_STATIC_DRAW);

  // The camera: world to the engine's camera space (row vectors, so the matrix's rows laid out one
  // after another are GL's column-major layout), then z negated for GL's right-handed eye space.
  Matrix toCamera;
  Invert(r.camera->WorldTransform(), toCamera);
  Matrix flip = Matrix::Scaling(Vector{1, 1, -1});
  Matrix view = toCamera * flip;
  std::memcpy(gs->view, &view.m[0][0], sizeof gs->view);

  // The viewport's perspective: a camera-space point (x, y, z) lands x * front / z * scale pixels
  // from the centre, scale fitting the plane (the field each way) to the shorter side.
  const Viewport& vp = *r.viewport;
  float left, right, bottom, top;
  vp.GetPlane(left, right, bottom, top);
  const float w = static_cast<float>(vp.GetWidth()), h = static_cast<float>(vp.GetHeight());
  float sx = w / (right - left), sy = h / (top - bottom);
  if (vp.GetUniformScaling()) sx = sy = std::min(sx, sy);
  const float cx = (left + right) * 0.5f, cy = (bottom + top) * 0.5f;
  gs->frustum[0] = cx - w * 0.5f / sx;
  gs->frustum[1] = cx + w * 0.5f / sx;
  gs->frustum[2] = cy - h * 0.5f / sy;
  gs->frustum[3] = cy + h * 0.5f / sy;
  gs->frustum[4] = vp.GetFront();
  gs->frustum[5] = vp.GetBack();

  Color bg = r.scene->GetSceneBackground();
  gs->background[0] = ColorGetRed(bg);
  gs->background[1] = ColorGetGreen(bg);
  gs->background[2] = ColorGetBlue(bg);
  gs->background[3] = 1.0f;
  return gs;
}

// The state that stays for every frame.
void SetUpState(const GlScene& gs, int w, int h) {
  glViewport(0, 0, w, h);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(gs.frustum[0], gs.frustum[1], gs.frustum[2], gs.frustum[3], gs.frustum[4],
            gs.frustum[5]);
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixf(gs.view);

  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  // The engine's fronts run clockwise as seen from the camera, and stay so on GL's screen.
  glFrontFace(GL_CW);
  glShadeModel(GL_SMOOTH);
  glDisable(GL_DITHER);

  glEnable(GL_LIGHTING);
  const float ambient[4] = {gs.ambient[0], gs.ambient[1], gs.ambient[2], 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_FALSE);
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  const float none[4] = {0, 0, 0, 1};
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, none);
  glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, none);
  for (size_t i = 0; i < gs.lights.size() && i < 8; ++i) {
    const DirLight& l = gs.lights[i];
    GLenum id = GL_LIGHT0 + static_cast<GLenum>(i);
    const float rgb[4] = {l.rgb[0], l.rgb[1], l.rgb[2], 1};
    glLightfv(id, GL_DIFFUSE, rgb);
    glLightfv(id, GL_AMBIENT, none);
    glLightfv(id, GL_SPECULAR, none);
    // A directional light's position is the direction toward it, taken through the view matrix.
    const float toward[4] = {-l.direction[0], -l.direction[1], -l.direction[2], 0};
    glLightfv(id, GL_POSITION, toward);
    glEnable(id);
  }
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

  glBindBuffer(GL_ARRAY_BUFFER, gs.vbo);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(3, GL_FLOAT, sizeof(Vertex), reinterpret_cast<void*>(offsetof(Vertex, x)));
  glNormalPointer(GL_FLOAT, sizeof(Vertex), reinterpret_cast<void*>(offsetof(Vertex, nx)));
  glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), reinterpret_cast<void*>(offsetof(Vertex, u)));
  glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vertex),
                 reinterpret_cast<void*>(offsetof(Vertex, rgba)));
  glClearColor(gs.background[0], gs.background[1], gs.background[2], gs.background[3]);
  glClearDepth(1.0);
}

void DrawFrame(const GlScene& gs) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  for (const Batch& b : gs.batches) {
    if (b.texture) {
      glEnable(GL_TEXTURE_2D);
      glBindTexture(GL_TEXTURE_2D, b.texture);
    } else {
      glDisable(GL_TEXTURE_2D);
    }
    glDrawArrays(GL_TRIANGLES, b.first, b.count);
  }
  glFinish();
}

// The room exactly as bench/engine_bench.cpp makes it.
std::unique_ptr<room::Room> MakeRoom(int w, int h, bool fill) {
  auto r = room::BuildRoom(w, h, KUBISTO_SOURCE_DIR "/assets/files/walls");
  if (r && fill) {
    const Color colours[6] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu,
                              0xFFFFFF00u, 0xFF00FFFFu, 0xFFFF00FFu};
    int n = 0;
    for (int x = 0; x < r->divide; ++x)
      for (int y = 0; y < r->divide; ++y)
        for (int z = 0; z < r->divide; ++z) room::AddBlock(*r, x, y, z, colours[n++ % 6]);
  }
  return r;
}

void Frame(benchmark::State& state, int w, int h, bool fill) {
  if (!MakeContext()) {
    state.SkipWithError("no EGL/GL context");
    return;
  }
  auto r = MakeRoom(w, h, fill);
  if (!r) {
    state.SkipWithError("cannot build the room");
    return;
  }
  Target target(w, h);
  if (!target.Complete()) {
    state.SkipWithError("framebuffer incomplete");
    return;
  }
  auto gs = ToGl(*r);
  SetUpState(*gs, w, h);
  DrawFrame(*gs);  // first frame: the driver compiles its shaders and lays out the textures
  for (auto _ : state) DrawFrame(*gs);
  state.SetLabel(g_renderer + ", " + std::to_string(gs->triangles) + " triangles");
}

void BM_RoomFrame_416x338_NoBlocks(benchmark::State& s) { Frame(s, 416, 338, false); }
void BM_RoomFrame_416x338_125Blocks(benchmark::State& s) { Frame(s, 416, 338, true); }
void BM_RoomFrame_800x600_125Blocks(benchmark::State& s) { Frame(s, 800, 600, true); }
void BM_RoomFrame_832x676_125Blocks(benchmark::State& s) { Frame(s, 832, 676, true); }
void BM_RoomFrame_1920x1080_125Blocks(benchmark::State& s) { Frame(s, 1920, 1080, true); }

// Wall-clock time: with LP_NUM_THREADS=1 llvmpipe rasterizes on its own thread while the caller
// waits in glFinish, so the caller's CPU time would leave most of the work out. LP_NUM_THREADS=0
// rasterizes in the caller, all on one thread. The CPU column is the whole process's.
BENCHMARK(BM_RoomFrame_416x338_NoBlocks)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_RoomFrame_416x338_125Blocks)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_RoomFrame_800x600_125Blocks)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_RoomFrame_832x676_125Blocks)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(BM_RoomFrame_1920x1080_125Blocks)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// Writes the 416 x 338 room with every block, read back from GL, as a PNG.
int WritePicture(const char* path) {
  const int w = 416, h = 338;
  if (!MakeContext()) return std::fprintf(stderr, "no EGL/GL context\n"), 1;
  auto r = MakeRoom(w, h, true);
  if (!r) return std::fprintf(stderr, "cannot build the room\n"), 1;
  Target target(w, h);
  if (!target.Complete()) return std::fprintf(stderr, "framebuffer incomplete\n"), 1;
  auto gs = ToGl(*r);
  SetUpState(*gs, w, h);
  DrawFrame(*gs);
  std::vector<uint8_t> px(static_cast<size_t>(w) * h * 4), flipped(px.size());
  glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
  for (int y = 0; y < h; ++y)  // GL's rows run bottom to top
    std::memcpy(&flipped[static_cast<size_t>(y) * w * 4],
                &px[static_cast<size_t>(h - 1 - y) * w * 4], static_cast<size_t>(w) * 4);
  std::printf("%s, %zu triangles\n", g_renderer.c_str(), gs->triangles);
  return stbi_write_png(path, w, h, 4, flipped.data(), w * 4) ? 0 : 1;
}

// The room with every block at w x h: one frame to warm up (shaders compiled), then `frames` more,
// untimed, so that bench/cachegrind_frames.py can count a fixed amount of work.
int DrawFrames(int frames, int w, int h) {
  if (!MakeContext()) return std::fprintf(stderr, "no EGL/GL context\n"), 1;
  auto r = MakeRoom(w, h, true);
  if (!r) return std::fprintf(stderr, "cannot build the room\n"), 1;
  Target target(w, h);
  if (!target.Complete()) return std::fprintf(stderr, "framebuffer incomplete\n"), 1;
  auto gs = ToGl(*r);
  SetUpState(*gs, w, h);
  DrawFrame(*gs);
  for (int n = 0; n < frames; ++n) DrawFrame(*gs);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // llvmpipe on one thread unless told otherwise, reached through EGL without a display.
  setenv("LP_NUM_THREADS", "1", 0);
  setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
  setenv("GALLIUM_DRIVER", "llvmpipe", 0);
  const char* flag = "--llvmpipe_png=";
  for (int i = 1; i < argc; ++i)
    if (std::strncmp(argv[i], flag, std::strlen(flag)) == 0)
      return WritePicture(argv[i] + std::strlen(flag));
  int frames = -1, w = 416, h = 338;
  for (int i = 1; i < argc; ++i)
    if (std::sscanf(argv[i], "--frames=%d", &frames) != 1)
      std::sscanf(argv[i], "--size=%dx%d", &w, &h);
  if (frames >= 0) return DrawFrames(frames, w, h);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
