#pragma once

// The names a save gives the files it makes beside the records.
#include <string>
#include <string_view>

namespace zelvane {

// Random names tried before a clash counts as a failure: a name already taken
// is never taken over, only another one drawn.
inline constexpr int kRandomNameTries = 16;

// Eight random hex digits, so that no other save, running or killed, is
// likely to have used a name. Saves on two threads draw from engines of their own.
std::string RandomHex();

// A new temporary's name beside `path`: its name, ".tmp-" and eight hex digits.
std::string TemporaryName(const std::string& path);

// Whether what a name adds to the records' own is a temporary's: ".tmp-" and eight hex digits.
bool IsTemporaryEnding(std::string_view ending);

}  // namespace zelvane
