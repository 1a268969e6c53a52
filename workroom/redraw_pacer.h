// Paces the redraws of a long change that no sound slows down (a quiet load, emptying a full
// room): while a scope is open, a redraw asked for within one display frame of the last one drawn
// is put off, and the outermost scope's end draws what was put off. The blocks still appear as
// they come, and the last picture is the one that drawing every step would leave.
#pragma once

#include <chrono>
#include <functional>

namespace kubisto {

class RedrawPacer {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr std::chrono::milliseconds kFrame{16};

  // now: the clock (tests give their own).
  explicit RedrawPacer(std::function<Clock::time_point()> now = &Clock::now)
      : now_(std::move(now)) {}

  // True when the redraw asked for now is to be put off; the pacer then owes one.
  bool PutOff();
  // A redraw was drawn: nothing is owed until the next one is put off.
  void Drawn();

  // Paces the redraws from construction to destruction when quiet; the outermost scope's end runs
  // draw once if a redraw was put off. Scopes nest.
  class Scope {
   public:
    Scope(RedrawPacer& pacer, bool quiet, std::function<void()> draw);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    RedrawPacer& pacer_;
    bool quiet_;
    std::function<void()> draw_;
  };

 private:
  std::function<Clock::time_point()> now_;
  int depth_ = 0;  // open quiet scopes
  bool owed_ = false;
  bool drawnInScope_ = false;
  Clock::time_point last_{};
};

}  // namespace kubisto
