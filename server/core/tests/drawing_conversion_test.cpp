// The in-place conversion of drawing files against a fake drawing library: the original is
// replaced only by a converted file that was written completely.
#include "server/core/drawing_conversion.h"

#include "server/core/server_services.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace hx {
namespace {
namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}
void WriteAll(const fs::path& p, const std::string& text) {
  std::ofstream(p, std::ios::binary) << text;
}
std::string Utf8(const fs::path& p) {
  const auto u = p.u8string();
  return {u.begin(), u.end()};
}

// Reads any existing file; saves "converted " + the original text (or fails, or reports
// success without writing anything), and notes whether the original was still there when it saved.
class TFakeLibrary : public IDrawingConverter {
 public:
  enum class Save { Ok, Fail, Nothing } save = Save::Ok;
  bool read_fails = false;
  bool original_present_at_save = false;
  std::string saved_to;
  int open = 0;
  fs::path original;

  std::optional<TDrawing> Read(const std::string& file_name) override {
    if (read_fails || !fs::exists(fs::u8path(file_name))) return std::nullopt;
    text_ = ReadAll(fs::u8path(file_name));
    ++open;
    return TDrawing{42, 7};
  }
  bool Save(const TDrawing& d, const std::string& file_name) override {
    original_present_at_save = fs::exists(original);
    saved_to = file_name;
    if (save == Save::Fail) return false;
    if (save == Save::Nothing) return true;
    WriteAll(fs::u8path(file_name), "converted " + text_);
    return d.handle == 42 && d.format == 7;
  }
  void Close(const TDrawing&) override { --open; }

 private:
  std::string text_;
};

class DrawingConversionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("hx_conv_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    original = dir / fs::u8path("План.dwg");
    WriteAll(original, "R14 drawing");
    library.original = original;
  }
  void TearDown() override { fs::remove_all(dir); }
  size_t FileCount() const {
    return static_cast<size_t>(
        std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
  }

  fs::path dir, original;
  TFakeLibrary library;
};

TEST_F(DrawingConversionTest, ConvertedFileReplacesTheOriginal) {
  EXPECT_TRUE(ConvertDrawingFile(library, Utf8(original)));
  EXPECT_TRUE(library.original_present_at_save);
  EXPECT_EQ(library.saved_to, Utf8(dir / fs::u8path("План.TMP")));
  EXPECT_EQ(ReadAll(original), "converted R14 drawing");
  EXPECT_EQ(FileCount(), 1u);
  EXPECT_EQ(library.open, 0);
}

TEST_F(DrawingConversionTest, FailuresLeaveTheOriginal) {
  for (auto save : {TFakeLibrary::Save::Fail, TFakeLibrary::Save::Nothing}) {
    library.save = save;
    EXPECT_FALSE(ConvertDrawingFile(library, Utf8(original)));
    EXPECT_EQ(ReadAll(original), "R14 drawing");
    EXPECT_EQ(FileCount(), 1u);
    EXPECT_EQ(library.open, 0);
  }
  library.read_fails = true;
  EXPECT_FALSE(ConvertDrawingFile(library, Utf8(original)));
  EXPECT_FALSE(ConvertDrawingFile(library, Utf8(dir / "missing.dwg")));
  EXPECT_EQ(ReadAll(original), "R14 drawing");
}

TEST_F(DrawingConversionTest, TemporaryNamesAvoidExistingFiles) {
  WriteAll(dir / fs::u8path("План.TMP"), "someone else's");
  WriteAll(dir / fs::u8path("План.TM1"), "someone else's too");
  EXPECT_TRUE(ConvertDrawingFile(library, Utf8(original)));
  EXPECT_EQ(library.saved_to, Utf8(dir / fs::u8path("План.TM2")));
  EXPECT_EQ(ReadAll(original), "converted R14 drawing");
  EXPECT_EQ(ReadAll(dir / fs::u8path("План.TMP")), "someone else's");
  EXPECT_EQ(FileCount(), 3u);
}

// Every file operation of the replacement failing in turn: the original is never lost.
TEST_F(DrawingConversionTest, FailingFileOperationsKeepTheOriginal) {
  class TFailingOps : public IFileOps {
   public:
    int fail_at = -1;
    int calls = 0;
    bool Exists(const std::string& n) override { return SystemFileOps().Exists(n); }
    bool IsReadOnly(const std::string& n) override { return SystemFileOps().IsReadOnly(n); }
    bool Remove(const std::string& n) override {
      return calls++ != fail_at && SystemFileOps().Remove(n);
    }
    bool Rename(const std::string& from, const std::string& to) override {
      return calls++ != fail_at && SystemFileOps().Rename(from, to);
    }
  };
  for (int fail_at = 0; fail_at < 4; ++fail_at) {
    TFailingOps ops;
    ops.fail_at = fail_at;
    const bool ok = ConvertDrawingFile(library, Utf8(original), ops);
    const std::string text = ReadAll(original);
    EXPECT_TRUE(text == "R14 drawing" || (ok && text == "converted R14 drawing")) << fail_at;
    EXPECT_EQ(library.open, 0);
    WriteAll(original, "R14 drawing");
  }
}

}  // namespace
}  // namespace hx
