#pragma once

// The IPC-D-356 (and 356A) netlist a designer sends with the plot files: the
// board's nets as test points, each with its net's name, the component and
// pin it belongs to, its position, the side it is probed from, its hole and
// its pad. Read leniently: a record that cannot be taken apart is skipped and
// counted, nothing makes the reader fail. Written back in the same fixed
// columns for the nets Corvane extracts from the copper.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The fixed columns keep this many characters of a net's name; longer names
// only survive through the long-name records of 356A.
inline constexpr std::size_t kNetNameColumns = 14;

// The name a test point's "net" of no connection carries.
inline constexpr std::string_view kNoConnectionNet = "N/C";

struct NetPoint {
  std::string net;        // as the file names it, long names resolved
  std::string component;  // "U1", "VIA", or empty
  std::string pin;        // "12", or empty
  double x = 0.0;         // mm, in the file's own origin
  double y = 0.0;
  // The side it is reached from: 0 both (a through hole), 1 the top, n the
  // nth copper layer from the top (the highest number is the bottom).
  int32_t access = 0;
  double holeDiameter = 0.0;  // mm; 0 without a hole
  bool plated = false;        // the hole is plated
  bool tooling = false;       // a tooling hole: no copper, no net
  double padWidth = 0.0;      // mm; 0 when not given
  double padHeight = 0.0;
};

enum class NetlistUnits : uint8_t { kInch = 0, kMillimetre = 1 };

struct IpcNetlist {
  NetlistUnits units = NetlistUnits::kInch;
  std::vector<NetPoint> points;  // in file order
  std::size_t malformedLines = 0;  // records skipped because they could not be read
};

// Reads the text of a netlist file. Units follow the file's UNITS parameter
// (CUST 0 and CUST 2: inches in tenths of a thousandth; CUST 1 and SI:
// thousandths of a millimetre), and may change within the file.
IpcNetlist ReadIpcNetlist(std::string_view text);

// Whether two net names are the same net by the rule of the fixed columns:
// equal in their first kNetNameColumns characters, letter case kept.
bool SameNetName(std::string_view a, std::string_view b);

// One net to write: its name and its points.
struct NetToWrite {
  std::string name;
  std::vector<NetPoint> points;
};

// The text of a 356A file for `nets`, in millimetres: a long-name record for
// every name longer than the fixed columns keep, then one test record per
// point, then the end record. Coordinates beyond the columns' reach are
// clamped to it.
std::string WriteIpcNetlist(const std::vector<NetToWrite>& nets, std::string_view title);

}  // namespace corvane
