#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

#include "records/records_file.h"

namespace zelvane {

namespace {

constexpr std::size_t kFieldWidth = 6;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A field reads as the decimal number its leading characters make, blanks
// ignored, taken to the nearest whole number with halves to even: "001.50"
// reads 2, "000.75" 1, "002.50" 2. Six characters keep it within 999999.
// Nothing when no digit comes before the first other character.
std::optional<std::int32_t> ReadField(std::string_view field) {
  bool anyDigit = false;
  std::int32_t whole = 0;
  bool afterPoint = false;
  std::optional<int> firstDecimal;
  bool moreDecimals = false;
  for (const char c : field) {
    if (IsBlank(c)) continue;
    if (c == '.' && !afterPoint) {
      afterPoint = true;
      continue;
    }
    if (!IsDigit(c)) break;
    anyDigit = true;
    if (!afterPoint) {
      whole = whole * 10 + (c - '0');
    } else if (!firstDecimal) {
      firstDecimal = c - '0';
    } else if (c != '0') {
      moreDecimals = true;
    }
  }
  if (!anyDigit) return std::nullopt;
  const int tenths = firstDecimal.value_or(0);
  const bool roundsUp = tenths > 5 || (tenths == 5 && (moreDecimals || whole % 2 == 1));
  return roundsUp ? whole + 1 : whole;
}

// Lines 3 to 15, in code page 932 bytes since the game has no code-page
// conversion; each Japanese line's text is in the comment above it.
constexpr std::array<std::string_view, 13> kNote = {
    "",
    // このデータはZelvane(V1.0)用です。
    "\x82\xb1\x82\xcc\x83\x66\x81\x5b\x83\x5e\x82\xcdZelvane(V1.0)\x97\x70\x82\xc5\x82\xb7\x81\x42",
    "",
    "",
    "",
    // このゲームはタイプをしていくたびに落下速度が増えて
    "\x82\xb1\x82\xcc\x83\x51\x81\x5b\x83\x80\x82\xcd\x83\x5e\x83\x43\x83\x76\x82\xf0\x82\xb5\x82\xc4"
    "\x82\xa2\x82\xad\x82\xbd\x82\xd1\x82\xc9\x97\x8e\x89\xba\x91\xac\x93\x78\x82\xaa\x91\x9d\x82\xa6"
    "\x82\xc4",
    // いきますが、１つの段を落ちるのにかかる時間は0.1秒
    "\x82\xa2\x82\xab\x82\xdc\x82\xb7\x82\xaa\x81\x41\x82\x50\x82\xc2\x82\xcc\x92\x69\x82\xf0\x97\x8e"
    "\x82\xbf\x82\xe9\x82\xcc\x82\xc9\x82\xa9\x82\xa9\x82\xe9\x8e\x9e\x8a\xd4\x82\xcd"
    "0.1\x95\x62",
    // 以下にはなりません。
    "\x88\xc8\x89\xba\x82\xc9\x82\xcd\x82\xc8\x82\xe8\x82\xdc\x82\xb9\x82\xf1\x81\x42",
    // この速度を維持できる人間が存在するかどうかは疑問ですが
    "\x82\xb1\x82\xcc\x91\xac\x93\x78\x82\xf0\x88\xdb\x8e\x9d\x82\xc5\x82\xab\x82\xe9\x90\x6c\x8a\xd4"
    "\x82\xaa\x91\xb6\x8d\xdd\x82\xb7\x82\xe9\x82\xa9\x82\xc7\x82\xa4\x82\xa9\x82\xcd\x8b\x5e\x96\xe2"
    "\x82\xc5\x82\xb7\x82\xaa",
    // 維持できればオーバーフローするまでスコアをのばせます。
    "\x88\xdb\x8e\x9d\x82\xc5\x82\xab\x82\xea\x82\xce\x83\x49\x81\x5b\x83\x6f\x81\x5b\x83\x74\x83\x8d"
    "\x81\x5b\x82\xb7\x82\xe9\x82\xdc\x82\xc5\x83\x58\x83\x52\x83\x41\x82\xf0\x82\xcc\x82\xce\x82\xb9"
    "\x82\xdc\x82\xb7\x81\x42",
    // LV.4で降ってくるのは５文字ですから７段落ちきるまでに
    "LV.4\x82\xc5\x8d\x7e\x82\xc1\x82\xc4\x82\xad\x82\xe9\x82\xcc\x82\xcd\x82\x54\x95\xb6\x8e\x9a\x82\xc5"
    "\x82\xb7\x82\xa9\x82\xe7\x82\x56\x92\x69\x97\x8e\x82\xbf\x82\xab\x82\xe9\x82\xdc\x82\xc5\x82\xc9",
    // 全てをタイプするのには１文字0.14秒以内にタイプする事になります(笑
    "\x91\x53\x82\xc4\x82\xf0\x83\x5e\x83\x43\x83\x76\x82\xb7\x82\xe9\x82\xcc\x82\xc9\x82\xcd\x82\x50"
    "\x95\xb6\x8e\x9a"
    "0.14\x95\x62\x88\xc8\x93\xe0\x82\xc9\x83\x5e\x83\x43\x83\x76\x82\xb7\x82\xe9"
    "\x8e\x96\x82\xc9\x82\xc8\x82\xe8\x82\xdc\x82\xb7(\x8f\xce",
    "",
};

void AppendLine(std::string& text, std::string_view line) {
  text += line;
  text += kLineEnd;
}

std::string Framed(std::string_view stamp) {
  std::string line = "-*- ";
  line += stamp;
  line += " -*-";
  return line;
}

}  // namespace

std::string_view FirstField(std::string_view fileStart) {
  if (fileStart.starts_with(kByteOrderMark)) fileStart.remove_prefix(kByteOrderMark.size());
  const auto start = std::find_if_not(fileStart.begin(), fileStart.end(), IsBlank);
  const auto end = std::find_if(start, fileStart.end(), [](char c) { return c == ',' || c == '\r' || c == '\n'; });
  return fileStart.substr(static_cast<std::size_t>(start - fileStart.begin()), static_cast<std::size_t>(end - start));
}

RecordsLine ParseRecordsLine(std::string_view firstField) {
  RecordsLine line;
  for (std::size_t i = 0; i < line.scores.size(); ++i) {
    const std::size_t at = std::min(i * kFieldWidth, firstField.size());
    const std::optional<std::int32_t> entry = ReadField(firstField.substr(at, kFieldWidth));
    line.scores[i] = entry.value_or(0);
    line.holdsANumber = line.holdsANumber || entry.has_value();
  }
  return line;
}

bool LooksLikeText(std::string_view fileStart) {
  return std::none_of(fileStart.begin(), fileStart.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte == 0x7F;
  });
}

std::string FormatRecordsFile(const HiScores& scores, std::string_view date, std::string_view time) {
  std::string line1;
  for (const std::int32_t entry : scores) {
    std::array<char, kFieldWidth + 1> digits{};
    const int held = std::clamp<std::int32_t>(entry, 0, kScoreCap);
    std::snprintf(digits.data(), digits.size(), "%06d", held);
    line1 += digits.data();
  }
  std::string text;
  AppendLine(text, line1);
  AppendLine(text, Framed(date));
  for (const std::string_view line : kNote) AppendLine(text, line);
  AppendLine(text, Framed(time));
  return text;
}

}  // namespace zelvane
