#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "document/layer_function.h"
#include "intake/layer_stack.h"

namespace corvane {
namespace {

LayerFunction Layer(LayerSide side, LayerType type, int32_t inner = 0,
                    FileKind kind = FileKind::kGerber) {
  LayerFunction f;
  f.kind = kind;
  f.side = side;
  f.type = type;
  f.inner = inner;
  f.from = FunctionSource::kName;
  return f;
}

TEST(LayerStackTest, OrdersAsTheBoardIsStacked) {
  using S = LayerSide;
  using T = LayerType;
  // Shuffled on purpose; the expected order is the stack from the top down.
  const std::vector<LayerFunction> functions{
      Layer(S::kNone, T::kOther, 0, FileKind::kUnknown),
      Layer(S::kAll, T::kDrill, 0, FileKind::kExcellon),
      Layer(S::kBottom, T::kSilkscreen),
      Layer(S::kInner, T::kCopper, 2),
      Layer(S::kTop, T::kCopper),
      Layer(S::kAll, T::kOutline),
      Layer(S::kTop, T::kSoldermask),
      Layer(S::kInner, T::kCopper, 1),
      Layer(S::kBottom, T::kCopper),
      Layer(S::kTop, T::kSilkscreen),
      Layer(S::kBottom, T::kSoldermask),
      Layer(S::kTop, T::kSolderpaste),
      Layer(S::kBottom, T::kSolderpaste),
      Layer(S::kNone, T::kDrawing),
  };
  const std::vector<std::size_t> order = StackOrder(functions);
  const std::vector<std::size_t> expected{9, 11, 6, 4, 7, 3, 8, 10, 12, 2, 5, 1, 13, 0};
  EXPECT_EQ(order, expected);
}

TEST(LayerStackTest, ColoursTellTopFromBottomAndInnerLayersApart) {
  using S = LayerSide;
  using T = LayerType;
  std::set<uint32_t> colors;
  for (const LayerType type :
       {T::kCopper, T::kSoldermask, T::kSilkscreen, T::kSolderpaste}) {
    const uint32_t top = FunctionColor(Layer(S::kTop, type));
    const uint32_t bottom = FunctionColor(Layer(S::kBottom, type));
    EXPECT_NE(top, bottom);
    // The top side in warm tones (more red than blue), the bottom in blues.
    EXPECT_GT(top & 0xFF, (top >> 16) & 0xFF);
    EXPECT_GT((bottom >> 16) & 0xFF, bottom & 0xFF);
    colors.insert(top);
    colors.insert(bottom);
  }
  for (int32_t inner = 1; inner <= 4; ++inner) colors.insert(FunctionColor(Layer(S::kInner, T::kCopper, inner)));
  colors.insert(FunctionColor(Layer(S::kAll, T::kOutline)));
  EXPECT_EQ(colors.size(), 13u);  // every one of them distinct
  EXPECT_EQ(FunctionColor(Layer(S::kAll, T::kDrill)), 0x000000u);
}

TEST(LayerFunctionTest, StoredFormReadsBackAndRefusesWhatIsNotOne) {
  LayerFunction f = Layer(LayerSide::kInner, LayerType::kCopper, 3);
  f.negative = true;
  const std::string text = FormatLayerFunction(f);
  EXPECT_EQ(text, "gerber,inner,copper,3,,name,negative");
  EXPECT_EQ(ParseLayerFunction(text), f);
  LayerFunction drill = Layer(LayerSide::kAll, LayerType::kDrill, 0, FileKind::kExcellon);
  drill.plating = LayerPlating::kNonPlated;
  EXPECT_EQ(ParseLayerFunction(FormatLayerFunction(drill)), drill);
  for (const char* bad : {"", "gerber", "gerber,top,copper,0,,name", "gerber,up,copper,0,,name,positive",
                          "gerber,top,copper,-1,,name,positive", "gerber,top,copper,x,,name,positive",
                          "gerber,top,copper,0,,name,positive,extra", "gerber,top,copper,0,,name,dark"}) {
    EXPECT_FALSE(ParseLayerFunction(bad)) << bad;
  }
}

TEST(LayerFunctionTest, InWords) {
  EXPECT_EQ(FunctionInWords(Layer(LayerSide::kTop, LayerType::kCopper)), "Top copper");
  EXPECT_EQ(FunctionInWords(Layer(LayerSide::kInner, LayerType::kCopper, 2)), "Inner copper 2");
  EXPECT_EQ(FunctionInWords(Layer(LayerSide::kBottom, LayerType::kSolderpaste)),
            "Bottom solder paste");
  LayerFunction drill = Layer(LayerSide::kAll, LayerType::kDrill, 0, FileKind::kExcellon);
  drill.plating = LayerPlating::kNonPlated;
  EXPECT_EQ(FunctionInWords(drill), "Non-plated drill");
  LayerFunction mask = Layer(LayerSide::kTop, LayerType::kSoldermask);
  mask.negative = true;
  EXPECT_EQ(FunctionInWords(mask), "Top soldermask (negative)");
  EXPECT_EQ(FunctionInWords(Layer(LayerSide::kNone, LayerType::kOther, 0, FileKind::kNetlist)),
            "Netlist");
}

}  // namespace
}  // namespace corvane
