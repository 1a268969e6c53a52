// Forward declarations of the scene classes and their shared-pointer names. Members that return or
// take another scene class use these names, so that a member may bear the name of a class
// (Frame::Texture, MeshBuilder::Material, Direct3DRM::Pick) without hiding it.
#pragma once

#include <memory>

#include "scene/scene_object.h"

namespace platform {
class Picture;
}

namespace kubisto {

class Direct3DRM;
class Face;
class Frame;
class Light;
class Material;
class Mesh;
class MeshBuilder;
class Pick;
class Shadow;
class Texture;
class Wrap;

using FacePtr = std::shared_ptr<Face>;
using FramePtr = std::shared_ptr<Frame>;
using LightPtr = std::shared_ptr<Light>;
using MaterialPtr = std::shared_ptr<Material>;
using MeshPtr = std::shared_ptr<Mesh>;
using MeshBuilderPtr = std::shared_ptr<MeshBuilder>;
using PickPtr = std::shared_ptr<Pick>;
using ShadowPtr = std::shared_ptr<Shadow>;
using TexturePtr = std::shared_ptr<Texture>;
using WrapPtr = std::shared_ptr<Wrap>;

// Gives back a picture's reference when the holder lets it go.
struct PictureRelease {
  void operator()(platform::Picture* picture) const noexcept;
};
// A picture that the caller owns (one reference).
using PicturePtr = std::unique_ptr<platform::Picture, PictureRelease>;

}  // namespace kubisto
