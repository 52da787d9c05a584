#include "objects/object_stream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/constants.h"
#include "objects/data_kind.h"
#include "objects/real48.h"
#include "objects/shared_buffer.h"
#include "objects/tests/test_items.h"

namespace hx {
namespace {

using test::Bytes;
using test::operator+;
using test::ReaderOf;

std::vector<uint8_t> Written(const std::function<void(TObjectStream&)>& write) {
  TObjectStream s;
  write(s);
  return s.MemoryData();
}

TEST(ObjectStream, Real48GoldenBytes) {
  struct Case {
    double value;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {1.0, Bytes({0x81, 0, 0, 0, 0, 0})},
      {-1.0, Bytes({0x81, 0, 0, 0, 0, 0x80})},
      {100.0, Bytes({0x87, 0, 0, 0, 0, 0x48})},
      {0.5, Bytes({0x80, 0, 0, 0, 0, 0})},
      {0.0, Bytes({0, 0, 0, 0, 0, 0})},
      {-0.0, Bytes({0, 0, 0, 0, 0, 0})},
      {NoFloat, Bytes({0xB9, 0xC5, 0x2E, 0xBC, 0xA2, 0xB1})},
      // 1 + 2^-40 lies half way between two 6-byte reals and goes to the even one (1.0);
      // 1 + 3 * 2^-40 goes up to 1 + 2^-38.
      {1.0 + std::ldexp(1.0, -40), Bytes({0x81, 0, 0, 0, 0, 0})},
      {1.0 + 3 * std::ldexp(1.0, -40), Bytes({0x81, 2, 0, 0, 0, 0})},
      // Rounding that carries into the exponent: just below 2.0 becomes 2.0.
      {2.0 - std::ldexp(1.0, -45), Bytes({0x82, 0, 0, 0, 0, 0})},
      // Smaller than the smallest 6-byte real: zero.
      {1e-45, Bytes({0, 0, 0, 0, 0, 0})},
  };
  for (const auto& c : cases) {
    const auto bytes = Written([&](TObjectStream& s) { s.WriteReal48(c.value); });
    EXPECT_EQ(bytes, c.bytes) << c.value;
  }
  auto s = ReaderOf(Bytes({0x87, 0, 0, 0, 0, 0x48, 0xB9, 0xC5, 0x2E, 0xBC, 0xA2, 0xB1}));
  EXPECT_EQ(s.ReadReal48(), 100.0);
  EXPECT_EQ(s.ReadReal48(), NoFloat);
}

TEST(ObjectStream, Real48OutOfRangeRaises) {
  for (double v : {1e39, -1e39, std::numeric_limits<double>::infinity(),
                   std::numeric_limits<double>::quiet_NaN()}) {
    TObjectStream s;
    try {
      s.WriteReal48(v);
      FAIL() << v;
    } catch (const EObjectStream& e) {
      EXPECT_EQ(e.Code(), -7);
    }
    EXPECT_TRUE(s.MemoryData().empty());
  }
  uint8_t b[6];
  EXPECT_TRUE(DoubleToReal48(1.7e38, b));
  EXPECT_NEAR(Real48ToDouble(b), 1.7e38, 1e27);
}

TEST(ObjectStream, CompactIntegers) {
  struct Case {
    int32_t written;
    uint8_t lo, hi;
    int32_t read_back;
  } cases[] = {
      {40000, 0x40, 0x9C, -25536}, {70000, 0x00, 0x80, NoInt},  {NoInt, 0x00, 0x80, NoInt},
      {-32768, 0x00, 0x80, NoInt}, {-1, 0xFF, 0xFF, -1},         {65535, 0xFF, 0xFF, -1},
      {-65536, 0x00, 0x00, 0},     {-65537, 0x00, 0x80, NoInt},  {1234, 0xD2, 0x04, 1234},
  };
  for (const auto& c : cases) {
    const auto bytes = Written([&](TObjectStream& s) { s.WriteCompact(c.written); });
    EXPECT_EQ(bytes, Bytes({c.lo, c.hi})) << c.written;
    auto r = ReaderOf(bytes);
    EXPECT_EQ(r.ReadCompact(), c.read_back) << c.written;
  }
}

TEST(ObjectStream, IntegerFloatAndTextEncodings) {
  const auto bytes = Written([](TObjectStream& s) {
    s.WriteByte(0xAB);
    s.WriteBool(true);
    s.WriteInt16(-2);
    s.WriteWord(0x1234);
    s.WriteInt32(-100000);
    s.WriteCardinal(0xDEADBEEF);
    s.WriteDouble(1.0);
    s.WriteStr("Кот");
    s.WriteShortStr("ab");
    s.WritePChar(std::nullopt);
    s.WritePChar(std::string("x"));
  });
  const auto expected =
      Bytes({0xAB, 0x01, 0xFE, 0xFF, 0x34, 0x12, 0x60, 0x79, 0xFE, 0xFF, 0xEF, 0xBE, 0xAD, 0xDE,
             0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 0x03, 0x00, 0xCA, 0xEE, 0xF2, 0x02, 'a', 'b', 0x00,
             0x00, 0x01, 0x00, 'x'});
  ASSERT_EQ(bytes, expected);
  auto r = ReaderOf(bytes);
  EXPECT_EQ(r.ReadByte(), 0xAB);
  EXPECT_TRUE(r.ReadBool());
  EXPECT_EQ(r.ReadInt16(), -2);
  EXPECT_EQ(r.ReadWord(), 0x1234);
  EXPECT_EQ(r.ReadInt32(), -100000);
  EXPECT_EQ(r.ReadCardinal(), 0xDEADBEEFu);
  EXPECT_EQ(r.ReadDouble(), 1.0);
  EXPECT_EQ(r.ReadStr(), "Кот");
  EXPECT_EQ(r.ReadShortStr(), "ab");
  EXPECT_EQ(r.ReadPChar(), std::nullopt);
  EXPECT_EQ(r.ReadPChar(), std::optional<std::string>("x"));
  EXPECT_EQ(r.Remaining(), 0);
}

TEST(ObjectStream, TextsThatCannotBeStored) {
  TObjectStream s;
  s.WriteStr("Alę");
  EXPECT_EQ(s.LostCharacters(), 1u);
  EXPECT_THROW(s.WriteStr(std::string(70000, 'a')), EObjectStream);
  EXPECT_THROW(s.WriteShortStr(std::string(256, 'a')), EObjectStream);
  // A string's bytes pass through unchanged, whatever they are.
  const std::string raw = "\x98\xFF\x00\x01";
  s.WriteStrBytes(std::string(raw.data(), 4));
  s.SetPosition(5);
  EXPECT_EQ(s.ReadStrBytes(), std::string(raw.data(), 4));
}

TEST(ObjectStream, ShortReadsAndHugeLengthsRaise) {
  struct Case {
    std::vector<uint8_t> bytes;
    std::function<void(TObjectStream&)> read;
    int code;
  } cases[] = {
      {Bytes({1, 2, 3}), [](TObjectStream& s) { s.ReadInt32(); }, -3},
      {Bytes({1, 2, 3, 4, 5}), [](TObjectStream& s) { s.ReadReal48(); }, -3},
      {Bytes({5, 0, 'a', 'b'}), [](TObjectStream& s) { s.ReadStr(); }, -8},
      {Bytes({0xFF, 0xFF}), [](TObjectStream& s) { s.ReadPChar(); }, -8},
      {Bytes({3, 'a'}), [](TObjectStream& s) { s.ReadShortStr(); }, -3},
      {Bytes({0x55, 0x55, 0, 0}), [](TObjectStream& s) { s.GetObject(0); }, -6},
      {Bytes({0x85, 0x03, 0, 0, 7, 0, 0}), [](TObjectStream& s) { s.GetObject(0); }, -3},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    auto s = ReaderOf(cases[i].bytes);
    try {
      cases[i].read(s);
      ADD_FAILURE() << "case " << i;
    } catch (const EObjectStream& e) {
      EXPECT_EQ(e.Code(), cases[i].code) << "case " << i;
    }
  }
}

TEST(ObjectStream, ErrorTexts) {
  EXPECT_EQ(std::string(EObjectStream(-6, {4711}).what()),
            "Неизвестный идентификатор типа объекта 4711.");
  EXPECT_EQ(std::string(EObjectStream(-40).what()),
            "Неизвестная ошибка -40 в объекте TObjectStream.");
}

struct TImpostor : TStreamableObject {
  HX_STREAMABLE(TImpostor, 901)
};

struct TUnregistered : TStreamableObject {
  HX_STREAMABLE(TUnregistered, 4242)
};

TEST(StreamRegistry, RegistrationRules) {
  RegisterStreamable<test::TKeyItem>();  // again: harmless
  ASSERT_NE(FindStreamClass(901), nullptr);
  EXPECT_STREQ(FindStreamClass(901)->name, "TKeyItem");
  try {
    RegisterStreamable<TImpostor>();
    FAIL();
  } catch (const EObjectStream& e) {
    EXPECT_EQ(e.Code(), -4);
    EXPECT_NE(std::string(e.what()).find("TKeyItem"), std::string::npos);
  }
  EXPECT_EQ(FindStreamClass(150)->name, std::string("TObjectCollection"));
  EXPECT_EQ(FindStreamClass(250)->name, std::string("TCompareObjectSortedCollection"));
  EXPECT_EQ(FindStreamClass(251)->name, std::string("TCompareEventSortedCollection"));
}

TEST(StreamRegistry, ObjectsByTypeIdInEachVariant) {
  test::TKeyItem item(7, "a");
  EXPECT_EQ(Written([&](TObjectStream& s) { s.PutObject(item, 0); }),
            Bytes({0x85, 0x03, 0, 0, 7, 0, 0, 0, 1, 0, 'a'}));
  EXPECT_EQ(Written([&](TObjectStream& s) { s.PutObject(item, 1); }),
            Bytes({0x85, 0x03, 7, 0, 1, 0, 'a'}));
  // Variant 2 adds 10000 to the id (and stores nothing more for this class).
  EXPECT_EQ(Written([&](TObjectStream& s) { s.PutObject(item, 2); }),
            Bytes({0x95, 0x2A, 0, 0}));

  auto r = ReaderOf(Bytes({0x85, 0x03, 7, 0, 1, 0, 'a'}));
  auto back = r.GetObjectAs<test::TKeyItem>(1);
  EXPECT_EQ(back->key, 7);
  EXPECT_EQ(back->name, "a");

  // The legacy 2-byte id 330 constructs the class registered under 357.
  auto legacy = ReaderOf(Bytes({0x4A, 0x01, 0x2A}));
  auto obj = legacy.GetObject(1);
  ASSERT_EQ(obj->TypeId(), 357);
  EXPECT_EQ(static_cast<test::TLegacyItem*>(obj.get())->value, 0x2A);

  TObjectStream s;
  try {
    s.PutObject(TUnregistered(), 0);
    FAIL();
  } catch (const EObjectStream& e) {
    EXPECT_EQ(e.Code(), -9);
    EXPECT_NE(std::string(e.what()).find("TUnregistered"), std::string::npos);
  }
}

TEST(ObjectStream, NestingDepthIsBounded) {
  // Collections nested in collections, deeper than any real file: refused, not a stack overflow.
  std::vector<uint8_t> bytes;
  for (int i = 0; i < 5000; ++i) {
    const auto level = Bytes({150, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 10, 0, 0, 0});
    bytes.insert(bytes.end(), level.begin(), level.end());
  }
  auto s = ReaderOf(bytes);
  try {
    s.GetObject(0);
    FAIL();
  } catch (const EObjectStream& e) {
    EXPECT_EQ(e.Code(), -11);
  }
}

TEST(DataKind, FillerUnits) {
  int next = 0;
  SetFillerRandom([&] { return static_cast<uint8_t>(next++); });
  {
    DataKindScope kind(7);
    EXPECT_EQ(Written([](TObjectStream& s) { WriteFiller(s, 0); }), Bytes({0, 1, 2, 3}));
    EXPECT_EQ(Written([](TObjectStream& s) { WriteFiller(s, 1); }),
              Bytes({4, 0, 5, 0, 6, 0, 7, 0}));
    auto r = ReaderOf(Bytes({1, 2, 3, 4, 9}));
    SkipFiller(r, 0);
    EXPECT_EQ(r.ReadByte(), 9);
  }
  EXPECT_EQ(GetDataKind(), 1);
  EXPECT_TRUE(Written([](TObjectStream& s) { WriteFiller(s, 1); }).empty());
  SetFillerRandom(nullptr);
  DataKindScope kind(7);
  for (uint8_t b : Written([](TObjectStream& s) { WriteFiller(s, 0); })) EXPECT_LE(b, 254);
}

struct TTestBuffer : TSharedBufferWithNameTimeDate {
  HX_STREAMABLE(TTestBuffer, 903)
};

TEST(SharedBuffer, LayoutCopyAndReleaseRules) {
  TTestBuffer b;
  b.SetData("xyz", 3);
  b.Name = "n";
  b.DateTime = 1.0;
  const auto bytes = Written([&](TObjectStream& s) { b.Store0(s); });
  EXPECT_EQ(bytes, Bytes({3, 0, 0, 0, 'x', 'y', 'z', 1, 0, 'n', 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));
  auto copy = b.Clone();
  auto* c = static_cast<TTestBuffer*>(copy.get());
  EXPECT_EQ(c->Size(), 3);
  EXPECT_EQ(c->Name, "n");
  EXPECT_EQ(c->DateTime, 1.0);

  EXPECT_TRUE(b.IsEmpty());
  b.AddRef();
  b.AddRef();
  EXPECT_FALSE(b.IsEmpty());
  b.Release();
  EXPECT_EQ(b.Size(), 3);
  b.Release();
  b.Release();
  EXPECT_EQ(b.RefCount(), 0);
  EXPECT_EQ(b.Size(), 0);

  // A size beyond the data leaves the buffer empty.
  TTestBuffer d;
  d.SetData("old", 3);
  auto r = ReaderOf(Bytes({0xFF, 0xFF, 0xFF, 0x7F, 'a'}));
  EXPECT_THROW(d.Load0(r), EObjectStream);
  EXPECT_EQ(d.Size(), 0);
}

}  // namespace
}  // namespace hx
