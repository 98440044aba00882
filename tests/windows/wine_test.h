#pragma once

// The Windows game under Wine, driven as the end-to-end tests drive it, with
// Wine's own tools at hand in the tests' prefix.
#include <string>

#include "game_window_fixture.h"

namespace zelvane::e2e {

class WineTest : public GameWindowTest {
 protected:
  // Each test starts the game itself, once Wine is as it needs.
  void SetUp() override {}
  void TearDown() override { game_.reset(); }

  // Runs Wine's program or command line `arguments` on this test's display; what it printed.
  std::string Wine(const std::string& arguments) const { return X(std::string(ZELVANE_WINE) + " " + arguments); }
  // Waits until every Wine process of the prefix has ended and its server with them.
  void WaitForWine() const { Wine("--server --wait"); }
};

inline std::string Quoted(const std::string& text) { return "'" + text + "'"; }

}  // namespace zelvane::e2e
