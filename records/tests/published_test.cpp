#include "records/published.h"

#include <gtest/gtest.h>

#include "base/constants.h"

namespace hx {
namespace {

enum TShape : uint8_t { shRound, shSquare };

class TBaseItem : public PublishedObject {
  HX_PUBLISHED()

 public:
  const std::string& Symbol() const { return symbol_; }
  void SetSymbol(std::string_view s) { symbol_ = std::string(s); }
  double Length() const { return length; }
  void SetLength(double v) { length = v; }
  double length = NoFloat;

 private:
  std::string symbol_;
};
HX_PROPERTIES(TBaseItem, PublishedObject,
              Property("Symbol", &TBaseItem::Symbol, &TBaseItem::SetSymbol),
              Property("Length", &TBaseItem::Length, &TBaseItem::SetLength))

class TDerivedItem : public TBaseItem {
  HX_PUBLISHED()

 public:
  int32_t Twice() const { return count * 2; }
  uint16_t count = 0;
  TShape shape = shRound;
  bool flag = false;
  std::string length_text;  // hides the base's Length
};
HX_PROPERTIES(TDerivedItem, TBaseItem, Property("Count", &TDerivedItem::count),
              Property("Shape", &TDerivedItem::shape), Property("Flag", &TDerivedItem::flag),
              Property("LENGTH", &TDerivedItem::length_text),
              ReadOnlyProperty("Twice", &TDerivedItem::Twice))

TEST(Published, TablesAreInheritedAndFoundIgnoringCase) {
  TDerivedItem item;
  PublishedObject& object = item;
  EXPECT_TRUE(SetPropValue(object, "symbol", std::string("AB-1")));
  EXPECT_EQ(item.Symbol(), "AB-1");
  EXPECT_TRUE(SetPropValue(object, "COUNT", 2.6));  // rounded into the word
  EXPECT_EQ(item.count, 3);
  EXPECT_EQ(std::get<int64_t>(*GetPropValue(object, "Twice")), 6);
  EXPECT_FALSE(SetPropValue(object, "Twice", int64_t{1}));  // read-only
  EXPECT_FALSE(SetPropValue(object, "Missing", int64_t{1}));
  EXPECT_FALSE(GetPropValue(object, "Missing").has_value());
  EXPECT_TRUE(SetPropValue(object, "Shape", int64_t{1}));
  EXPECT_EQ(item.shape, shSquare);
  EXPECT_EQ(item.Properties().Find("Shape")->kind, PropKind::Byte);
  // The derived class's text property hides the base's real one.
  EXPECT_TRUE(SetPropValue(object, "Length", 2.5));
  EXPECT_EQ(item.length_text, "2.5");
  EXPECT_EQ(item.length, NoFloat);
  EXPECT_EQ(item.Properties().All().size(), 6u);
  TBaseItem base;
  EXPECT_TRUE(SetPropValue(base, "Length", std::string("2*3")));
  EXPECT_EQ(base.length, 6);
  EXPECT_FALSE(SetPropValue(base, "Length", std::string("abc")));
  EXPECT_EQ(base.length, 6);
}

TEST(Published, Conversions) {
  struct Case {
    PropValue in;
    PropKind kind;
    PropValue out;
  } cases[] = {
      {NoFloat, PropKind::Int32, int64_t{NoInt}},
      {int64_t{NoInt}, PropKind::Float, NoFloat},
      {int64_t{NoInt}, PropKind::Text, std::string()},
      {NoFloat, PropKind::Text, std::string()},
      {int64_t{70000}, PropKind::Word, int64_t{65535}},
      {-3.0, PropKind::Byte, int64_t{0}},
      {NoFloat, PropKind::Byte, int64_t{255}},
      {int64_t{-5}, PropKind::ShortInt, int64_t{-5}},
      {true, PropKind::Float, 1.0},
      {std::string("True"), PropKind::Boolean, true},
      {std::string(""), PropKind::Boolean, false},
      {NoFloat, PropKind::Boolean, false},
      {int64_t{2}, PropKind::Boolean, true},
      {false, PropKind::Text, std::string("False")},
  };
  for (const auto& c : cases) {
    PropValue out;
    ASSERT_TRUE(ConvertPropValue(c.in, c.kind, out)) << c.in.index();
    EXPECT_EQ(out, c.out) << c.in.index() << " -> " << static_cast<int>(c.kind);
  }
  PropValue out;
  EXPECT_FALSE(ConvertPropValue(std::string("yes"), PropKind::Boolean, out));
  EXPECT_FALSE(ConvertPropValue(std::string("x"), PropKind::Int32, out));
}

}  // namespace
}  // namespace hx
