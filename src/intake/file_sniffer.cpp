#include "intake/file_sniffer.h"

#include <array>

#include "standard/file_kind.h"
#include "text/ascii.h"

namespace corvane {
namespace {

// Lines of a text, without their ends, leading blanks dropped.
class Lines {
 public:
  explicit Lines(std::string_view text) : text_(text) {}
  bool Next(std::string_view& line) {
    while (pos_ < text_.size()) {
      const std::size_t end = LineEnd(text_, pos_);
      line = text_.substr(pos_, end - pos_);
      pos_ = end + 1;
      while (!line.empty() && IsBlankOrTab(line.front())) line.remove_prefix(1);
      while (!line.empty() && IsBlankOrTab(line.back())) line.remove_suffix(1);
      if (!line.empty()) return true;
    }
    return false;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Text files hold no NUL and few control characters.
bool LooksBinary(std::string_view text) {
  std::size_t controls = 0;
  const std::string_view start = text.substr(0, 4096);
  for (const char c : start) {
    const auto u = static_cast<unsigned char>(c);
    if (u == 0) return true;
    if (u < 32 && c != '\r' && c != '\n' && c != '\t' && c != '\f' && c != 0x1A) ++controls;
  }
  return controls * 20 > start.size();
}

// A statement of a plot file: a word letter and a number, or a parameter
// block's two-letter code.
bool IsGerberStatement(std::string_view s) {
  while (!s.empty() && (IsCSpace(s.front()) || s.front() == '%')) s.remove_prefix(1);
  if (s.size() < 2) return false;
  const char c = s[0];
  if (c == 'G' || c == 'D' || c == 'M') return IsDigit(s[1]);
  if (c == 'X' || c == 'Y' || c == 'I' || c == 'J') {
    return IsDigit(s[1]) || ((s[1] == '-' || s[1] == '+') && s.size() > 2 && IsDigit(s[2]));
  }
  static constexpr std::array<std::string_view, 16> kParameters{
      "FS", "MO", "AD", "AM", "AB", "LP", "LM", "LR", "LS", "SR", "TF", "TA", "TO", "TD", "IP", "IN"};
  for (const std::string_view code : kParameters) {
    if (StartsWith(s, code)) return true;
  }
  return false;
}

bool LooksLikeGerber(std::string_view text) {
  int statements = 0;
  int others = 0;
  Lines lines(text);
  std::string_view line;
  while (lines.Next(line) && statements + others < 200) {
    if (line.front() == ';') continue;  // Excellon's comments may hold anything
    std::size_t start = 0;
    for (std::size_t star = line.find('*'); star != std::string_view::npos;
         star = line.find('*', start)) {
      (IsGerberStatement(line.substr(start, star - start)) ? statements : others)++;
      start = star + 1;
    }
  }
  return statements >= 2 && statements >= others;
}

// "T01 Plated x 35 120": a tool number, a separator and more fields. Excellon
// writes its tools without blanks ("T01C0.035").
bool IsToolTableRow(std::string_view line) {
  if (line.size() < 3 || line[0] != 'T' || !IsDigit(line[1])) return false;
  std::size_t i = 1;
  while (i < line.size() && IsDigit(line[i])) ++i;
  if (i >= line.size() || (!IsBlankOrTab(line[i]) && line[i] != ',')) return false;
  for (; i < line.size(); ++i) {
    if (IsDigit(line[i])) return true;
  }
  return false;
}

bool LooksLikeDrillToolTable(std::string_view text) {
  int rows = 0;
  Lines lines(text);
  std::string_view line;
  while (lines.Next(line)) {
    if (StartsWith(line, "M48") || line.front() == 'X' || line.front() == 'Y') return false;
    if (IsToolTableRow(line)) ++rows;
  }
  return rows > 0;
}

bool HasShapeWord(std::string_view line) {
  static constexpr std::array<std::string_view, 12> kShapes{
      "CIRCLE", "ROUND", "SQUARE", "RECT", "LINE", "ELLIPSE",
      "OVAL", "OBLONG", "OCTAGON", "POLYGON", "THERMAL", "TARGET"};
  std::string upper(line.substr(0, 200));
  for (char& c : upper) c = UpperAscii(c);
  for (const std::string_view shape : kShapes) {
    if (upper.find(shape) != std::string::npos) return true;
  }
  return false;
}

// "D10 CIRCLE 10": a D-code, a separator, a shape word and a size.
bool LooksLikeApertureTable(std::string_view text) {
  int rows = 0;
  Lines lines(text);
  std::string_view line;
  while (lines.Next(line)) {
    if (line.size() < 4 || line[0] != 'D' || !IsDigit(line[1]) || !IsDigit(line[2])) continue;
    std::size_t i = 1;
    while (i < line.size() && IsDigit(line[i])) ++i;
    if (i < line.size() && (IsBlankOrTab(line[i]) || line[i] == ',') && HasShapeWord(line)) ++rows;
  }
  return rows > 0;
}

bool IsNetlistRecord(std::string_view line) {
  if (line.size() < 3 || !IsDigit(line[0]) || !IsDigit(line[1]) || !IsDigit(line[2])) return false;
  return line.substr(0, 3) == "999" || (line[2] == '7' && (line[0] == '0' || line[0] == '3'));
}

// IPC-D-356: "P  JOB ..." parameters, "C " comments, "317..." test records and "999".
bool LooksLikeNetlist(std::string_view text) {
  int parameters = 0;
  int records = 0;
  int others = 0;
  Lines lines(text);
  std::string_view line;
  while (lines.Next(line) && parameters + records + others < 200) {
    if (StartsWith(line, "P ") || StartsWith(line, "C ")) {
      ++parameters;
    } else if (IsNetlistRecord(line)) {
      ++records;
    } else {
      ++others;
    }
  }
  return records > 0 && (parameters > 0 || records >= 3) && others <= records;
}

bool LooksLikeJob(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsCSpace(text[i])) ++i;
  if (i >= text.size() || text[i] != '{') return false;
  return text.find("\"Header\"") != std::string_view::npos ||
         text.find("\"FilesAttributes\"") != std::string_view::npos;
}

}  // namespace

FileKind SniffFileKind(std::string_view head) {
  head = head.substr(0, kSniffBytes);
  if (StartsWith(head, "\xEF\xBB\xBF")) head.remove_prefix(3);
  if (head.empty() || LooksBinary(head)) return FileKind::kUnknown;
  if (LooksLikeJob(head)) return FileKind::kJob;
  if (LooksLikeNetlist(head)) return FileKind::kNetlist;
  if (LooksLikeGerber(head)) return FileKind::kGerber;
  if (LooksLikeDrillToolTable(head)) return FileKind::kDrillToolTable;
  if (LooksLikeExcellon(head)) return FileKind::kExcellon;
  if (LooksLikeApertureTable(head)) return FileKind::kApertureTable;
  return FileKind::kUnknown;
}

bool LooksLikeArchive(std::string_view head) {
  static constexpr std::array<std::string_view, 7> kSignatures{
      std::string_view("PK\x03\x04", 4), std::string_view("PK\x05\x06", 4),
      std::string_view("7z\xBC\xAF\x27\x1C", 6), std::string_view("\x1F\x8B", 2),
      std::string_view("BZh", 3), std::string_view("\xFD" "7zXZ\x00", 6),
      std::string_view("Rar!\x1A\x07", 6)};
  for (const std::string_view signature : kSignatures) {
    if (StartsWith(head, signature)) return true;
  }
  return head.size() >= 262 && head.substr(257, 5) == "ustar";
}

}  // namespace corvane
