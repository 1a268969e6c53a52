#include "workroom/redraw_pacer.h"

#include "workroom/steps.h"

namespace kubisto {

bool RedrawPacer::PutOff() {
  if (depth_ == 0) return false;
  // The first redraw of a paced change is drawn at once.
  if (drawnInScope_ && now_() - last_ < kFrame) {
    owed_ = true;
    return true;
  }
  return false;
}

void RedrawPacer::Drawn() {
  owed_ = false;
  if (depth_ > 0) {
    drawnInScope_ = true;
    last_ = now_();
  }
}

RedrawPacer::Scope::Scope(RedrawPacer& pacer, bool quiet, std::function<void()> draw)
    : pacer_(pacer), quiet_(quiet), draw_(std::move(draw)) {
  if (quiet_ && pacer_.depth_++ == 0) {
    pacer_.owed_ = false;
    pacer_.drawnInScope_ = false;
  }
}

RedrawPacer::Scope::~Scope() {
  if (!quiet_ || --pacer_.depth_ > 0) return;
  if (pacer_.owed_) TryStep([this] { draw_(); });
  pacer_.owed_ = false;
}

}  // namespace kubisto
