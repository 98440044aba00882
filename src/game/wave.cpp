// Dealing a wave of five slots, and drawing its slots into the playfield.
#include <array>

#include "game/mform.h"

namespace zelvane {

void Mform::SpawnWave() {
  std::array<bool, kColumns> taken{};
  const std::int16_t level = state.level;
  for (int object = 0; object < level + 1; ++object) {
    std::int16_t column = random.UniformInt(kColumns);
    while (taken[static_cast<std::size_t>(column)]) column = random.UniformInt(kColumns);
    const auto c = static_cast<std::size_t>(column);
    // The box roll is drawn at every level, so the sequence of draws never depends on the level.
    const std::int16_t boxRoll = random.UniformInt(100);
    if (boxRoll == 0 && level >= 2) {
      state.slotCode[c] = ItemBox;
      state.slotHits[c] = 1;
    } else {
      state.slotCode[c] = random.UniformInt(26);
      const std::int16_t armourRoll = random.UniformInt(10);
      state.slotHits[c] = (armourRoll == 2 && level >= 3) ? 2 : 1;
    }
    taken[c] = true;
    CountRowStat(state.slotCode[c], kCountSpawned);
  }
  for (std::size_t c = 0; c < kColumns; ++c) {
    if (!taken[c]) {
      state.slotCode[c] = SlotEmpty;
      state.slotHits[c] = 0;
    }
  }
  DrawWave();
}

void Mform::DrawSlot(std::int16_t code, std::int16_t column, std::int16_t row, std::int16_t hits) {
  Point tile;
  if (code >= ItemBonus && code != SlotEmpty) {
    tile = atlas::ItemTile(code);
  } else if (code == SlotEmpty) {
    tile = {atlas::kBlankTile.x, atlas::kBlankTile.y};
  } else {
    tile = atlas::LetterTile(code, hits == 1 ? atlas::kLetterBand : atlas::kArmouredBand);
  }
  Blit(Mpc, column * kCell, row * kCell, kCell, kCell, tile);
  Mpc.Present();
}

void Mform::DrawWave() {
  for (std::int16_t column = 0; column < kColumns; ++column) {
    const auto c = static_cast<std::size_t>(column);
    DrawSlot(state.slotCode[c], column, state.waveRow, state.slotHits[c]);
  }
}

}  // namespace zelvane
