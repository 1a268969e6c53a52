// Mipmapped copies of the engine's textures, prepared once and kept while the texture lives and its
// pixels do not change.
#pragma once

#include "engine/render/mip_texture.h"

namespace engine {
class Texture;
}

namespace engine::render {

// The prepared copy of t; nullptr for a null or empty texture (which then draws untextured).
const MipTexture* PreparedTexture(const Texture* t);
// Forgets the copies of textures that no longer exist.
void PruneTextureCache();

}  // namespace engine::render
