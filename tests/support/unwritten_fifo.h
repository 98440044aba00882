#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace zelvane::testing {

// A named pipe that nobody writes to: opening it to read waits for ever. If
// something still waits on it after a few seconds, a writer comes and goes so
// that the test ends, failed by Waited(), instead of hanging.
class UnwrittenFifo {
 public:
  explicit UnwrittenFifo(std::string path) : path_(std::move(path)) {
    made_ = ::mkfifo(path_.c_str(), 0644) == 0;
    rescuer_ = std::thread([this] {
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
      while (!done_ && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
      while (!done_) {
        // Succeeds only while a reader has the pipe open.
        const int fd = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
          waited_ = true;
          ::close(fd);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
      }
    });
  }
  ~UnwrittenFifo() {
    done_ = true;
    rescuer_.join();
  }
  UnwrittenFifo(const UnwrittenFifo&) = delete;
  UnwrittenFifo& operator=(const UnwrittenFifo&) = delete;

  bool Made() const { return made_; }
  // Whether anything opened the pipe and waited on it.
  bool Waited() const { return waited_; }

 private:
  std::string path_;
  bool made_ = false;
  std::atomic<bool> done_{false};
  std::atomic<bool> waited_{false};
  std::thread rescuer_;
};

}  // namespace zelvane::testing
