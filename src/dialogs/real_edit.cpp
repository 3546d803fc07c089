#include "dialogs/real_edit.h"

#include <cmath>

#include "dialogs/data_exchange.h"

namespace corvane {

void RealEdit::Show(double value) {
  shownValue_ = value;
  shownText_ = FormatRealField(value);
  text_ = shownText_;
}

bool RealEdit::Read(DataExchange& exchange, int32_t controlId, double& value) const {
  if (text_ != shownText_) return exchange.Real(controlId, text_, value);
  if (exchange.Failed()) return false;
  value = shownValue_;
  return true;
}

bool SameReal(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

}  // namespace corvane
