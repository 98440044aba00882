#include "records/records_file.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <optional>
#include <regex>
#include <set>
#include <thread>

#include "support/new_directory.h"
#ifndef _WIN32
#include "support/unwritten_fifo.h"
#endif

namespace zelvane {
namespace {

namespace fs = std::filesystem;

const LocalStamp kStamp{"2024/03/09", "21:05:07"};
constexpr const char* kAside = "jkl.yen.unreadable-20240309-210507";

#ifndef _WIN32
// Runs `work` in a child process and gives back the text it returned; as
// root, the child first gives its rights up, to play as a player who owns
// nothing here would.
std::string InChild(const std::function<std::string()>& work, bool withoutRights) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return "no pipe";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeFds[0]);
    if (withoutRights && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    const std::string text = work();
    const bool sent = ::write(pipeFds[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::_exit(sent ? 0 : 3);
  }
  ::close(pipeFds[1]);
  std::string text;
  char buffer[256];
  for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
    text.append(buffer, static_cast<std::size_t>(n));
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? text : "the child failed";
}
#endif

// A Windows player has no rights to give up: there `work` runs as it is.
std::string WithoutRights(const std::function<std::string()>& work) {
#ifndef _WIN32
  if (::geteuid() == 0) return InChild(work, true);
#endif
  return work();
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class RecordsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::NewDirectory("zelvane-records-").string();
    path_ = dir_ + "/jkl.yen";
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all);
    fs::remove_all(dir_);
  }

  void Put(std::string_view bytes) const { std::ofstream(path_, std::ios::binary) << bytes; }
  std::string Contents() const { return Slurp(path_); }

  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) names.insert(entry.path().filename().string());
    return names;
  }

  std::string dir_;
  std::string path_;
};

TEST_F(RecordsFileTest, MissingFileGivesZerosAndNoProblem) {
  const LoadOutcome outcome = LoadRecordsFile(path_);
  EXPECT_EQ(outcome.kind, LoadOutcome::Kind::Missing);
  EXPECT_EQ(outcome.scores, HiScores{});
  EXPECT_EQ(outcome.problem, "");
}

struct LoadCase {
  const char* name;
  std::string_view bytes;
  HiScores scores;
};

class LoadRecordsFileTest : public RecordsFileTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadRecordsFileTest, ReadsTheFirstLine) {
  Put(GetParam().bytes);
  const LoadOutcome outcome = LoadRecordsFile(path_);
  EXPECT_EQ(outcome.kind, LoadOutcome::Kind::Table);
  EXPECT_EQ(outcome.scores, GetParam().scores);
  EXPECT_EQ(outcome.problem, GetParam().bytes.empty() ? path_ + ": empty" : "");
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadRecordsFileTest,
    ::testing::Values(LoadCase{"Empty", "", {}}, LoadCase{"LoneField", "000500", {500, 0, 0, 0, 0}},
                      LoadCase{"MarkBlanksAndLf", "\xEF\xBB\xBF  000500000400\nlater", {500, 400, 0, 0, 0}},
                      LoadCase{"LettersThenCr", "0005ab000400\r000300", {5, 400, 0, 0, 0}},
                      LoadCase{"TabAndCodePage932", "000500\t\x82\xb1\x82\xcc\r\n", {500, 0, 0, 0, 0}}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return info.param.name; });

TEST_F(RecordsFileTest, HugeLineGivesItsFirstFields) {
  Put("123456" + std::string(10 << 20, '7') + "\r\n");
  EXPECT_EQ(LoadRecordsFile(path_).scores, (HiScores{123456, 777777, 777777, 777777, 777777}));
}

TEST_F(RecordsFileTest, OnlyTheStartOfAHugeFileIsRead) {
  Put(std::string(10 << 20, ' ') + "000500");
  const LoadOutcome outcome = LoadRecordsFile(path_);
  EXPECT_EQ(outcome.kind, LoadOutcome::Kind::Unreadable);
  EXPECT_EQ(outcome.scores, HiScores{});
  EXPECT_EQ(outcome.problem, path_ + ": no scores in its first line");
}

// Tries again while the save waits, as the game's event loop does.
SaveOutcome SaveUntilDone(const std::string& path, const RecordsRun& run, FileSystem& files = NativeFiles()) {
  SaveOutcome outcome = SaveRecordsFile(path, run, kStamp, files);
  while (outcome.wait != SaveWait::None) {
    std::this_thread::sleep_for(std::chrono::milliseconds(SavePauses::kAnotherGameStep));
    outcome = SaveRecordsFile(path, run, kStamp, files);
  }
  return outcome;
}

// What a load and then a save of this run's 300 made of the file, as text, so
// that a child process can tell it.
std::string LoadAndSave(const std::string& path) {
  const LoadOutcome loaded = LoadRecordsFile(path);
  RecordsRun run{loaded.scores, {}};
  InsertScore(run.entered, 300);
  const SaveOutcome saved = SaveRecordsFile(path, run, kStamp);
  std::string notes = saved.keptAside + "|";
  for (const std::string& note : saved.notes) notes += note + "|";
  return std::to_string(static_cast<int>(loaded.kind)) + "\n" + loaded.problem + "\n" + saved.problem + "\n" + notes;
}

struct UnreadableCase {
  const char* name;
  std::function<void(const std::string& path)> make;
  // What the load says of it, after the file's name.
  const char* problem;
  bool playerWithoutRights = false;
  // Why Windows cannot make the case, which is skipped there.
  const char* notOnWindows = nullptr;
  // What a link leads to, in the same folder: it must stay as it was.
  const char* linkedTo = nullptr;
  bool needsRoot = false;
};

// A link to a device made in the test's own folder: the same as /dev/zero.
void LinkToADevice(const std::string& path) {
#ifndef _WIN32
  const std::string zero = (fs::path(path).parent_path() / "zero").string();
  ASSERT_EQ(::mknod(zero.c_str(), S_IFCHR | 0666, ::makedev(1, 5)), 0) << std::strerror(errno);
  fs::create_symlink("zero", path);
#else
  (void)path;
#endif
}

class UnreadableFileTest : public RecordsFileTest, public ::testing::WithParamInterface<UnreadableCase> {};

// Nothing the game cannot read is ever overwritten: the first save keeps it
// aside under a name of its own, whole, and writes the run's table anew.
TEST_P(UnreadableFileTest, IsKeptAsideWholeAndTheRunsScoresAreSaved) {
#ifdef _WIN32
  if (GetParam().notOnWindows) GTEST_SKIP() << GetParam().notOnWindows;
#else
  if (GetParam().needsRoot && ::geteuid() != 0) GTEST_SKIP() << "making a device takes root";
#endif
  GetParam().make(path_);
  std::error_code notAFile;
  const std::string before = fs::is_regular_file(path_, notAFile) ? Contents() : "";
  const auto kind = fs::symlink_status(path_).type();
  const std::string linked = GetParam().linkedTo ? dir_ + "/" + GetParam().linkedTo : "";
  const auto linkedKind = linked.empty() ? fs::file_type::none : fs::symlink_status(linked).type();
  // Earlier files kept aside on the same second keep their names, however many.
  std::set<std::string> names{"jkl.yen", kAside};
  std::ofstream(dir_ + "/" + kAside) << "earlier";
  for (int more = 2; more <= 100; ++more) {
    names.insert(std::string(kAside) + "-" + std::to_string(more));
    std::ofstream(dir_ + "/" + kAside + "-" + std::to_string(more)) << "earlier";
  }
  if (GetParam().linkedTo) names.insert(GetParam().linkedTo);
  std::string told;
  if (GetParam().playerWithoutRights) {
    fs::permissions(dir_, fs::perms::all);
    told = WithoutRights([&] { return LoadAndSave(path_); });
  } else {
    told = LoadAndSave(path_);
  }
  std::set<std::string> added;
  for (const std::string& name : Names()) {
    if (!names.contains(name)) added.insert(name);
  }
  ASSERT_EQ(added.size(), 1u) << "not one file kept aside";
  const std::string asideName = *added.begin();
  EXPECT_TRUE(std::regex_match(asideName, std::regex(std::string(kAside) + "-[0-9a-f]{8}"))) << asideName;
  const std::string unreadable = std::to_string(static_cast<int>(LoadOutcome::Kind::Unreadable));
  const std::string problem = path_ + ": " + GetParam().problem;
  const std::string aside = dir_ + "/" + asideName;
  EXPECT_EQ(told, unreadable + "\n" + problem + "\n\n" + problem + "; kept as " + aside + "|");

  EXPECT_EQ(fs::symlink_status(aside).type(), kind);
  if (kind == fs::file_type::regular) {
    EXPECT_EQ(Slurp(aside), before);
  }
  EXPECT_EQ(Slurp(dir_ + "/" + kAside), "earlier");
  EXPECT_EQ(fs::symlink_status(path_).type(), fs::file_type::regular);
  EXPECT_EQ(LoadRecordsFile(path_).scores, (HiScores{300, 0, 0, 0, 0}));
  if (!linked.empty()) {
    EXPECT_EQ(fs::symlink_status(linked).type(), linkedKind) << "what the link leads to was touched";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, UnreadableFileTest,
    ::testing::Values(
        UnreadableCase{"NoReadPermission",
                       [](const std::string& path) {
                         std::ofstream(path) << "000900";
                         fs::permissions(path, fs::perms::none);
                       },
                       "cannot read: Permission denied", true, "no permission keeps a Windows player from reading"},
        UnreadableCase{"Utf16",
                       [](const std::string& path) {
                         std::ofstream(path) << std::string(
                             "\xFF\xFE"
                             "9\0"
                             "0\0"
                             "0\0",
                             8);
                       },
                       "not a text file"},
        UnreadableCase{"BinaryAfterTheScores",
                       [](const std::string& path) { std::ofstream(path) << std::string("000900\r\n\0\x01\x02", 11); },
                       "not a text file"},
        UnreadableCase{"Folder", [](const std::string& path) { fs::create_directory(path); }, "not a regular file"},
        UnreadableCase{"LinkInACircle", [](const std::string& path) { fs::create_symlink("jkl.yen", path); },
                       "cannot read: Too many levels of symbolic links", false,
                       "making a link takes rights a Windows player seldom has"},
        UnreadableCase{"ANoteOfThePlayers",
                       [](const std::string& path) {
                         std::ofstream(path) << "Best scores of the club\r\n" << std::string(1 << 20, 'x');
                       },
                       "no scores in its first line"},
        UnreadableCase{"LinkToAFolder",
                       [](const std::string& path) {
                         fs::create_directory(fs::path(path).parent_path() / "Documents");
                         std::ofstream(fs::path(path).parent_path() / "Documents" / "letter.txt") << "dear";
                         fs::create_symlink("Documents", path);
                       },
                       "not a regular file", false, "making a link takes rights a Windows player seldom has",
                       "Documents"},
        UnreadableCase{"LinkToADevice", LinkToADevice, "not a regular file", false, "Windows has no device nodes",
                       "zero", true}),
    [](const ::testing::TestParamInfo<UnreadableCase>& info) { return info.param.name; });

#ifndef _WIN32  // a named pipe cannot be made in a Windows folder
// A named pipe would hold the game at start for ever, with no window and no word.
TEST_F(RecordsFileTest, ANamedPipeIsNeitherWaitedOnNorOverwritten) {
  testing::UnwrittenFifo fifo(path_);
  ASSERT_TRUE(fifo.Made());
  const std::string told = LoadAndSave(path_);
  EXPECT_FALSE(fifo.Waited()) << "the records file was opened as if a writer would come";
  EXPECT_NE(told.find(path_ + ": not a regular file; kept as " + dir_ + "/" + kAside), std::string::npos) << told;
  EXPECT_EQ(fs::status(dir_ + "/" + kAside).type(), fs::file_type::fifo);
  EXPECT_EQ(LoadRecordsFile(path_).scores, (HiScores{300, 0, 0, 0, 0}));
}
#endif

struct MergeCase {
  const char* name;
  std::optional<HiScores> onDisk;  // nothing: no file
  RecordsRun run;
  HiScores saved;
};

class SaveMergeTest : public RecordsFileTest, public ::testing::WithParamInterface<MergeCase> {};

// Another game may have saved since this one loaded: its scores stay, and
// this run's enter among them as they would after a game.
TEST_P(SaveMergeTest, EntersTheRunsScoresIntoTheTableOnDisk) {
  if (GetParam().onDisk) Put(FormatRecordsFile(*GetParam().onDisk, "d", "t"));
  const SaveOutcome outcome = SaveRecordsFile(path_, GetParam().run, kStamp);
  EXPECT_EQ(outcome.problem, "");
  EXPECT_TRUE(outcome.notes.empty());
  EXPECT_EQ(outcome.saved, GetParam().saved);
  EXPECT_EQ(LoadRecordsFile(path_).scores, GetParam().saved);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, SaveMergeTest,
    ::testing::Values(MergeCase{"FirstRun", std::nullopt, {{}, {700, 40, 0, 0, 0}}, {700, 40, 0, 0, 0}},
                      MergeCase{"AnotherGameSavedMeanwhile",
                                HiScores{10600, 500, 0, 0, 0},
                                {{500, 0, 0, 0, 0}, {800, 0, 0, 0, 0}},
                                {10600, 800, 500, 0, 0}},
                      MergeCase{"NothingEntered", HiScores{900, 0, 0, 0, 0}, {{}, {}}, {900, 0, 0, 0, 0}},
                      MergeCase{"EqualScoresBothStay",
                                HiScores{600, 600, 300, 200, 100},
                                {{}, {600, 150, 0, 0, 0}},
                                {600, 600, 600, 300, 200}},
                      MergeCase{"TheFileWentAwayTheLoadedTableStands",
                                std::nullopt,
                                {{900, 800, 0, 0, 0}, {850, 0, 0, 0, 0}},
                                {900, 850, 800, 0, 0}}),
    [](const ::testing::TestParamInfo<MergeCase>& info) { return info.param.name; });

// Runs the saves at the same moment, each as a game of its own: in a process
// of its own, or on Windows in a thread of its own, whose handles the system's
// lock keeps apart just as it keeps two processes apart. True when all succeed.
bool AllSucceedAtOnce(const std::vector<std::function<bool()>>& saves) {
#ifdef _WIN32
  std::promise<void> go;
  const std::shared_future<void> start = go.get_future().share();
  std::vector<std::future<bool>> games;
  for (const auto& save : saves) {
    games.push_back(std::async(std::launch::async, [&save, start] {
      start.wait();
      return save();
    }));
  }
  go.set_value();  // all start now
  bool all = true;
  for (std::future<bool>& game : games) all = game.get() && all;
  return all;
#else
  int go[2];
  if (::pipe(go) != 0) return false;
  std::vector<pid_t> games;
  for (const auto& save : saves) {
    const pid_t game = ::fork();
    if (game == 0) {
      ::close(go[1]);
      char start;
      if (::read(go[0], &start, 1) != 0) ::_exit(4);
      ::_exit(save() ? 0 : 1);
    }
    games.push_back(game);
  }
  ::close(go[0]);
  ::close(go[1]);  // all start now
  bool all = true;
  for (const pid_t game : games) {
    int status = 0;
    ::waitpid(game, &status, 0);
    all = all && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  return all;
#endif
}

// Two games in one folder ending at the same moment: each save waits for the
// other's, reads what it wrote, and both succeed with both scores kept.
TEST_F(RecordsFileTest, SimultaneousSavesAllSucceedAndKeepEveryScore) {
  constexpr int kRounds = 40;
  for (int round = 0; round < kRounds; ++round) {
    Put(FormatRecordsFile({50, 0, 0, 0, 0}, "d", "t"));
    std::vector<std::function<bool()>> saves;
    for (const std::int32_t score : {1000 + round, 2000 + round}) {
      saves.push_back([this, score] {
        NativeFileSystem files;
        const SaveOutcome outcome = SaveUntilDone(path_, {{50, 0, 0, 0, 0}, {score, 0, 0, 0, 0}}, files);
        return outcome.problem.empty() && outcome.notes.empty();
      });
    }
    ASSERT_TRUE(AllSucceedAtOnce(saves)) << "round " << round << ": a save failed";
    ASSERT_EQ(LoadRecordsFile(path_).scores, (HiScores{2000 + round, 1000 + round, 50, 0, 0})) << "round " << round;
    ASSERT_EQ(Names(), std::set<std::string>{"jkl.yen"}) << "round " << round;
  }
}

// Makes a file by the name of the first temporary that a save picks, as a
// save killed halfway would have left it.
class LeftoverFileSystem : public NativeFileSystem {
 public:
  Opened CreateNew(const std::string& path, const std::string& like) override {
    if (leftover.empty()) {
      leftover = path;
      std::ofstream(path, std::ios::binary) << "half";
    }
    return NativeFileSystem::CreateNew(path, like);
  }
  std::string leftover;
};

TEST_F(RecordsFileTest, ALeftoverTemporaryIsNeitherReusedNorTouched) {
  const std::string content = FormatRecordsFile({1, 2, 3, 4, 5}, "d", "t");
  LeftoverFileSystem files;
  ASSERT_EQ(WriteRecordsFile(path_, content, files).problem, "");
  EXPECT_EQ(Contents(), content);
  EXPECT_EQ(Slurp(files.leftover), "half");
  EXPECT_EQ(Names(), (std::set<std::string>{"jkl.yen", fs::path(files.leftover).filename().string()}));
}

#ifndef _WIN32  // a save is killed halfway, by a signal, in a second process
// Writes normally, except that the first write waits for ever: a save that is
// slow to write, to be killed halfway.
class StallingFileSystem : public NativeFileSystem {
 public:
  explicit StallingFileSystem(int stalled) : stalled_(stalled) {}
  std::error_code Write(FileHandle file, std::string_view data, std::size_t& written) override {
    const char sign = 's';
    if (::write(stalled_, &sign, 1) == 1) ::pause();
    return NativeFileSystem::Write(file, data, written);
  }

 private:
  int stalled_;
};

// A game killed while it writes leaves its own temporary behind; the next
// save waits for the lock the killed game held, finds the file whole and
// removes the dead temporary, but nothing else of that name's kind.
TEST_F(RecordsFileTest, AGameKilledHalfwayThroughItsSaveCostsNoRecords) {
  Put(FormatRecordsFile({50, 0, 0, 0, 0}, "d", "t"));
  const std::set<std::string> notOurs{"jkl.yen.tmp-1234567", "jkl.yen.tmp-players", "jkl.yen.tmp-0123456789"};
  for (const std::string& name : notOurs) std::ofstream(dir_ + "/" + name) << "mine";
  int stalled[2];
  ASSERT_EQ(::pipe(stalled), 0);
  const pid_t slow = ::fork();
  if (slow == 0) {
    StallingFileSystem files(stalled[1]);
    SaveRecordsFile(path_, {{50, 0, 0, 0, 0}, {1000, 0, 0, 0, 0}}, kStamp, files);
    ::_exit(0);
  }
  char sign;
  ASSERT_EQ(::read(stalled[0], &sign, 1), 1) << "the slow save never wrote";
  std::set<std::string> leftover = Names();
  leftover.erase("jkl.yen");
  for (const std::string& name : notOurs) leftover.erase(name);
  ASSERT_EQ(leftover.size(), 1u);

  const pid_t other = ::fork();
  if (other == 0) {
    const SaveOutcome outcome = SaveUntilDone(path_, {{50, 0, 0, 0, 0}, {2000, 0, 0, 0, 0}});
    ::_exit(outcome.problem.empty() ? 0 : 1);
  }
  ::usleep(50000);
  ::kill(slow, SIGKILL);
  ::waitpid(slow, nullptr, 0);
  int status = 0;
  ::waitpid(other, &status, 0);
  ::close(stalled[0]);
  ::close(stalled[1]);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(LoadRecordsFile(path_).scores, (HiScores{2000, 50, 0, 0, 0}));
  std::set<std::string> left = notOurs;
  left.insert("jkl.yen");
  EXPECT_EQ(Names(), left) << "the killed game's temporary was not removed";
}

#endif

// Stands in for the lock only.
class LockingFileSystem : public NativeFileSystem {
 public:
  explicit LockingFileSystem(LockState state) : state_(state) {}
  Locked TryLock(const std::string&) override {
    return {state_, kNoFile, std::make_error_code(std::errc::bad_file_descriptor)};
  }

 private:
  LockState state_;
};

// Another game's lock is waited for, however long it is held: a save that
// wrote meanwhile would be overwritten by the table the other game read.
// Where the lock cannot be had at all, the save goes on without.
TEST_F(RecordsFileTest, WithoutTheLockTheSaveWaitsOrGoesOnAndSaysSoWhereItShould) {
  struct Case {
    LockState state;
    const char* note;
  };
  const Case cases[] = {
      {LockState::Busy, nullptr},
      {LockState::Failed, "cannot lock the records, saving without: Bad file descriptor"},
      {LockState::Unsupported, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.state));
    Put(FormatRecordsFile({9, 0, 0, 0, 0}, "d", "t"));
    LockingFileSystem files(c.state);
    const SaveOutcome outcome = SaveRecordsFile(path_, {{}, {7, 0, 0, 0, 0}}, kStamp, files);
    const bool waits = c.state == LockState::Busy;
    EXPECT_EQ(outcome.wait, waits ? SaveWait::ForAnotherGame : SaveWait::None);
    EXPECT_EQ(outcome.problem, waits ? path_ + ": not saved: another game kept the records locked" : "");
    EXPECT_EQ(outcome.notes, c.note ? std::vector<std::string>{path_ + ": " + c.note} : std::vector<std::string>{});
    EXPECT_EQ(LoadRecordsFile(path_).scores, waits ? (HiScores{9, 0, 0, 0, 0}) : (HiScores{9, 7, 0, 0, 0}));
  }
}

// Another program holds the file a moment (Windows' scanners and sync tools):
// no step of the save may take it for an unreadable file or give up at once.
class InUseFileSystem : public NativeFileSystem {
 public:
  explicit InUseFileSystem(int heldStep) : heldStep_(heldStep) {}
  FileStart ReadStart(const std::string& path, std::size_t limit) override {
    if (heldStep_ == 0) return {FileStart::Kind::Failed, {}, 0, FileInUse()};
    return NativeFileSystem::ReadStart(path, limit);
  }
  std::error_code Replace(const std::string& from, const std::string& to) override {
    return heldStep_ == 1 ? FileInUse() : NativeFileSystem::Replace(from, to);
  }
  std::error_code MoveAside(const std::string& from, const std::string& to) override {
    return heldStep_ == 2 ? FileInUse() : NativeFileSystem::MoveAside(from, to);
  }

 private:
  int heldStep_;
};

TEST_F(RecordsFileTest, AFileInUseIsWaitedForAndNeitherKeptAsideNorChanged) {
  for (const int held : {0, 1, 2}) {
    SCOPED_TRACE(held);
    const std::string old = held == 2 ? "not a table" : FormatRecordsFile({9, 0, 0, 0, 0}, "d", "t");
    Put(old);
    InUseFileSystem files(held);
    const SaveOutcome outcome = SaveRecordsFile(path_, {{}, {7, 0, 0, 0, 0}}, kStamp, files);
    EXPECT_EQ(outcome.wait, SaveWait::ForTheFile);
    EXPECT_NE(outcome.problem.find(": in use by another program"), std::string::npos) << outcome.problem;
    EXPECT_EQ(Contents(), old);
    EXPECT_EQ(Names(), std::set<std::string>{"jkl.yen"});
  }
}

// A held file is tried again after growing pauses and given up after a few
// seconds; another game's save is waited for without end.
TEST(SavePausesTest, GrowForAFileInUseAndNeverEndForAnotherGame) {
  SavePauses pauses;
  std::vector<std::int64_t> tries{0};
  while (const auto next = pauses.Next(tries.back(), SaveWait::ForTheFile)) tries.push_back(*next);
  EXPECT_EQ(tries, (std::vector<std::int64_t>{0, 50, 150, 350, 750, 1550, 2350, 3150, 3950, 4750, 5550}));
  SavePauses another;
  EXPECT_EQ(another.Next(3600000, SaveWait::ForAnotherGame), 3600000 + SavePauses::kAnotherGameStep);
  EXPECT_EQ(another.Next(0, SaveWait::None), std::nullopt);
}

#ifndef _WIN32  // links take rights a Windows player seldom has, and Windows has no permission bits
// The link stays a link and its target gets the table, keeping its permissions;
// a link to nowhere gets its target made.
TEST_F(RecordsFileTest, ALinkIsSavedThroughAndTheFileKeepsItsPermissions) {
  fs::create_directory(dir_ + "/synced");
  const std::string target = dir_ + "/synced/scores.txt";
  for (const bool targetThere : {true, false}) {
    SCOPED_TRACE(targetThere ? "target there" : "link to nowhere");
    fs::remove(path_);
    fs::remove(target);
    if (targetThere) {
      std::ofstream(target) << FormatRecordsFile({900, 0, 0, 0, 0}, "d", "t");
      ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    }
    fs::create_symlink("synced/scores.txt", path_);
    const SaveOutcome outcome = SaveRecordsFile(path_, {{}, {800, 0, 0, 0, 0}}, kStamp);
    ASSERT_EQ(outcome.problem, "");
    EXPECT_TRUE(fs::is_symlink(path_));
    EXPECT_EQ(LoadRecordsFile(target).scores,
              targetThere ? (HiScores{900, 800, 0, 0, 0}) : (HiScores{800, 0, 0, 0, 0}));
    if (targetThere) {
      EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
    }
    EXPECT_EQ(Names(), (std::set<std::string>{"jkl.yen", "synced"}));
  }
}

#endif

// The bytes on disk are exactly those formatted: CR LF stays CR LF and the
// note keeps its code page 932 bytes, on Windows as on Linux.
TEST_F(RecordsFileTest, SavedTablesLoadBack) {
  for (const HiScores& table : {HiScores{999999, 123456, 5000, 20, 0}, HiScores{}, HiScores{1, 1, 1, 1, 1}}) {
    const std::string content = FormatRecordsFile(table, "2024/03/09", "21:05:07");
    ASSERT_EQ(WriteRecordsFile(path_, content).problem, "");
    EXPECT_EQ(Contents(), content);
    EXPECT_EQ(LoadRecordsFile(path_).scores, table);
  }
  EXPECT_EQ(Names(), std::set<std::string>{"jkl.yen"});
}

TEST_F(RecordsFileTest, SaveReplacesALongerOldFileWhole) {
  Put(std::string(10000, 'x'));
  ASSERT_EQ(WriteRecordsFile(path_, "new\r\n").problem, "");
  EXPECT_EQ(Contents(), "new\r\n");
}

TEST_F(RecordsFileTest, SaveIntoAMissingDirectoryIsReported) {
  const std::string path = dir_ + "/absent/jkl.yen";
  const std::string problem = WriteRecordsFile(path, "new\r\n").problem;
  EXPECT_NE(problem.find(path), std::string::npos) << problem;
  EXPECT_NE(problem.find(std::strerror(ENOENT)), std::string::npos) << problem;
  EXPECT_TRUE(Names().empty());
}

enum class Step { Create, Write, Sync, Close, Replace };

// The real calls, except that one step fails with the given error.
class FailingFileSystem : public NativeFileSystem {
 public:
  FailingFileSystem(Step step, std::errc error) : step_(step), error_(std::make_error_code(error)) {}

  Opened CreateNew(const std::string& path, const std::string& like) override {
    return Fails(Step::Create) ? Opened{kNoFile, error_} : NativeFileSystem::CreateNew(path, like);
  }
  std::error_code Write(FileHandle file, std::string_view data, std::size_t& written) override {
    return Fails(Step::Write) ? error_ : NativeFileSystem::Write(file, data, written);
  }
  std::error_code Sync(FileHandle file) override { return Fails(Step::Sync) ? error_ : NativeFileSystem::Sync(file); }
  // Like a real close that reports an error, the file is closed anyway.
  std::error_code Close(FileHandle file) override {
    const std::error_code result = NativeFileSystem::Close(file);
    return Fails(Step::Close) ? error_ : result;
  }
  std::error_code Replace(const std::string& from, const std::string& to) override {
    return Fails(Step::Replace) ? error_ : NativeFileSystem::Replace(from, to);
  }

 private:
  // Once only: the rewriting in place, where it comes, writes for real.
  bool Fails(Step step) {
    if (step != step_ || failed_) return false;
    failed_ = true;
    return true;
  }

  Step step_;
  std::error_code error_;
  bool failed_ = false;
};

struct FaultCase {
  const char* name;
  Step step;
  std::errc error;
  // The folder refused the new file or the replacing: the file is rewritten in place.
  bool rewrittenInPlace = false;
};

class SaveFaultTest : public RecordsFileTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(SaveFaultTest, LeavesTheOldFileOrRewritesItAndNoTemporary) {
  const std::string old = FormatRecordsFile({900, 800, 700, 600, 500}, "2023/01/01", "00:00:00");
  Put(old + "and a longer tail than the new table has");
  FailingFileSystem files(GetParam().step, GetParam().error);
  const std::string content = FormatRecordsFile({1, 2, 3, 4, 5}, "d", "t");
  const std::string problem = WriteRecordsFile(path_, content, files).problem;
  if (GetParam().rewrittenInPlace) {
    EXPECT_EQ(problem, "");
    EXPECT_EQ(Contents(), content);
  } else {
    EXPECT_NE(problem.find(path_), std::string::npos) << problem;
    EXPECT_NE(problem.find(std::make_error_code(GetParam().error).message()), std::string::npos) << problem;
    EXPECT_EQ(Contents(), old + "and a longer tail than the new table has");
  }
  EXPECT_EQ(Names(), std::set<std::string>{"jkl.yen"});
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SaveFaultTest,
    ::testing::Values(FaultCase{"Create", Step::Create, std::errc::read_only_file_system},
                      FaultCase{"Write", Step::Write, std::errc::no_space_on_device},
                      FaultCase{"Sync", Step::Sync, std::errc::io_error},
                      FaultCase{"Close", Step::Close, std::errc::io_error},
                      FaultCase{"Replace", Step::Replace, std::errc::permission_denied},
                      FaultCase{"FolderTakesNoNewFile", Step::Create, std::errc::permission_denied, true},
                      FaultCase{"StickyFolderKeepsTheFile", Step::Replace, std::errc::operation_not_permitted, true},
                      FaultCase{"FileMountedInPlace", Step::Replace, std::errc::device_or_resource_busy, true}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

#ifndef _WIN32  // Windows has no full device to write to
// Creates the temporary file as usual but hands back a full device to write to.
class FullDeviceFileSystem : public NativeFileSystem {
 public:
  Opened CreateNew(const std::string& path, const std::string& like) override {
    const Opened created = NativeFileSystem::CreateNew(path, like);
    if (created.error) return created;
    NativeFileSystem::Close(created.file);
    return {::open("/dev/full", O_WRONLY | O_CLOEXEC), {}};
  }
};

TEST_F(RecordsFileTest, FullDeviceLeavesTheOldFile) {
  const std::string old = FormatRecordsFile({900, 800, 700, 600, 500}, "2023/01/01", "00:00:00");
  Put(old);
  FullDeviceFileSystem files;
  const std::string problem = WriteRecordsFile(path_, FormatRecordsFile({1, 2, 3, 4, 5}, "d", "t"), files).problem;
  EXPECT_NE(problem.find(std::strerror(ENOSPC)), std::string::npos) << problem;
  EXPECT_EQ(Contents(), old);
  EXPECT_EQ(Names(), std::set<std::string>{"jkl.yen"});
}

#endif

// Accepts a few bytes per call, as a write to a slow device may.
class ShortWriteFileSystem : public NativeFileSystem {
 public:
  std::error_code Write(FileHandle file, std::string_view data, std::size_t& written) override {
    return NativeFileSystem::Write(file, data.substr(0, 7), written);
  }
};

TEST_F(RecordsFileTest, ShortWritesStillSaveEverything) {
  const std::string content = FormatRecordsFile({1, 2, 3, 4, 5}, "d", "t");
  ShortWriteFileSystem files;
  ASSERT_EQ(WriteRecordsFile(path_, content, files).problem, "");
  EXPECT_EQ(Contents(), content);
}

#ifndef _WIN32  // a Windows folder marked read-only still takes new files
// In a read-only folder the file is rewritten in place if the player may
// write it, and left alone if not, the folder named to the player at start
// and by the save, with what to do.
TEST_F(RecordsFileTest, AReadOnlyFolderTakesTheTableOnlyIntoAWritableFile) {
  const std::string old = FormatRecordsFile({900, 800, 700, 600, 500}, "2023/01/01", "00:00:00");
  const std::string content = FormatRecordsFile({1, 2, 3, 4, 5}, "d", "t");
  for (const bool writable : {false, true}) {
    SCOPED_TRACE(writable ? "writable file" : "file not writable");
    ASSERT_EQ(::chmod(dir_.c_str(), 0700), 0);
    Put(old);
    ASSERT_EQ(::chmod(path_.c_str(), writable ? 0666 : 0644), 0);
    ASSERT_EQ(::chmod(dir_.c_str(), 0555), 0);
    const std::string atStart =
        WithoutRights([&] { return CheckRecordsCanBeSaved(path_, LoadRecordsFile(path_)) + "|"; });
    const std::string problem = WithoutRights([&] { return WriteRecordsFile(path_, content).problem; });
    const std::string folderNamed = "the folder " + fs::canonical(dir_).string() + " takes no new file (" +
                                    std::strerror(EACCES) + "); move the game to a folder of your own";
    if (writable) {
      EXPECT_EQ(atStart, "|");
      EXPECT_EQ(problem, "");
      EXPECT_EQ(Contents(), content);
    } else {
      EXPECT_TRUE(atStart.starts_with(path_ + ": the scores cannot be saved: " + folderNamed)) << atStart;
      EXPECT_TRUE(problem.starts_with(path_ + ": not saved: " + folderNamed)) << problem;
      EXPECT_EQ(Contents(), old);
    }
    EXPECT_EQ(Names(), std::set<std::string>{"jkl.yen"});
  }
}

#endif

#ifdef _WIN32
// A player's marks stay on the records: a read-only file is replaced all the
// same, as on Linux, and a hidden or system one stays so.
TEST_F(RecordsFileTest, TheNewFileKeepsTheOldOnesReadOnlyHiddenAndSystemMarks) {
  constexpr DWORD kMarks = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  for (const DWORD marks :
       {DWORD{FILE_ATTRIBUTE_READONLY}, DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM}, kMarks}) {
    SCOPED_TRACE(marks);
    Put(FormatRecordsFile({9, 0, 0, 0, 0}, "d", "t"));
    const std::wstring name = fs::path(path_).wstring();
    ASSERT_TRUE(SetFileAttributesW(name.c_str(), marks));
    const SaveOutcome outcome = SaveRecordsFile(path_, {{}, {7, 0, 0, 0, 0}}, kStamp);
    EXPECT_EQ(outcome.problem, "");
    EXPECT_EQ(LoadRecordsFile(path_).scores, (HiScores{9, 7, 0, 0, 0}));
    EXPECT_EQ(GetFileAttributesW(name.c_str()) & kMarks, marks);
    SetFileAttributesW(name.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Names(), std::set<std::string>{"jkl.yen"});
  }
}

// Held open by another program without sharing, the file is in use, not
// unreadable: the save waits and keeps nothing aside.
TEST_F(RecordsFileTest, AFileHeldWithoutSharingIsInUse) {
  Put(FormatRecordsFile({9, 0, 0, 0, 0}, "d", "t"));
  for (const DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ}}) {
    SCOPED_TRACE(share);
    const HANDLE held = CreateFileW(fs::path(path_).wstring().c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const SaveOutcome outcome = SaveRecordsFile(path_, {{}, {7, 0, 0, 0, 0}}, kStamp);
    CloseHandle(held);
    EXPECT_EQ(outcome.wait, SaveWait::ForTheFile) << outcome.problem;
    EXPECT_EQ(Names(), std::set<std::string>{"jkl.yen"});
    EXPECT_EQ(LoadRecordsFile(path_).scores, (HiScores{9, 0, 0, 0, 0}));
  }
}
#endif

}  // namespace
}  // namespace zelvane
