#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

#include <gtest/gtest.h>

#include <climits>
#include <regex>
#include <string>
#include <vector>

#include "records/records_file.h"

namespace zelvane {
namespace {

struct ParseCase {
  const char* name;
  const char* field;
  HiScores scores;
  bool holdsANumber = true;
};

class ParseRecordsLineTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseRecordsLineTest, ReadsSixCharacterFields) {
  const RecordsLine line = ParseRecordsLine(GetParam().field);
  EXPECT_EQ(line.scores, GetParam().scores);
  EXPECT_EQ(line.holdsANumber, GetParam().holdsANumber);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParseRecordsLineTest,
    testing::Values(ParseCase{"SavedLine", "123456100000005000000020000000", {123456, 100000, 5000, 20, 0}},
                    ParseCase{"LoneFirstField", "000500", {500, 0, 0, 0, 0}},
                    ParseCase{"ShortSecondField", "00050007", {500, 7, 0, 0, 0}},
                    ParseCase{"Empty", "", {0, 0, 0, 0, 0}, false},
                    ParseCase{"LongerThanFiveFields", "000001000002000003000004000005000006", {1, 2, 3, 4, 5}},
                    ParseCase{"BlanksInsideAField", " 1 2 3000004", {123, 4, 0, 0, 0}},
                    ParseCase{"LettersEndTheNumber", "12ab34xyz999", {12, 0, 0, 0, 0}},
                    ParseCase{"FractionsToTheNearestHalvesToEven", "001.50000.75002.500003.512.5ab", {2, 1, 2, 4, 12}},
                    ParseCase{"FractionsAtTheEdges", "1.2.3x.5    0.50019.9999 1 . 5", {1, 0, 1, 10, 2}},
                    ParseCase{"NegativeReadsZero", "-00005000009", {0, 9, 0, 0, 0}},
                    ParseCase{"PlusSignReadsZero", "+00005", {0, 0, 0, 0, 0}, false},
                    ParseCase{"WordsOnly", "High scores of the club", {0, 0, 0, 0, 0}, false},
                    ParseCase{"ANumberInALaterField", "abcdef000400", {0, 400, 0, 0, 0}},
                    ParseCase{"ZerosAreANumber", "000000", {0, 0, 0, 0, 0}}),
    [](const testing::TestParamInfo<ParseCase>& info) { return info.param.name; });

struct FieldCase {
  const char* name;
  std::string_view fileStart;
  std::string_view field;
};

class FirstFieldTest : public testing::TestWithParam<FieldCase> {};

TEST_P(FirstFieldTest, EndsAtCommaOrLineEnd) { EXPECT_EQ(FirstField(GetParam().fileStart), GetParam().field); }

INSTANTIATE_TEST_SUITE_P(Cases, FirstFieldTest,
                         testing::Values(FieldCase{"CrLf", "000500000400\r\n-*- x -*-\r\n", "000500000400"},
                                         FieldCase{"LoneCr", "000500\r000400", "000500"},
                                         FieldCase{"LoneLf", "000500\n000400", "000500"},
                                         FieldCase{"NoLineEnd", "000500", "000500"},
                                         FieldCase{"Comma", "000500,000400", "000500"},
                                         FieldCase{"LeadingBlanks", " \t 000500\r\n", "000500"},
                                         FieldCase{"ByteOrderMark",
                                                   "\xEF\xBB\xBF"
                                                   "000500\r\n",
                                                   "000500"},
                                         FieldCase{"MarkThenBlanks", "\xEF\xBB\xBF  000500", "000500"},
                                         FieldCase{"BlankFirstLine", "   \r\n000500", ""}, FieldCase{"Empty", "", ""}),
                         [](const testing::TestParamInfo<FieldCase>& info) { return info.param.name; });

// The system's own decoder of code page 932 reads the note, on Windows too.
#ifdef _WIN32
std::string Cp932ToUtf8(std::string bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  const int chars = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), size);
  if (chars == 0) return "<not CP932>";
  std::string text(static_cast<std::size_t>(chars) * 3, '\0');
  text.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, wide.data(), chars, text.data(),
                                                           static_cast<int>(text.size()), nullptr, nullptr)));
  return text;
}
#else
std::string Cp932ToUtf8(std::string bytes) {
  const iconv_t decoder = iconv_open("UTF-8", "CP932");
  if (decoder == reinterpret_cast<iconv_t>(-1)) return "<no CP932 decoder>";
  std::string text(bytes.size() * 3, '\0');
  char* in = bytes.data();
  char* out = text.data();
  std::size_t inLeft = bytes.size();
  std::size_t outLeft = text.size();
  const std::size_t converted = iconv(decoder, &in, &inLeft, &out, &outLeft);
  iconv_close(decoder);
  if (converted == static_cast<std::size_t>(-1)) return "<not CP932>";
  text.resize(text.size() - outLeft);
  return text;
}
#endif

// Splits on CR LF, requiring the text to end in one.
std::vector<std::string> CrLfLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const auto end = text.find("\r\n");
    if (end == std::string_view::npos) {
      ADD_FAILURE() << "text after the last CR LF: " << text;
      break;
    }
    lines.emplace_back(text.substr(0, end));
    text.remove_prefix(end + 2);
  }
  return lines;
}

TEST(FormatRecordsFileTest, WritesSixteenCrLfLinesWithTheNoteInCodePage932) {
  const std::vector<std::string> lines =
      CrLfLines(FormatRecordsFile({123456, 100000, 5000, 20, 0}, "2024/03/09", "21:05:07"));
  const std::vector<std::string> expected = {
      "123456100000005000000020000000",
      "-*- 2024/03/09 -*-",
      "",
      "このデータはZelvane(V1.0)用です。",
      "",
      "",
      "",
      "このゲームはタイプをしていくたびに落下速度が増えて",
      "いきますが、１つの段を落ちるのにかかる時間は0.1秒",
      "以下にはなりません。",
      "この速度を維持できる人間が存在するかどうかは疑問ですが",
      "維持できればオーバーフローするまでスコアをのばせます。",
      "LV.4で降ってくるのは５文字ですから７段落ちきるまでに",
      "全てをタイプするのには１文字0.14秒以内にタイプする事になります(笑",
      "",
      "-*- 21:05:07 -*-",
  };
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].find_first_of("\r\n"), std::string::npos) << "line " << i + 1;
    EXPECT_EQ(Cp932ToUtf8(lines[i]), expected[i]) << "line " << i + 1;
  }
}

TEST(FormatRecordsFileTest, HoldsEntriesOutsideSixDigitsToTheirFields) {
  const std::string text = FormatRecordsFile({1000000, INT32_MAX, -1, INT32_MIN, 999999}, "d", "t");
  EXPECT_EQ(text.substr(0, 32), "999999999999000000000000999999\r\n");
  EXPECT_EQ(ParseRecordsLine(FirstField(text)).scores, (HiScores{999999, 999999, 0, 0, 999999}));
}

TEST(FormatRecordsFileTest, EveryEntryFromZeroTo999999ReadsBackUnchanged) {
  for (std::int32_t first = 0; first <= 999999; first += 5) {
    const HiScores table = {first, first + 1, first + 2, first + 3, first + 4};
    if (ParseRecordsLine(FirstField(FormatRecordsFile(table, "d", "t"))).scores != table) {
      FAIL() << "table starting at " << first;
    }
  }
}

TEST(NowStampTest, HasTheDateAndTimeShapes) {
  const LocalStamp stamp = NowStamp();
  EXPECT_TRUE(std::regex_match(stamp.date, std::regex("[0-9]{4}/[0-9]{2}/[0-9]{2}"))) << stamp.date;
  EXPECT_TRUE(std::regex_match(stamp.time, std::regex("[0-9]{2}:[0-9]{2}:[0-9]{2}"))) << stamp.time;
}

}  // namespace
}  // namespace zelvane
