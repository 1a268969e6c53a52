// A loaded main window over a recording workroom.
#pragma once

#include <gtest/gtest.h>

#include <QPointer>

#include "app/windows/frm_main.h"
#include "app/windows/mod_main.h"
#include "app_test_support.h"

namespace kubisto::app::test {

class FrmMainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto fake = std::make_unique<FakeWorkRoom>();
    room = fake.get();
    modMain::g_objWorkRoom = std::move(fake);
    window = new frmMain();
  }
  void TearDown() override { delete window.data(); }

  ShellFixtureState state;
  FakeWorkRoom* room = nullptr;
  QPointer<frmMain> window;
};

}  // namespace kubisto::app::test
