#pragma once

#include <string>

#include "game/mform.h"
#include "records/native_file_system.h"

namespace zelvane {

// The game's files in a browser tab. The records file there is only a copy of
// the one the page keeps in the browser's storage, and the page saves by
// putting the stored file in its place, letting the game save, and storing the
// result (packaging/web/scores.js): a save the game makes on its own, by End,
// would enter this run's scores into a copy that may be out of date and then
// forget them. So the records are written only while the page saves.
class StoredRecordsFiles final : public NativeFileSystem {
 public:
  Opened CreateNew(const std::string& path, const std::string& like) override;
  Opened OpenExisting(const std::string& path) override;
  // Lets the game's saves write while it lives.
  class Saving {
   public:
    explicit Saving(StoredRecordsFiles& files) : files_(files) { files_.saving_ = true; }
    ~Saving() { files_.saving_ = false; }
    Saving(const Saving&) = delete;
    Saving& operator=(const Saving&) = delete;

   private:
    StoredRecordsFiles& files_;
  };

 private:
  bool saving_ = false;
};

// The game the page's scores calls (zelvane_save_records and the rest, in
// browser_scores.cpp) act on, for as long as the page lives.
void ServeScores(Mform& form, StoredRecordsFiles& files);

}  // namespace zelvane
