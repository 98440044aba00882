#include "records/records_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace zelvane {
namespace {

namespace fs = std::filesystem;

class RecordsFileTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "zelvane-records-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr) << std::strerror(errno);
    dir_ = pattern;
    path_ = dir_ + "/jkl.yen";
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Put(std::string_view bytes) const { std::ofstream(path_, std::ios::binary) << bytes; }

  std::string Contents() const {
    std::ifstream in(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

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
  EXPECT_EQ(outcome.scores, HiScores{});
  EXPECT_EQ(outcome.problem, "");
}

TEST_F(RecordsFileTest, DirectoryInPlaceOfTheFileIsReported) {
  fs::create_directory(path_);
  const LoadOutcome outcome = LoadRecordsFile(path_);
  EXPECT_EQ(outcome.scores, HiScores{});
  EXPECT_NE(outcome.problem.find(path_), std::string::npos) << outcome.problem;
  EXPECT_NE(outcome.problem.find(std::strerror(EISDIR)), std::string::npos) << outcome.problem;
  EXPECT_EQ(outcome.problem.find('\n'), std::string::npos);
}

struct LoadCase {
  const char* name;
  std::string_view bytes;
  HiScores scores;
};

class LoadRecordsFileTest : public RecordsFileTest, public testing::WithParamInterface<LoadCase> {};

TEST_P(LoadRecordsFileTest, ReadsTheFirstLine) {
  Put(GetParam().bytes);
  const LoadOutcome outcome = LoadRecordsFile(path_);
  EXPECT_EQ(outcome.scores, GetParam().scores);
  EXPECT_EQ(outcome.problem, "");
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadRecordsFileTest,
    testing::Values(LoadCase{"Empty", "", {}}, LoadCase{"LoneField", "000500", {500, 0, 0, 0, 0}},
                    LoadCase{"MarkBlanksAndLf", "\xEF\xBB\xBF  000500000400\nlater", {500, 400, 0, 0, 0}},
                    LoadCase{"LettersThenCr", "0005ab000400\r000300", {5, 400, 0, 0, 0}}),
    [](const testing::TestParamInfo<LoadCase>& info) { return info.param.name; });

TEST_F(RecordsFileTest, HugeLineGivesItsFirstFields) {
  Put("123456" + std::string(10 << 20, '7') + "\r\n");
  EXPECT_EQ(LoadRecordsFile(path_).scores, (HiScores{123456, 777777, 777777, 777777, 777777}));
}

TEST_F(RecordsFileTest, OnlyTheStartOfAHugeFileIsRead) {
  Put(std::string(10 << 20, ' ') + "000500");
  const LoadOutcome outcome = LoadRecordsFile(path_);
  EXPECT_EQ(outcome.scores, HiScores{});
  EXPECT_EQ(outcome.problem, "");
}

TEST_F(RecordsFileTest, SavedTablesLoadBack) {
  for (const HiScores& table : {HiScores{999999, 123456, 5000, 20, 0}, HiScores{}, HiScores{1, 1, 1, 1, 1}}) {
    const std::string content = FormatRecordsFile(table, "2024/03/09", "21:05:07");
    ASSERT_EQ(SaveRecordsFile(path_, content), "");
    EXPECT_EQ(Contents(), content);
    EXPECT_EQ(LoadRecordsFile(path_).scores, table);
  }
  EXPECT_EQ(Names(), std::set<std::string>{"jkl.yen"});
}

TEST_F(RecordsFileTest, SaveReplacesALongerOldFileWhole) {
  Put(std::string(10000, 'x'));
  ASSERT_EQ(SaveRecordsFile(path_, "new\r\n"), "");
  EXPECT_EQ(Contents(), "new\r\n");
}

TEST_F(RecordsFileTest, SaveIntoAMissingDirectoryIsReported) {
  const std::string path = dir_ + "/absent/jkl.yen";
  const std::string problem = SaveRecordsFile(path, "new\r\n");
  EXPECT_NE(problem.find(path), std::string::npos) << problem;
  EXPECT_NE(problem.find(std::strerror(ENOENT)), std::string::npos) << problem;
  EXPECT_TRUE(Names().empty());
}

enum class Step { Create, Write, Sync, Close, Rename };

// The real calls, except that one step fails with the given error.
class FailingFileSystem : public FileSystem {
 public:
  FailingFileSystem(Step step, int error) : step_(step), error_(error) {}

  int Create(const std::string& path) override { return Fails(Step::Create) ? -1 : FileSystem::Create(path); }
  ssize_t Write(int fd, const char* data, std::size_t size) override {
    return Fails(Step::Write) ? -1 : FileSystem::Write(fd, data, size);
  }
  int Sync(int fd) override { return Fails(Step::Sync) ? -1 : FileSystem::Sync(fd); }
  // Like a real close that reports an error, the descriptor is gone anyway.
  int Close(int fd) override {
    const int result = FileSystem::Close(fd);
    return Fails(Step::Close) ? -1 : result;
  }
  int Rename(const std::string& from, const std::string& to) override {
    return Fails(Step::Rename) ? -1 : FileSystem::Rename(from, to);
  }

 private:
  bool Fails(Step step) const {
    if (step != step_) return false;
    errno = error_;
    return true;
  }

  Step step_;
  int error_;
};

struct FaultCase {
  const char* name;
  Step step;
  int error;
};

class SaveFaultTest : public RecordsFileTest, public testing::WithParamInterface<FaultCase> {};

TEST_P(SaveFaultTest, LeavesTheOldFileAndNoTemporary) {
  const std::string old = FormatRecordsFile({900, 800, 700, 600, 500}, "2023/01/01", "00:00:00");
  Put(old);
  FailingFileSystem files(GetParam().step, GetParam().error);
  const std::string problem = SaveRecordsFile(path_, FormatRecordsFile({1, 2, 3, 4, 5}, "d", "t"), files);
  EXPECT_NE(problem.find(path_), std::string::npos) << problem;
  EXPECT_NE(problem.find(std::strerror(GetParam().error)), std::string::npos) << problem;
  EXPECT_EQ(Contents(), old);
  EXPECT_EQ(Names(), std::set<std::string>{"jkl.yen"});
}

INSTANTIATE_TEST_SUITE_P(Steps, SaveFaultTest,
                         testing::Values(FaultCase{"Create", Step::Create, EROFS},
                                         FaultCase{"Write", Step::Write, ENOSPC}, FaultCase{"Sync", Step::Sync, EIO},
                                         FaultCase{"Close", Step::Close, EIO},
                                         FaultCase{"Rename", Step::Rename, EACCES}),
                         [](const testing::TestParamInfo<FaultCase>& info) { return info.param.name; });

// Creates the temporary file as usual but hands back a full device to write to.
class FullDeviceFileSystem : public FileSystem {
 public:
  int Create(const std::string& path) override {
    const int fd = FileSystem::Create(path);
    if (fd < 0) return fd;
    ::close(fd);
    return ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  }
};

TEST_F(RecordsFileTest, FullDeviceLeavesTheOldFile) {
  const std::string old = FormatRecordsFile({900, 800, 700, 600, 500}, "2023/01/01", "00:00:00");
  Put(old);
  FullDeviceFileSystem files;
  const std::string problem = SaveRecordsFile(path_, FormatRecordsFile({1, 2, 3, 4, 5}, "d", "t"), files);
  EXPECT_NE(problem.find(std::strerror(ENOSPC)), std::string::npos) << problem;
  EXPECT_EQ(Contents(), old);
  EXPECT_EQ(Names(), std::set<std::string>{"jkl.yen"});
}

// Accepts a few bytes per call, as a write to a slow device may.
class ShortWriteFileSystem : public FileSystem {
 public:
  ssize_t Write(int fd, const char* data, std::size_t size) override {
    return FileSystem::Write(fd, data, std::min<std::size_t>(size, 7));
  }
};

TEST_F(RecordsFileTest, ShortWritesStillSaveEverything) {
  const std::string content = FormatRecordsFile({1, 2, 3, 4, 5}, "d", "t");
  ShortWriteFileSystem files;
  ASSERT_EQ(SaveRecordsFile(path_, content, files), "");
  EXPECT_EQ(Contents(), content);
}

// Saves as a player who owns nothing here would: root may write anywhere, so as
// root the save runs in a child that has given its rights up.
std::string SaveWithoutRights(const std::string& path, const std::string& content) {
  if (::geteuid() != 0) return SaveRecordsFile(path, content);
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return "no pipe";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipeFds[0]);
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
    const std::string problem = SaveRecordsFile(path, content);
    const bool sent = ::write(pipeFds[1], problem.data(), problem.size()) == static_cast<ssize_t>(problem.size());
    ::_exit(sent ? 0 : 3);
  }
  ::close(pipeFds[1]);
  std::string problem;
  char buffer[256];
  for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
    problem.append(buffer, static_cast<std::size_t>(n));
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? problem : "the saving child failed";
}

TEST_F(RecordsFileTest, AReadOnlyDirectoryKeepsTheOldFileAndSaysSo) {
  const std::string old = FormatRecordsFile({900, 800, 700, 600, 500}, "2023/01/01", "00:00:00");
  Put(old);
  ASSERT_EQ(::chmod(dir_.c_str(), 0555), 0);
  const std::string problem = SaveWithoutRights(path_, FormatRecordsFile({1, 2, 3, 4, 5}, "d", "t"));
  ::chmod(dir_.c_str(), 0700);
  EXPECT_NE(problem.find(path_), std::string::npos) << problem;
  EXPECT_NE(problem.find(std::strerror(EACCES)), std::string::npos) << problem;
  EXPECT_EQ(Contents(), old);
  EXPECT_EQ(Names(), std::set<std::string>{"jkl.yen"});
}

TEST_F(RecordsFileTest, ADirectoryNamedLikeTheFileIsNotReplaced) {
  fs::create_directory(path_);
  const std::string problem = SaveRecordsFile(path_, "new\r\n");
  EXPECT_NE(problem.find(path_), std::string::npos) << problem;
  EXPECT_TRUE(fs::is_directory(path_));
  EXPECT_EQ(Names(), std::set<std::string>{"jkl.yen"});
}

// A link to nowhere holds no records: it loads as a first run and the first
// save puts a real file in its place.
TEST_F(RecordsFileTest, ADanglingLinkLoadsAsNoFileAndIsSavedOver) {
  fs::create_symlink(dir_ + "/gone", path_);
  const LoadOutcome outcome = LoadRecordsFile(path_);
  EXPECT_EQ(outcome.scores, HiScores{});
  EXPECT_EQ(outcome.problem, "");
  const std::string content = FormatRecordsFile({1, 2, 3, 4, 5}, "d", "t");
  ASSERT_EQ(SaveRecordsFile(path_, content), "");
  EXPECT_EQ(Contents(), content);
  EXPECT_EQ(LoadRecordsFile(path_).scores, (HiScores{1, 2, 3, 4, 5}));
}

}  // namespace
}  // namespace zelvane
