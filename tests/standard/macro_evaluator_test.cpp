#include "standard/macro_evaluator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

struct ExpressionCase {
  const char* text;
  double value;
  const char* rest;  // what is left after the expression
};

TEST(MacroEvaluatorTest, ExpressionsFollowTheUsualPrecedence) {
  const std::vector<double> params = {0.5, 2.0, -1.0};
  const MacroVariables variables(params);
  const ExpressionCase cases[] = {
      {"1.5", 1.5, ""},
      {".25", 0.25, ""},
      {"1+2x3", 7.0, ""},
      {"1+2X3", 7.0, ""},
      {"(1+2)x3", 9.0, ""},
      {"8/2/2", 2.0, ""},
      {"10-2-3", 5.0, ""},
      {"-3x-2", 6.0, ""},
      {"+-+4", -4.0, ""},
      {"$1x$2+$3", 0.0, ""},
      {"$2/($1+$1)", 2.0, ""},
      {"$7+1", 1.0, ""},     // never defined: 0
      {"$0+1", 1.0, ""},     // there is no $0
      {"2x(3", 6.0, ""},     // an unclosed parenthesis closes at the end
      {" 1 + 1 ", 2.0, ""},  // blanks and line breaks between tokens
      {"1\r\n+1", 2.0, ""},
      // Invalid rows: what cannot continue the expression ends it.
      {"1,2", 1.0, ",2"},
      {"3#4", 3.0, "#4"},
      {"abc", 0.0, "abc"},
      {"", 0.0, ""},
      {"4/0", 0.0, ""},  // division by zero gives 0
      {"4/(1-1)+1", 1.0, ""},
  };
  int checked = 0;
  for (const ExpressionCase& c : cases) {
    SCOPED_TRACE(c.text);
    const std::string text = c.text;
    const char* p = text.data();
    bool tooDeep = true;
    const double value = EvaluateMacroExpression(p, text.data() + text.size(), variables, tooDeep);
    EXPECT_DOUBLE_EQ(value, c.value);
    EXPECT_EQ(std::string(p), c.rest);
    EXPECT_FALSE(tooDeep);
    ++checked;
  }
  EXPECT_EQ(checked, 22);
}

TEST(MacroEvaluatorTest, NestingBeyondTheBoundIsWorthZeroAndSkipsTheValue) {
  const MacroVariables variables({});
  for (const int depth : {60, 64, 65, 5000}) {
    SCOPED_TRACE(depth);
    const std::string text = std::string(depth, '(') + "2" + std::string(depth, ')') + ",7";
    const char* p = text.data();
    bool tooDeep = false;
    const double value = EvaluateMacroExpression(p, text.data() + text.size(), variables, tooDeep);
    EXPECT_EQ(tooDeep, depth > kMaxExpressionDepth);
    EXPECT_DOUBLE_EQ(value, tooDeep ? 0.0 : 2.0);
    EXPECT_EQ(std::string(p), ",7");
  }
  // A chain of unary signs nests too.
  const std::string signs = std::string(100000, '-') + "1";
  const char* p = signs.data();
  bool tooDeep = false;
  EXPECT_DOUBLE_EQ(EvaluateMacroExpression(p, signs.data() + signs.size(), variables, tooDeep),
                   0.0);
  EXPECT_TRUE(tooDeep);
}

TEST(MacroEvaluatorTest, VariablesBeyondTheBoundAreNeverStored) {
  MacroVariables variables({});
  EXPECT_TRUE(variables.Set(3, 1.5));
  EXPECT_DOUBLE_EQ(variables.Get(3), 1.5);
  EXPECT_DOUBLE_EQ(variables.Get(2), 0.0);
  EXPECT_TRUE(variables.Set(kMaxMacroVariable, 2.0));
  EXPECT_FALSE(variables.Set(kMaxMacroVariable + 1, 2.0));
  EXPECT_FALSE(variables.Set(0, 2.0));
  EXPECT_DOUBLE_EQ(variables.Get(kMaxMacroVariable + 1), 0.0);
  EXPECT_DOUBLE_EQ(variables.Get(uint64_t{1} << 40), 0.0);
}

// The shape a macro body makes with the given parameters, in file units of
// millimetres when `unit` says so.
StandardShapes Evaluate(const std::string& body, std::vector<double> params, double unit,
                        ReadBudget& budget) {
  StandardShapes shapes;
  ShapeBuilder builder(shapes, budget);
  builder.Begin();
  EvaluateMacroBody(body, params, unit, builder);
  builder.Finish();
  return shapes;
}

TEST(MacroEvaluatorTest, BodiesAssignInOrderAndConvertLengthsButNotAngles) {
  ReadBudget budget;
  const StandardShapes shapes =
      Evaluate("0 a comment, with commas*$2=$1x2*1,1,$2,25.4,0,90*$2=0*1,0,$2+1,0,0*", {12.7},
               1.0 / 25.4, budget);
  ASSERT_EQ(shapes.primitives.size(), 2u);
  const ShapePrimitive& first = shapes.primitives[0];
  EXPECT_EQ(first.polarity, StandardPolarity::kDark);
  EXPECT_DOUBLE_EQ(first.diameter, 1.0);  // 25.4 mm
  EXPECT_NEAR(first.cx, 0.0, 1e-12);      // (1, 0) turned by 90°
  EXPECT_NEAR(first.cy, 1.0, 1e-12);
  const ShapePrimitive& second = shapes.primitives[1];
  EXPECT_EQ(second.polarity, StandardPolarity::kClear);
  EXPECT_DOUBLE_EQ(second.diameter, 1.0 / 25.4);  // $2 redefined as 0, plus 1
  EXPECT_EQ(budget.Reached(), 0u);
}

TEST(MacroEvaluatorTest, HostileBodiesMeetTheirBounds) {
  struct Case {
    std::string body;
    StandardLimit limit;
    std::size_t parts;
  };
  const Case cases[] = {
      {"4,1,200000,0,0,1,0,1,1,0*", kLimitOutlineVertices, 0},
      {"$10000=1*1,1,1,0,0*", kLimitMacroVariables, 1},
      {"1,1," + std::string(70, '(') + "1" + std::string(70, ')') + ",0,0*1,1,1,0,0*",
       kLimitExpressionDepth, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body.substr(0, 20));
    ReadBudget budget;
    const StandardShapes shapes = Evaluate(c.body, {}, 1.0, budget);
    EXPECT_EQ(budget.Reached(), static_cast<uint32_t>(c.limit));
    EXPECT_EQ(shapes.primitives.size(), c.parts);
  }
}

TEST(MacroEvaluatorTest, UnknownPrimitivesAndMalformedStatementsAddNothing) {
  ReadBudget budget;
  const StandardShapes shapes = Evaluate(
      "3,1,1*9,1,2,3*x=1*$=2*1,1,0,0,0*21,1,0,1,0,0,0*20,1,0.1,1,1,1,1,0*", {}, 1.0, budget);
  EXPECT_TRUE(shapes.primitives.empty());
  EXPECT_TRUE(shapes.points.empty());
}

}  // namespace
}  // namespace corvane
