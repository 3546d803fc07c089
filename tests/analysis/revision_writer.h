#pragma once

// Two revisions of a small board written by hand-made rules: the same
// copper and drills written in several ways (units, digits, aperture
// numbers, macros or regions, arcs or chords), and the changes a revision
// makes (a pad moved, a track deleted, a via added, a drill size changed).

#include <cmath>
#include <cstdio>
#include <string>

namespace corvane {

struct BoardWriting {
  bool inches = false;
  int decimals = 6;
  int firstAperture = 10;
  bool padsAsRegions = false;  // the macro pads written as regions instead
  bool arcsAsChords = false;   // the pour's round end written as short lines
};

struct BoardChanges {
  double padMoveX = 0.0;  // mm, the round pad at (15, 20)
  bool trackDeleted = false;
  bool viaAdded = false;      // a via pad at (30, 20) and its hole
  double holeDiameter = 0.8;  // mm, the hole at (15, 20)
};

class RevisionWriter {
 public:
  RevisionWriter(const BoardWriting& writing, const BoardChanges& changes)
      : w_(writing), c_(changes) {}

  std::string TopCopper() const {
    std::string t = "%TF.FileFunction,Copper,L1,Top*%\n%FSLAX3" + std::to_string(w_.decimals) +
                    "Y3" + std::to_string(w_.decimals) + "*%\n" +
                    (w_.inches ? "%MOIN*%\n" : "%MOMM*%\n");
    t += "%AMPAD*21,1,$1,$2,0,0,0*%\n";
    t += "%ADD" + Code(0) + "C," + Size(0.25) + "*%\n";
    t += "%ADD" + Code(1) + "C," + Size(1.5) + "*%\n";
    t += "%ADD" + Code(2) + "PAD," + Size(1.6) + "X" + Size(1.0) + "*%\n";
    t += "G01*\n";
    if (!c_.trackDeleted)
      t += "D" + Code(0) + "*\n" + Xy(10, 10) + "D02*\n" + Xy(20, 10) + "D01*\n";
    t += "D" + Code(1) + "*\n" + Xy(15 + c_.padMoveX, 20) + "D03*\n";
    if (c_.viaAdded) t += Xy(30, 20) + "D03*\n";
    t += Pad(10, 10) + Pad(20, 10);
    t += Pour();
    return t + "M02*\n";
  }

  std::string Drills() const {
    std::string t = w_.inches ? "M48\nINCH,LZ\n" : "M48\nMETRIC,LZ\n";
    t += "T1C" + Decimal(c_.holeDiameter) + "\nT2C" + Decimal(0.4) + "\n%\n";
    t += "T1\n" + DrillXy(15, 20) + "\n";
    t += "T2\n" + DrillXy(10, 10) + "\n" + DrillXy(20, 10) + "\n";
    if (c_.viaAdded) t += DrillXy(30, 20) + "\n";
    return t + "M30\n";
  }

 private:
  double Units(double mm) const { return w_.inches ? mm / 25.4 : mm; }
  std::string Code(int k) const { return std::to_string(w_.firstAperture + k); }
  std::string Decimal(double mm) const {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", Units(mm));
    return text;
  }
  std::string Size(double mm) const { return Decimal(mm); }
  std::string Number(double mm) const {
    return std::to_string(std::llround(Units(mm) * std::pow(10.0, w_.decimals)));
  }
  std::string Xy(double x, double y) const { return "X" + Number(x) + "Y" + Number(y); }
  std::string DrillXy(double x, double y) const { return "X" + Decimal(x) + "Y" + Decimal(y); }

  std::string Pad(double x, double y) const {
    if (!w_.padsAsRegions) return "D" + Code(2) + "*\n" + Xy(x, y) + "D03*\n";
    return "G36*\n" + Xy(x - 0.8, y - 0.5) + "D02*\n" + Xy(x + 0.8, y - 0.5) + "D01*\n" +
           Xy(x + 0.8, y + 0.5) + "D01*\n" + Xy(x - 0.8, y + 0.5) + "D01*\n" +
           Xy(x - 0.8, y - 0.5) + "D01*\nG37*\n";
  }

  // A pour from (30, 30) to (40, 34) with a half-round right end about (40, 32).
  std::string Pour() const {
    std::string t = "G36*\n" + Xy(30, 30) + "D02*\n" + Xy(40, 30) + "D01*\n";
    if (w_.arcsAsChords) {
      constexpr int kChords = 36;
      for (int k = 1; k <= kChords; ++k) {
        const double a = -M_PI / 2 + M_PI * k / kChords;
        t += Xy(40 + 2 * std::cos(a), 32 + 2 * std::sin(a)) + "D01*\n";
      }
      t += "G01*\n";
    } else {
      t += "G75*\nG03*\n" + Xy(40, 34) + "I0J" + Number(2) + "D01*\nG01*\n";
    }
    return t + Xy(30, 34) + "D01*\n" + Xy(30, 30) + "D01*\nG37*\n";
  }

  BoardWriting w_;
  BoardChanges c_;
};

}  // namespace corvane
