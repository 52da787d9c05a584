#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "base/constants.h"
#include "objects/object_stream.h"
#include "objects/tests/test_items.h"

namespace hx {
namespace {

using test::Bytes;
using test::operator+;
using test::Text;

namespace fs = std::filesystem;

class FileHeader : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("hx_header_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::ofstream f(Path(name), std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return Path(name);
  }

  std::vector<uint8_t> ReadFile(const std::string& path) const {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
  }

  fs::path dir_;
};

std::vector<uint8_t> Field(const std::string& text) {
  std::vector<uint8_t> f(text.begin(), text.end());
  f.resize(15, ' ');
  f.push_back(0);
  return f;
}

// The header as the format describes it, built here by hand rather than by the writer.
std::vector<uint8_t> HandMadeHeader(const std::string& signature, int version = 1,
                                    uint32_t size = 80, const std::string& edition = "TARVOS") {
  auto h = Text("ZqFILEVERINF") + Text(signature) +
           Bytes({version & 0xFF, version >> 8, int(size & 0xFF), int((size >> 8) & 0xFF),
                  int((size >> 16) & 0xFF), int(size >> 24)});
  if (version >= 2) h = h + Bytes({0x5A});
  return h + Field("HX16_32_1_0") + Field("POLISH") + Field("POLISH") + Field(edition) +
         Field(">=95");
}

TEST_F(FileHeader, WrittenHeaderIs110GoldenBytes) {
  {
    TObjectStream s(Path("p.pro"), FileMode::Create, SigCatProd());
    s.WriteByte(0x77);
    EXPECT_EQ(s.VersionIndex(), 0);
  }
  const auto bytes = ReadFile(Path("p.pro"));
  ASSERT_EQ(bytes.size(), kHeaderSize + 1);
  EXPECT_EQ(bytes, HandMadeHeader("TRVKAPRO3.00") + Bytes({0x77}));

  // Without the header flag only the signature is written.
  TFileVerInfo bare("ABC", false);
  { TObjectStream s(Path("b.dat"), FileMode::Create, bare); }
  EXPECT_EQ(ReadFile(Path("b.dat")), Text("ABC         "));
}

TEST_F(FileHeader, ReadingCases) {
  TFileVerInfo ver("CURRENT_1.00");
  ver.SetSignature(1, "OLDER_0.90");
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    int32_t version_index;
    bool matched;
  } cases[] = {
      {"current", HandMadeHeader("CURRENT_1.00"), 0, true},
      {"older slot", HandMadeHeader("OLDER_0.90  "), -1, true},
      {"bare older signature", Text("OLDER_0.90  "), -1, true},
      {"longer header", HandMadeHeader("CURRENT_1.00", 1, 84) + Bytes({1, 2, 3, 4}), 0, true},
      {"version 2 flags byte", HandMadeHeader("CURRENT_1.00", 2), 0, true},
      {"foreign, blank edition", HandMadeHeader("SOMETHING_EL", 1, 80, ""), 0, false},
      {"no header at all", Text("plain data.."), 0, false},
  };
  for (const auto& c : cases) {
    const std::string path = WriteFile("f.dat", c.bytes + Bytes({0x42}));
    TObjectStream s(path, FileMode::Read, ver);
    EXPECT_EQ(s.VersionIndex(), c.version_index) << c.name;
    EXPECT_EQ(s.SignatureMatched(), c.matched) << c.name;
    EXPECT_EQ(s.ReadByte(), 0x42) << c.name;  // the data start right after the header
    if (c.matched) {
      EXPECT_EQ(ver.ReadVersion(), -c.version_index) << c.name;
    }
  }
}

TEST_F(FileHeader, RefusedHeaders) {
  TFileVerInfo ver("CURRENT_1.00");
  const std::string foreign = WriteFile("foreign.dat", HandMadeHeader("OTHERPRG2.00", 1, 80, "PRO"));
  try {
    TObjectStream s(foreign, FileMode::Read, ver);
    FAIL();
  } catch (const EFVersionError& e) {
    EXPECT_EQ(std::string(e.what()), "Неверная версия файла '" + foreign +
                                         "'. Файл предназначен только для версии 'PRO'.");
  }
  EXPECT_FALSE(TObjectStream::CheckFile(foreign, ver));

  // A size field below 80 would end the header before its fields: refused.
  const std::string small = WriteFile("small.dat", HandMadeHeader("CURRENT_1.00", 1, 79));
  try {
    TObjectStream s(small, FileMode::Read, ver);
    FAIL();
  } catch (const EObjectStream& e) {
    EXPECT_EQ(e.Code(), -10);
  }
  // A size reaching past the end of the file.
  const std::string big = WriteFile("big.dat", HandMadeHeader("CURRENT_1.00", 1, 4000));
  EXPECT_FALSE(TObjectStream::CheckFile(big, ver));
  EXPECT_FALSE(TObjectStream::CheckFile(Path("missing.dat"), ver));
  EXPECT_TRUE(TObjectStream::CheckFile(WriteFile("ok.dat", HandMadeHeader("CURRENT_1.00")), ver));
}

TEST(FileVerInfo, VersionSetters) {
  TFileVerInfo v("X");
  EXPECT_EQ(v.Signature(0), "X           ");
  EXPECT_EQ(v.Signature(1), "");
  v.SetReadVersion(-3);
  EXPECT_EQ(v.ReadVersion(), 3);
  v.SetReadVersion(NoInt);
  EXPECT_EQ(v.ReadVersion(), 255);
  v.SetWriteVersion(0);
  EXPECT_EQ(v.WriteVersion(), 0);
}

// A sample file: the producer header, then a sorted collection of three items.
std::vector<uint8_t> SampleFile() {
  auto item = [](int key, const std::string& name) {
    return Bytes({0x85, 0x03, 0, 0, key, 0, 0, 0, int(name.size()), 0}) + Text(name);
  };
  return HandMadeHeader("TRVKAPRO3.00") + Bytes({0x86, 0x03, 0, 0, 3, 0, 0, 0, 8, 0, 0, 0, 10,
                                                 0, 0, 0}) +
         item(1, "one") + item(2, "two") + item(3, "three") + Bytes({0, 0});
}

TEST_F(FileHeader, TruncationAtEveryOffsetRaisesAndNeverHalfReads) {
  const auto full = SampleFile();
  {
    const std::string path = WriteFile("full.pro", full);
    TObjectStream s(path, FileMode::Read, SigCatProd());
    auto coll = s.GetObjectAs<test::TKeySorted>(0);
    ASSERT_EQ(coll->Count(), 3);
    EXPECT_EQ(coll->At<test::TKeyItem>(2)->name, "three");
  }
  for (size_t n = 0; n < full.size(); ++n) {
    const std::string path =
        WriteFile("cut.pro", std::vector<uint8_t>(full.begin(), full.begin() + n));
    std::unique_ptr<test::TKeySorted> coll;
    try {
      TObjectStream s(path, FileMode::Read, SigCatProd());
      coll = s.GetObjectAs<test::TKeySorted>(0);
      ADD_FAILURE() << "a file cut at " << n << " bytes was read";
    } catch (const EHXError&) {
    }
    EXPECT_EQ(coll, nullptr);
  }
}

}  // namespace
}  // namespace hx
