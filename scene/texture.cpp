#include "scene/texture.h"

#include "scene/vantrel_declare.h"
#include "scene/wrapping.h"

namespace kubisto {

using detail::BoolArg;
using detail::Succeeded;

int32_t Texture::SetDecalOrigin(int32_t x, int32_t Y) {
  return vantrel::d3dSetDecalOrigin(lp, x, Y);
}
int32_t Texture::GetDecalOrigin(int32_t* lpOrigin) {
  return vantrel::d3dGetDecalOrigin(lp, lpOrigin);
}
bool Texture::DecalScale() const { return Succeeded(vantrel::d3dGetDecalScale(lp)); }
void Texture::DecalScale(bool bScale) { vantrel::d3dSetDecalScale(lp, BoolArg(bScale)); }
int32_t Texture::SetDecalSize(float x, float Y) { return vantrel::d3dSetDecalSize(lp, x, Y); }
int32_t Texture::GetDecalSize(float* lpSize) { return vantrel::d3dGetDecalSize(lp, lpSize); }
bool Texture::DecalTransparency() const { return Succeeded(vantrel::d3dGetDecalTransparency(lp)); }
void Texture::DecalTransparency(bool bTransparent) {
  vantrel::d3dSetDecalTransparency(lp, BoolArg(bTransparent));
}
int32_t Texture::DecalTransparentColor() const { return vantrel::d3dGetDecalTranspColor(lp); }
void Texture::DecalTransparentColor(int32_t d3dColor) {
  vantrel::d3dSetDecalTranspColor(lp, d3dColor);
}
int32_t Texture::Colors() const { return vantrel::d3dGetTextureColors(lp); }
void Texture::Colors(int32_t nColors) { vantrel::d3dSetTextureColors(lp, nColors); }
int32_t Texture::Shades() const { return vantrel::d3dGetTextureShades(lp); }
void Texture::Shades(int32_t nShades) { vantrel::d3dSetTextureShades(lp, nShades); }
TexturePtr Texture::Clone() const { return detail::Wrapped<Texture>(vantrel::d3dCloneTX(lp)); }
int32_t Texture::Width() const { return vantrel::d3dGetTextureWidth(lp); }
int32_t Texture::Height() const { return vantrel::d3dGetTextureHeight(lp); }

}  // namespace kubisto
