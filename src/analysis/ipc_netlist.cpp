#include "analysis/ipc_netlist.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "text/ascii.h"

namespace corvane {
namespace {

constexpr std::size_t kRecordColumns = 80;
constexpr double kMillimetresPerInchUnit = 0.00254;  // 0.0001 in
constexpr double kMillimetresPerMetricUnit = 0.001;
constexpr int kMaxDigits = 12;  // more can only be garbage, and would overflow

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsCSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsCSpace(text.back())) text.remove_suffix(1);
  return text;
}

// Columns `first` to `last` (1-based, inclusive) of a record, trimmed; empty
// when the line is shorter.
std::string Columns(std::string_view line, std::size_t first, std::size_t last) {
  if (line.size() < first) return {};
  return std::string(Trim(line.substr(first - 1, last - first + 1)));
}

// A run of digits with an optional sign, taken from the front of `text`.
bool TakeNumber(std::string_view& text, int64_t& value) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int digits = 0;
  value = 0;
  while (!text.empty() && IsDigit(text.front())) {
    if (++digits > kMaxDigits) return false;
    value = value * 10 + (text.front() - '0');
    text.remove_prefix(1);
  }
  if (negative) value = -value;
  return digits > 0;
}

// The measured fields of a test record after the pin: hole, access,
// position, pad size, rotation and mask, each known by its letter.
class FieldScanner {
 public:
  FieldScanner(NetPoint& point, double unit) : point_(point), unit_(unit) {}

  // False when a field letter is followed by no number or an unknown letter
  // appears before the position is complete.
  bool Scan(std::string_view text) {
    while (!text.empty()) {
      const char letter = UpperAscii(text.front());
      text.remove_prefix(1);
      if (IsCSpace(letter) || letter == 'M') continue;
      if (!Field(letter, text)) return havePosition_;
    }
    return havePosition_;
  }

 private:
  bool Field(char letter, std::string_view& text) {
    int64_t value = 0;
    switch (letter) {
      case 'D':
        if (!TakeNumber(text, value)) return false;
        point_.holeDiameter = static_cast<double>(value) * unit_;
        if (!text.empty() && (UpperAscii(text.front()) == 'P' || UpperAscii(text.front()) == 'U')) {
          point_.plated = UpperAscii(text.front()) == 'P';
          text.remove_prefix(1);
        }
        return true;
      case 'A':
        if (!TakeNumber(text, value) || value < 0 || value > 99) return false;
        point_.access = static_cast<int32_t>(value);
        return true;
      case 'X':
      case 'Y':
        return Coordinate(letter, text);
      case 'R':
      case 'S':
        return TakeNumber(text, value);
      default:
        return false;
    }
  }

  // The first X and Y are the position, the second the pad's size.
  bool Coordinate(char letter, std::string_view& text) {
    int64_t value = 0;
    if (!TakeNumber(text, value)) return false;
    const double mm = static_cast<double>(value) * unit_;
    if (letter == 'X') {
      if (xCount_++ == 0) point_.x = mm; else point_.padWidth = std::fabs(mm);
    } else {
      if (yCount_++ == 0) point_.y = mm; else point_.padHeight = std::fabs(mm);
    }
    havePosition_ = xCount_ > 0 && yCount_ > 0;
    return true;
  }

  NetPoint& point_;
  double unit_;
  int xCount_ = 0;
  int yCount_ = 0;
  bool havePosition_ = false;
};

bool IsThreeDigits(std::string_view line) {
  return line.size() >= 3 && IsDigit(line[0]) && IsDigit(line[1]) && IsDigit(line[2]);
}

class Reader {
 public:
  IpcNetlist Read(std::string_view text) {
    while (!text.empty()) {
      const std::size_t end = text.find('\n');
      std::string_view line = text.substr(0, end);
      text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (line.substr(0, 3) == "999") break;
      Line(line);
    }
    ResolveLongNames();
    return std::move(result_);
  }

 private:
  void Line(std::string_view line) {
    if (Trim(line).empty()) return;
    const char first = UpperAscii(line.front());
    if (first == 'C') return;
    if (first == 'P') return Parameter(Trim(line.substr(1)));
    if (!IsThreeDigits(line)) {
      ++result_.malformedLines;
      return;
    }
    // Conductors, outlines and other records that are no test point.
    if (line[2] != '7') return;
    TestRecord(line);
  }

  void Parameter(std::string_view text) {
    const std::size_t blank = std::min(text.find(' '), text.size());
    const std::string_view name = text.substr(0, blank);
    const std::string_view value = Trim(text.substr(blank));
    if (EqualNoCase(name, "UNITS")) {
      const bool metric = EqualNoCase(value.substr(0, 2), "SI") || EqualNoCase(value, "CUST 1") ||
                          EqualNoCase(value, "CUST1");
      result_.units = metric ? NetlistUnits::kMillimetre : NetlistUnits::kInch;
    } else if (name.size() > 5 && EqualNoCase(name.substr(0, 5), "NNAME") && !value.empty()) {
      longNames_[std::string(name)] = std::string(value);
    }
  }

  void TestRecord(std::string_view line) {
    if (line.size() > kRecordColumns) line = line.substr(0, kRecordColumns);
    NetPoint point;
    point.net = Columns(line, 4, 17);
    point.component = Columns(line, 21, 26);
    point.pin = Columns(line, 28, 31);
    point.tooling = line[1] == '6';
    const double unit = result_.units == NetlistUnits::kMillimetre ? kMillimetresPerMetricUnit
                                                                    : kMillimetresPerInchUnit;
    FieldScanner scanner(point, unit);
    if (line.size() < 32 || !scanner.Scan(line.substr(31))) {
      ++result_.malformedLines;
      return;
    }
    result_.points.push_back(std::move(point));
  }

  void ResolveLongNames() {
    if (longNames_.empty()) return;
    for (NetPoint& point : result_.points) {
      const auto found = longNames_.find(point.net);
      if (found != longNames_.end()) point.net = found->second;
    }
  }

  IpcNetlist result_;
  std::map<std::string, std::string> longNames_;
};

// A whole number of the columns' unit, clamped to what `digits` columns hold.
long Units(double mm, double unit, int digits) {
  const double limit = std::pow(10.0, digits) - 1.0;
  const double value = std::round(mm / unit);
  if (!(value == value)) return 0;
  return static_cast<long>(std::clamp(value, -limit, limit));
}

std::string Padded(std::string_view text, std::size_t width) {
  std::string out(text.substr(0, width));
  out.resize(width, ' ');
  return out;
}

std::string TestRecordText(const std::string& netField, const NetPoint& point) {
  const double unit = kMillimetresPerMetricUnit;
  std::string line = point.holeDiameter > 0.0 ? "317" : "327";
  line += Padded(netField, kNetNameColumns) + "   " + Padded(point.component, 6);
  line += point.pin.empty() ? " " : "-";
  line += Padded(point.pin, 4) + " ";
  char field[64];
  if (point.holeDiameter > 0.0) {
    std::snprintf(field, sizeof field, "D%04ld%c", Units(point.holeDiameter, unit, 4),
                  point.plated ? 'P' : 'U');
    line += field;
  } else {
    line += "      ";
  }
  const long x = Units(point.x, unit, 6);
  const long y = Units(point.y, unit, 6);
  std::snprintf(field, sizeof field, "A%02dX%c%06ldY%c%06ld", std::clamp(point.access, 0, 99),
                x < 0 ? '-' : '+', std::labs(x), y < 0 ? '-' : '+', std::labs(y));
  line += field;
  if (point.padWidth > 0.0 || point.padHeight > 0.0) {
    std::snprintf(field, sizeof field, "X%04ldY%04ldR000", Units(point.padWidth, unit, 4),
                  Units(point.padHeight, unit, 4));
    line += field;
  }
  return line + "\n";
}

}  // namespace

IpcNetlist ReadIpcNetlist(std::string_view text) { return Reader().Read(text); }

bool SameNetName(std::string_view a, std::string_view b) {
  return a.substr(0, kNetNameColumns) == b.substr(0, kNetNameColumns);
}

std::string WriteIpcNetlist(const std::vector<NetToWrite>& nets, std::string_view title) {
  std::string out = "C  Netlist extracted from the copper\n";
  out += "P  JOB   " + std::string(title.substr(0, 60)) + "\n";
  out += "P  UNITS CUST 1\nP  IMAGE PRIMARY\n";
  std::vector<std::string> fields(nets.size());
  std::size_t longNames = 0;
  for (std::size_t i = 0; i < nets.size(); ++i) {
    fields[i] = nets[i].name;
    if (fields[i].size() <= kNetNameColumns) continue;
    fields[i] = "NNAME" + std::to_string(++longNames);
    out += "P  " + Padded(fields[i], 11) + nets[i].name + "\n";
  }
  for (std::size_t i = 0; i < nets.size(); ++i) {
    for (const NetPoint& point : nets[i].points) out += TestRecordText(fields[i], point);
  }
  return out + "999\n";
}

}  // namespace corvane
