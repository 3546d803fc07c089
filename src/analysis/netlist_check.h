#pragma once

// The copper against the designer's netlist. The reference is an IPC-D-356
// file's test points, or else the X2 net attributes (.N) of the copper's pads
// and tracks; each reference point is found on the copper, and
//   - a reference net whose points fall in several extracted nets is an open,
//     with each part's points and a place between the parts;
//   - an extracted net holding points of several reference nets is a short,
//     with the nets and a place where their copper meets;
//   - a point that falls on no copper is unconnected.
// Without any reference the extraction stands alone, each net named after a
// pad it contains.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "analysis/board_nets.h"
#include "analysis/finding.h"
#include "analysis/ipc_netlist.h"

namespace corvane {

struct ReferencePoint {
  NetPoint point;
  // A point taken from the copper's attributes: the copper layer (position in
  // the stack) and object it came from; -1 for a point of a netlist file.
  int32_t copperPosition = -1;
  uint32_t object = 0;
};

struct NetReference {
  // The netlist file's path, "X2 net attributes", or empty for none.
  std::string source;
  std::vector<ReferencePoint> points;
  std::size_t malformedLines = 0;
};

inline constexpr std::string_view kAttributeReference = "X2 net attributes";

// The .N attribute of every dark pad and track of the copper layers, as
// reference points; none when no copper object carries a net's name.
NetReference ReferenceFromAttributes(const BoardNets& nets);
// A netlist file's text as a reference; its tooling holes and points of no
// connection are left out.
NetReference ReferenceFromIpc(const IpcNetlist& netlist, std::string source);

struct ExtractedNet {
  std::string name;
  std::size_t points = 0;  // reference points that fell in it
  std::vector<std::string> layers;
};

struct NetOpen {
  std::string net;
  // The points of each part, as "U1-3" or "12.700,5.080" where a point has no
  // component.
  std::vector<std::vector<std::string>> parts;
  std::vector<double> locations;  // x, y pairs (mm): between each part and the ones before it
  FindingBox box;                 // of every point of the net
  std::vector<uint32_t> extracted;  // the extracted nets involved
};

struct NetShort {
  std::vector<std::string> nets;
  double x = 0.0;  // where the copper of two of them meets, mm
  double y = 0.0;
  std::string layer;  // the layer that place is on
  FindingBox box;
  uint32_t extracted = 0;
};

struct UnconnectedPoint {
  std::string net;
  std::string point;  // as in NetOpen::parts
  double x = 0.0;
  double y = 0.0;
};

struct NetlistCheck {
  std::string referenceSource;  // as NetReference::source
  std::size_t referencePoints = 0;
  std::size_t malformedLines = 0;
  std::vector<ExtractedNet> nets;  // by extracted net number
  std::vector<NetOpen> opens;
  std::vector<NetShort> shorts;
  std::vector<UnconnectedPoint> unconnected;
  // The extraction's notes, and a word when the reference matches almost
  // nothing (then no open, short or unconnected point is listed).
  std::vector<std::string> notes;
  bool referenceMismatch = false;

  bool Clean() const { return opens.empty() && shorts.empty() && !referenceMismatch; }
};

// Fewer reference points than this share on the copper: the reference is
// taken to be of another board, units or origin.
inline constexpr double kLeastMatchingShare = 0.5;

NetlistCheck CheckNetlist(const BoardNets& nets, const NetReference& reference);

// The opens, shorts and unconnected points as findings, for the window's list.
FindingList NetlistFindings(const NetlistCheck& check);

// The extracted nets with their pads and plated holes, to be written as a
// netlist file.
std::vector<NetToWrite> NetsToWrite(const BoardNets& nets, const NetlistCheck& check);

}  // namespace corvane

namespace corvane {

// The reference of a check: the netlist file's text when there is one, else
// the copper's net attributes, else none.
NetReference ChooseReference(const BoardNets& nets, const std::string* netlistText,
                             const std::string& netlistPath);

}  // namespace corvane
