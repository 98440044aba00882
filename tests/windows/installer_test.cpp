// The installer under Wine, as a player's silent install: it installs for the
// player alone, the Start menu and "Apps & features" know the game, the
// installed game plays and saves beside itself, a running game is never
// installed over or removed, and the uninstaller removes the game but keeps
// the records and a cue the player made their own.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "screen_reading.h"
#include "wine_test.h"

namespace zelvane::e2e {
namespace {

namespace fs = std::filesystem;

const std::string kUninstallKey = R"(HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelvane)";

std::string WithoutLineEnds(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

class InstallerTest : public WineTest {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(BringUpDisplay()); }

  // A value the installer left in the uninstall key; empty when there is none.
  std::string UninstallValue(const std::string& name) const {
    const std::string out = Wine("reg.exe query " + Quoted(kUninstallKey) + " /v " + name);
    const std::string type = "REG_SZ    ";
    const auto at = out.find(type);
    if (at == std::string::npos) return {};
    return WithoutLineEnds(out.substr(at + type.size(), out.find('\r', at) - at - type.size()));
  }

  fs::path UnixPath(const std::string& windowsPath) const {
    return WithoutLineEnds(Wine("winepath.exe -u " + Quoted(windowsPath)));
  }

  // The exit status of Wine's program or command line `arguments`.
  int WineStatus(const std::string& arguments) const {
    const std::string out = Wine(arguments + "; echo \"exit status $?\"");
    const auto at = out.rfind("exit status ");
    return at == std::string::npos ? -1 : std::stoi(out.substr(at + 12));
  }

  fs::path StartMenuEntry() const {
    return UnixPath(WithoutLineEnds(Wine("cmd.exe /c echo %APPDATA%")) +
                    R"(\Microsoft\Windows\Start Menu\Programs\Zelvane.lnk)");
  }
};

TEST_F(InstallerTest, InstallsForThePlayerAndUninstallsKeepingTheRecords) {
  const fs::path defaultFolder =
      UnixPath(WithoutLineEnds(Wine("cmd.exe /c echo %LOCALAPPDATA%")) + R"(\Programs\Zelvane)");
  ASSERT_FALSE(defaultFolder.empty());
  fs::remove_all(defaultFolder);  // what an earlier run may have kept

  Wine(Quoted(ZELVANE_WINDOWS_SETUP) + " /S");
  WaitForWine();
  const std::string location = UninstallValue("InstallLocation");
  ASSERT_FALSE(location.empty()) << "no uninstall entry";
  const fs::path folder = UnixPath(location);
  EXPECT_TRUE(fs::equivalent(folder, defaultFolder)) << location << " is not the player's own programs folder";
  for (const char* file : {"zelvane.exe", "abc.wav", "ijk.wav", "README.txt", "COPYRIGHT.txt"}) {
    EXPECT_TRUE(fs::is_regular_file(folder / file)) << file;
  }
  EXPECT_TRUE(fs::is_regular_file(StartMenuEntry())) << "no Start menu entry";
  EXPECT_EQ(UninstallValue("DisplayName"), "Zelvane");
  EXPECT_EQ(UninstallValue("DisplayIcon"), location + R"(\zelvane.exe,0)");
  const std::string uninstall = UninstallValue("QuietUninstallString");
  EXPECT_EQ(uninstall, "\"" + location + R"(\Uninstall Zelvane.exe" /S)");

  // The installed game plays in its folder and writes its records there.
  // While it runs, a silent install or uninstall changes nothing and says it failed.
  ASSERT_NO_FATAL_FAILURE(Launch({.directory = folder}));
  ASSERT_NO_FATAL_FAILURE(WaitForTheButtons());
  EXPECT_NE(WineStatus(Quoted(ZELVANE_WINDOWS_SETUP) + " /S"), 0) << "installed over a running game";
  // Run in place (_?=), the uninstaller's status is its own.
  EXPECT_NE(WineStatus(Quoted(location + R"(\Uninstall Zelvane.exe)") + " /S " + Quoted("_?=" + location)), 0)
      << "uninstalled a running game";
  EXPECT_TRUE(fs::is_regular_file(folder / "README.txt")) << "the uninstaller removed files of a running game";
  Click(kEndClick);
  ASSERT_EQ(game_->WaitForExit(20s), 0);
  game_.reset();
  ASSERT_TRUE(fs::is_regular_file(folder / "jkl.yen"));

  // A cue the player replaced stays theirs through a new install; a removed one comes back.
  const std::string ownCue = "RIFF the player's own cue";
  std::ofstream(folder / "abc.wav", std::ios::binary) << ownCue;
  fs::remove(folder / "ijk.wav");
  EXPECT_EQ(WineStatus(Quoted(ZELVANE_WINDOWS_SETUP) + " /S"), 0);
  const auto bytes = [](const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  };
  EXPECT_TRUE(bytes(folder / "abc.wav") == ownCue) << "the player's cue was replaced";
  EXPECT_TRUE(bytes(folder / "ijk.wav") == bytes(fs::path(ZELVANE_SOUNDS_DIR) / "ijk.wav")) << "the removed cue";

  // The uninstaller copies itself away and goes on after its first process ends.
  Wine(uninstall);
  WaitForWine();
  EXPECT_FALSE(fs::exists(StartMenuEntry())) << "the Start menu entry stayed";
  EXPECT_TRUE(UninstallValue("DisplayName").empty()) << "the uninstall entry stayed";
  std::vector<std::string> left;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"abc.wav", "jkl.yen"}))
      << "the uninstaller kept more, or less, than the records and the player's cue";
  EXPECT_TRUE(bytes(folder / "abc.wav") == ownCue) << "the player's cue was changed";
}

}  // namespace
}  // namespace zelvane::e2e
