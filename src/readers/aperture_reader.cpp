#include "readers/aperture_reader.h"

#include <string>

#include "document/read_target.h"
#include "text/ascii.h"
#include "text/fields.h"

namespace corvane {
namespace {

// The type whose identifier occurs first in index order, or -1.
int FindApertureType(const FormatSettings& settings, const char* line) {
  for (int i = 0; i < kApertureFormatCount; ++i) {
    const std::string& identifier =
        settings.apertureFormats[static_cast<std::size_t>(i)].identifier;
    if (FindNoCase(line, identifier.c_str()) != nullptr) return i;
  }
  return -1;
}

// A code column such as "D10" or "10": one leading non-digit is passed when
// something follows it.
const char* ReadCodeColumn(const char* p, int32_t& code) {
  p = SkipBlanks(p);
  if (p[0] != '\0' && p[1] != '\0' && !IsDigit(p[0])) ++p;
  return ReadIntField(p, code, 0, true);
}

const char* ReadApertureColumn(const char* p, uint8_t field, Aperture& aperture) {
  std::string text;
  switch (field) {
    case kApertureFieldDCode:
      return ReadCodeColumn(p, aperture.dcode);
    case kApertureFieldIdentifier:
      return ReadTextField(SkipBlanks(p), text);
    case kApertureFieldWidth:
      return ReadRealField(p, aperture.sizeX, 0.0, true);
    case kApertureFieldHeight:
      return ReadRealField(p, aperture.sizeY, 0.0, true);
    case kApertureFieldQuantity:
      return ReadIntField(p, aperture.quantity, 0, true);
    case kApertureFieldSkip:
      return SkipToBlank(SkipBlanks(p));
    default:
      return p;
  }
}

}  // namespace

void ReadApertureLine(ReadTarget& target, const char* line) {
  const FormatSettings& settings = target.Settings();
  const char* p = SkipBlanks(line);
  const int shape = FindApertureType(settings, line);
  if (shape < 0) return;

  Aperture aperture;
  aperture.layer = -1;
  aperture.shape = shape;
  for (const uint8_t field : settings.apertureFormats[static_cast<std::size_t>(shape)].fieldOrder) {
    p = ReadApertureColumn(p, field, aperture);
  }

  const double scale = settings.apertureMultiplier * 0.001;
  aperture.sizeX *= scale;
  aperture.sizeY *= scale;
  // Circles and squares are often given one size only.
  if (shape == kShapeCircle || shape == kShapeSquare) {
    if (aperture.sizeY == 0.0) aperture.sizeY = aperture.sizeX;
    if (aperture.sizeX == 0.0) aperture.sizeX = aperture.sizeY;
  }
  if (aperture.dcode > 0 && aperture.sizeX > 0.0) target.AddAperture(aperture);
}

}  // namespace corvane
