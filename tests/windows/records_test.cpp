// The records under Windows' own mishaps, with the zip's game under Wine: a
// file another program holds for a moment, and a file the game cannot read,
// told in the window's own box since a Windows player sees no standard error.
#include <filesystem>
#include <fstream>
#include <string>

#include "screen_reading.h"
#include "wine_test.h"

namespace zelvane::e2e {
namespace {

namespace fs = std::filesystem;

const std::string kOldTable = "000900" + std::string(24, '0') + "\r\n";

class WindowsRecordsTest : public WineTest {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(BringUpDisplay()); }

  // Answers every message box with Return until the game ends; how many there were.
  int AnswerBoxesUntilTheGameEnds(std::optional<int>& status) {
    int boxes = 0;
    WaitUntil(
        [&] {
          if (const auto box = MessageBox()) {
            X("xdotool key --window " + *box + " Return");
            ++boxes;
            WaitUntil([&] { return MessageBox() != box; }, 5s);
          }
          return (status = game_->WaitForExit(100ms)).has_value();
        },
        40s);
    return boxes;
  }

  // Whether the holding program said it holds the file.
  static bool Holds(const fs::path& said) {
    std::ifstream in(said);
    std::string word;
    return in >> word && word == "held";
  }

  static int KeptAside(const fs::path& folder) {
    int kept = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
      kept += entry.path().filename().string().starts_with("jkl.yen.unreadable-");
    }
    return kept;
  }
};

struct HoldCase {
  const char* name;
  const char* share;
  int milliseconds;
  bool saved;
  // A wait of over a second is told in a box, once; a failed save in another.
  int boxes;
};

// Scanners and sync tools open files briefly: a save retries reading and
// replacing for a few seconds, the window answering, and keeps nothing aside;
// a file held for longer ends in the failed-save box, the old file whole.
TEST_F(WindowsRecordsTest, AFileHeldAMomentIsSavedAndOneHeldLongerIsLeftWhole) {
  for (const HoldCase& c : {HoldCase{"half a second, shared with no one", "none", 500, true, 0},
                            HoldCase{"three seconds, shared for reading", "read", 3000, true, 1},
                            HoldCase{"longer than the game waits", "read", 15000, false, 2}}) {
    SCOPED_TRACE(c.name);
    ScratchDirectory folder;
    std::ofstream(folder.Path() / "jkl.yen", std::ios::binary) << kOldTable;
    ASSERT_NO_FATAL_FAILURE(Launch({.directory = folder.Path()}));
    ASSERT_NO_FATAL_FAILURE(WaitForTheButtons());
    const fs::path held = folder.Path().parent_path() / (folder.Path().filename().string() + ".held");
    X("cd " + Quoted(folder.Path()) + " && " + ZELVANE_WINE + " " + Quoted(ZELVANE_HOLD_FILE) + " jkl.yen " + c.share +
      " " + std::to_string(c.milliseconds) + " >" + Quoted(held) + " 2>&1 &");
    ASSERT_TRUE(WaitUntil([&] { return Holds(held); }, 20s)) << "the file was never held";
    Click(kEndClick);
    std::optional<int> status;
    EXPECT_EQ(AnswerBoxesUntilTheGameEnds(status), c.boxes);
    EXPECT_EQ(status, c.saved ? 0 : 1);
    EXPECT_EQ(KeptAside(folder.Path()), 0) << "a file in use was taken for an unreadable one";
    const auto lines = CrLfLines(folder.Path() / "jkl.yen");
    ASSERT_TRUE(lines);
    if (c.saved) {
      EXPECT_EQ(lines->size(), 16u) << "not saved";
    } else {
      EXPECT_EQ(*lines, std::vector<std::string>{kOldTable.substr(0, 30)}) << "the old file was changed";
    }
    WaitForWine();
    fs::remove(held);
  }
}

// Notepad saves "Unicode" as UTF-16: the game says at start, in a box, that
// it cannot read the file and will keep it aside, and says it only then.
TEST_F(WindowsRecordsTest, AFileKeptAsideIsToldInTheWindowOnce) {
  ScratchDirectory folder;
  std::ofstream(folder.Path() / "jkl.yen", std::ios::binary) << std::string(
      "\xFF\xFE"
      "9\0"
      "0\0"
      "0\0",
      8);
  ASSERT_NO_FATAL_FAILURE(Launch({.directory = folder.Path()}));
  std::optional<std::string> box;
  ASSERT_TRUE(WaitUntil([&] { return (box = MessageBox()).has_value(); }, 20s)) << "nothing told in the window";
  X("xdotool key --window " + *box + " Return");
  ASSERT_NO_FATAL_FAILURE(WaitForTheButtons());
  Click(kEndClick);
  std::optional<int> status;
  EXPECT_EQ(AnswerBoxesUntilTheGameEnds(status), 0) << "told twice";
  EXPECT_EQ(status, 0);
  EXPECT_EQ(KeptAside(folder.Path()), 1);
}

}  // namespace
}  // namespace zelvane::e2e
