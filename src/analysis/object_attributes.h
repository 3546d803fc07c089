#pragma once

// The attributes a standard layer gives its objects, read back into names and
// values: the object attributes in force when the object was drawn (its net,
// component, pin) and the attributes of its aperture (its function), each
// with a name a person reads. A value that does not follow the format is kept
// as its text; nothing here refuses anything.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "standard/standard_model.h"

namespace corvane {

// "name,value;name,value", as the standard reading stores a set of
// attributes: split into names and values. The value keeps its commas.
std::vector<StandardAttribute> SplitAttributeText(std::string_view text);

// ".N" -> "Net", ".AperFunction" -> "Aperture function"; a name the format
// does not define is shown as written.
std::string ReadableAttributeName(std::string_view name);

// The index into layer.objectAttributeSets of the set in force for object
// `object`; 0 (the empty set) when none was.
uint32_t ObjectAttributeSet(const StandardLayer& layer, uint32_t object);

// What ".P" says: the component's reference, the pin number and, when given,
// the pin's function. Missing fields are empty.
struct PinReference {
  std::string component;
  std::string pin;
  std::string function;
};
PinReference ParsePinReference(std::string_view value);

// The names in a ".N" value: several nets are separated by commas; the
// empty value (an object on no net) gives no name.
std::vector<std::string> NetNames(std::string_view value);

}  // namespace corvane
