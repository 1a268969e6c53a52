// Pacing the redraws of a quiet load: on a clock the test moves by hand.
#include "workroom/redraw_pacer.h"

#include <gtest/gtest.h>

namespace kubisto {
namespace {

using namespace std::chrono_literals;

struct PacedRoom {
  RedrawPacer::Clock::time_point now{};
  RedrawPacer pacer{[this] { return now; }};
  int drawn = 0;
  // A redraw asked for by one step of a change, as the workroom's Render does.
  void Step() {
    if (pacer.PutOff()) return;
    ++drawn;
    pacer.Drawn();
  }
  void Draw() { Step(); }
};

TEST(RedrawPacerTest, AQuietChangeDrawsAtMostOncePerFrameAndOnceAtItsEnd) {
  PacedRoom room;
  {
    const RedrawPacer::Scope scope(room.pacer, true, [&] { room.Draw(); });
    room.Step();  // the first step is drawn at once
    for (int i = 0; i < 10; ++i) {
      room.now += 1ms;
      room.Step();
    }
    EXPECT_EQ(room.drawn, 1);
    room.now += RedrawPacer::kFrame;
    room.Step();  // a frame later
    EXPECT_EQ(room.drawn, 2);
    room.now += 1ms;
    room.Step();
    EXPECT_EQ(room.drawn, 2);
    {
      // A change inside the change (emptying the room within a load) does not end the pacing.
      const RedrawPacer::Scope inner(room.pacer, true, [&] { room.Draw(); });
      room.Step();
    }
    EXPECT_EQ(room.drawn, 2);
  }
  EXPECT_EQ(room.drawn, 3) << "the end draws what was put off";
  room.now += 1ms;
  room.Step();  // outside a change every redraw is drawn
  EXPECT_EQ(room.drawn, 4);
}

TEST(RedrawPacerTest, NothingOwedOrNotQuietMeansNoExtraDraw) {
  PacedRoom room;
  {
    const RedrawPacer::Scope scope(room.pacer, false, [&] { room.Draw(); });
    for (int i = 0; i < 5; ++i) room.Step();  // sounds hold each step: every step is drawn
  }
  EXPECT_EQ(room.drawn, 5);
  {
    const RedrawPacer::Scope scope(room.pacer, true, [&] { room.Draw(); });
    room.Step();
  }
  EXPECT_EQ(room.drawn, 6) << "the last step was drawn: the end has nothing to add";
}

}  // namespace
}  // namespace kubisto
