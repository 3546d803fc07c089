#pragma once

// The standard readings of one file each: the text in, one layer of the
// standard model out. Lenient like every reader here: what fits no rule is
// passed over, nothing is reported, and no input makes them fail.

#include <string_view>

#include "standard/standard_context.h"
#include "standard/standard_model.h"

namespace corvane {

// A Gerber file as the Gerber format defines it (RS-274-X2 and its deprecated
// forms, RS-274-D with the context's settings and aperture table).
StandardLayer ReadStandardGerber(std::string_view text, const StandardContext& context);

// An Excellon NC drill file: header, tools, hits, slots and routing.
StandardLayer ReadStandardExcellon(std::string_view text, const StandardContext& context);

}  // namespace corvane
