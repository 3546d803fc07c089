#pragma once

// Aperture macros: the arithmetic of their parameters and the primitives of
// their bodies, evaluated once per aperture definition into a shape.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "standard/shape_builder.h"

namespace corvane {

// $1, $2, ... of one evaluation: first the AD's parameters, then what the body
// assigns. A variable never given a value reads as 0.
class MacroVariables {
 public:
  explicit MacroVariables(std::span<const double> params);
  double Get(uint64_t number) const;
  // False for a number outside 1..kMaxMacroVariable, which is not stored.
  bool Set(uint64_t number, double value);

 private:
  std::vector<double> values_;  // values_[0] stands for $1
};

// Evaluates one expression: numbers, $n, unary + and -, the operators + - x X
// and / with the usual precedence, and parentheses. Stops at the first
// character that cannot continue the expression and leaves `p` there. A result
// that is not a finite number, and anything divided by 0, gives 0. Deeper
// nesting than kMaxExpressionDepth gives 0 and sets `tooDeep`.
double EvaluateMacroExpression(const char*& p, const char* end, const MacroVariables& variables,
                               bool& tooDeep);

// Adds the primitives of `body` (the AM text after the macro's name, its
// statements separated by '*') to the shape the builder has begun, with the
// AD's parameters as $1, $2, .... `unit` converts the file's unit to inches.
void EvaluateMacroBody(std::string_view body, std::span<const double> params, double unit,
                       ShapeBuilder& builder);

}  // namespace corvane
