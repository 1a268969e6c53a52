#include "engine/render/texture_cache.h"

#include <memory>
#include <mutex>
#include <unordered_map>

#include "engine/texture.h"

namespace engine::render {
namespace {

struct Entry {
  uint64_t generation = 0;
  std::unique_ptr<MipTexture> mip;
};

// Keyed by the texture's serial, which is never reused, so a dead texture's entry is never mistaken
// for a new one.
// Render threads prepare textures at the same time.
std::mutex cacheMutex;

std::unordered_map<uint64_t, Entry>& Cache() {
  static std::unordered_map<uint64_t, Entry> cache;
  return cache;
}

}  // namespace

const MipTexture* PreparedTexture(const Texture* t) {
  if (!t || t->Empty() || t->GetWidth() <= 0 || t->GetHeight() <= 0) return nullptr;
  std::lock_guard<std::mutex> lock(cacheMutex);
  Entry& e = Cache()[t->Serial()];
  if (!e.mip || e.generation != t->Generation()) {
    e.mip = std::make_unique<MipTexture>();
    e.generation = t->Generation();
    if (!e.mip->Build(t->Pixels().data(), t->GetWidth(), t->GetHeight(), t->GetWidth())) {
      e.mip.reset();
      return nullptr;
    }
  }
  return e.mip.get();
}

void PruneTextureCache() {
  std::lock_guard<std::mutex> lock(cacheMutex);
  auto& cache = Cache();
  for (auto it = cache.begin(); it != cache.end();) {
    if (!FindObjectBySerial(it->first)) {
      it = cache.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace engine::render
