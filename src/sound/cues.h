#pragma once

#include <array>

// The nine cue files, opened by these plain names in the working directory,
// and the event each one marks. The install and the browser's data take the
// names from here too (cmake/Cues.cmake), each constant on a line of its own.
namespace zelvane::cue {

inline constexpr const char* kLetterDestroyed = "abc.wav";  // a key's last hit on a letter
inline constexpr const char* kArmourHit = "bcd.wav";        // an armoured letter takes its first hit
inline constexpr const char* kStart = "cde.wav";            // Start is pressed
inline constexpr const char* kLetterLands = "def.wav";      // a letter joins the pile
inline constexpr const char* kItemLands = "efg.wav";        // an opened item reaches the bottom
inline constexpr const char* kGameOver = "fgh.wav";         // the curtain is down, GAME OVER written
inline constexpr const char* kBoxOpened = "ghi.wav";        // Space opens an item box
inline constexpr const char* kMiss = "hij.wav";             // a key hits nothing
inline constexpr const char* kRowRate = "ijk.wav";          // the results show a keyboard row's rate

inline constexpr std::array<const char*, 9> kAll = {kLetterDestroyed, kArmourHit, kStart, kLetterLands, kItemLands,
                                                    kGameOver,        kBoxOpened, kMiss,  kRowRate};

}  // namespace zelvane::cue
