#include "web/src/web_services.h"

#include <stdexcept>
#include <utility>

#include "workroom/layout_file.h"

namespace kubisto::web {

int WebServices::MessageBox(const std::string& text, int, const std::string&) {
  m_messages.push_back(text);
  return vbOK;
}

void WebServices::PlayWave(const std::string& path, bool) {
  // "/kubisto/sound/move.wav" -> "move"
  std::string name = path.substr(path.rfind('/') + 1);
  if (const size_t dot = name.rfind('.'); dot != std::string::npos) name.resize(dot);
  if (m_sounds.size() < 64) m_sounds.push_back(std::move(name));
}

void WebServices::EndProgram() { throw std::runtime_error("the 3D view could not be set up"); }

std::string WebServices::AppTitle() { return kLayoutTitle; }

std::vector<std::string> WebServices::TakeSounds() { return std::exchange(m_sounds, {}); }

std::vector<std::string> WebServices::TakeMessages() { return std::exchange(m_messages, {}); }

}  // namespace kubisto::web
