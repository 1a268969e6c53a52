#include "output/render_layout.h"

#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>

#include "output/output_error.h"
#include "output/output_files.h"
#include "output/working_directory.h"
#include "platform/scoped_window.h"
#include "platform/window.h"
#include "workroom/workroom.h"

namespace kubisto::output {
platform::ScopedWindow ViewWindow(int width, int height) {
  platform::ScopedWindow window(width, height);
  if (!window) throw OutputError("cannot make a view of that size", OutputError::Cause::kRequest);
  return window;
}

Picture RenderLayout(const Layout& layout, const RenderRequest& request,
                     const std::string& dataDir) {
  WorkingDirectory data(dataDir);
  const platform::ScopedWindow window = ViewWindow(request.width, request.height);
  Picture picture;
  {
    // The room goes before its window.
    CWorkRoom room;
    // The cell count first, so that the room is built once, for the layout's count.
    room.Divide(layout.divide);
    room.HandleOfPictureBoxForD3dIO(window.get());
    room.ReplaceBlocks(layout.divide, layout.records);
    if (!request.view.empty()) room.SetView(request.view);
    for (const std::string& turn : request.turns) room.Turn(turn);
    if (!platform::ReadFramebuffer(window.get(), picture.pixels, &picture.width, &picture.height))
      throw OutputError("the view could not be read");
  }
  return picture;
}

namespace {

void PutBig32(std::string& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
  PutBig32(out, static_cast<std::uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  out += body;
  PutBig32(out, static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                                 static_cast<uInt>(body.size()))));
}

// An 8-bit RGB PNG. Each row is filtered by its left neighbour and deflated at zlib's fastest
// level: the file is a little larger than it could be, and written in a fraction of the time.
bool EncodePng(const Picture& picture, std::string& png) {
  const int w = picture.width, h = picture.height;
  std::string raw;
  raw.reserve(static_cast<size_t>(h) * (1 + 3 * static_cast<size_t>(w)));
  for (int y = 0; y < h; ++y) {
    raw += '\x01';  // the "sub" filter
    unsigned char left[3] = {0, 0, 0};
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = picture.pixels[static_cast<size_t>(y) * w + x];
      const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16),
                                    static_cast<unsigned char>(p >> 8),
                                    static_cast<unsigned char>(p)};
      for (int c = 0; c < 3; ++c) {
        raw += static_cast<char>(static_cast<unsigned char>(rgb[c] - left[c]));
        left[c] = rgb[c];
      }
    }
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packedSize, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize,
                reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                1) != Z_OK)
    return false;
  packed.resize(packedSize);

  std::string header;
  PutBig32(header, static_cast<std::uint32_t>(w));
  PutBig32(header, static_cast<std::uint32_t>(h));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, filters, no interlace
  png = "\x89PNG\r\n\x1a\n";
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", "");
  return true;
}

}  // namespace

void WritePng(const Picture& picture, const std::string& path) {
  std::string png;
  if (picture.width <= 0 || picture.height <= 0 || !EncodePng(picture, png))
    throw OutputError("cannot write " + path + ": the picture could not be encoded");
  StagedOutput out(path);
  std::ofstream file(out.Staged(), std::ios::binary);
  file.write(png.data(), static_cast<std::streamsize>(png.size()));
  file.close();
  if (!file) throw OutputError("cannot write " + path + ": " + std::strerror(errno));
  out.Commit();
}

}  // namespace kubisto::output
