#include "output/export_vox.h"

#include <fstream>
#include <stdexcept>

#include "output/output_error.h"
#include "workroom/vox_file.h"

namespace kubisto::output {

void ExportVox(const Layout& layout, const std::string& stagedPath) {
  std::string bytes;
  try {
    bytes = FormatVox(layout);
  } catch (const std::runtime_error& error) {
    throw OutputError(error.what());
  }
  std::ofstream out(stagedPath, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw OutputError("the model could not be written");
}

}  // namespace kubisto::output
