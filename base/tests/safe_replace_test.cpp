#include "base/safe_replace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace hx {
namespace {

namespace fs = std::filesystem;

TEST(SafeReplace, BackupAndTemporaryNames) {
  struct Case {
    const char* name;
    const char* backup;
  } cases[] = {{"Produc.pro", "Produc.~pro"},
               {"C:\\Kat.v2\\Produc.pro", "C:\\Kat.v2\\Produc.~pro"},
               {"/data/kat.d/Rury", "/data/kat.d/Rury.~"},
               {"a.b.pipe", "a.~pip"}};
  for (const auto& c : cases) EXPECT_EQ(BackupFileName(c.name), c.backup) << c.name;

  struct Taken : IFileOps {
    bool Exists(const std::string& n) override { return n == "/d.x/cat.TMP" || n == "/d.x/cat.TM1"; }
    bool IsReadOnly(const std::string&) override { return false; }
    bool Remove(const std::string&) override { return true; }
    bool Rename(const std::string&, const std::string&) override { return true; }
  } taken;
  EXPECT_EQ(TemporaryFileName("/d.x/cat.pro", taken), "/d.x/cat.TM2");
  EXPECT_EQ(TemporaryFileName("/d.x/other", taken), "/d.x/other.TMP");
}

// The real file system, with the n-th file operation (or the write) made to fail.
class FailingOps : public IFileOps {
 public:
  explicit FailingOps(int fail_at) : fail_at_(fail_at) {}
  bool Step() { return ++steps_ != fail_at_; }
  int Steps() const { return steps_; }

  bool Exists(const std::string& n) override { return SystemFileOps().Exists(n); }
  bool IsReadOnly(const std::string& n) override { return SystemFileOps().IsReadOnly(n); }
  bool Remove(const std::string& n) override { return Step() && SystemFileOps().Remove(n); }
  bool Rename(const std::string& a, const std::string& b) override {
    return Step() && SystemFileOps().Rename(a, b);
  }

 private:
  int fail_at_;
  int steps_ = 0;
};

std::string Contents(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

void Put(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

TEST(SafeReplace, AFailureAtEveryStepNeverLosesTheFile) {
  const fs::path dir = fs::temp_directory_path() / "hx_safe_replace.d";
  for (bool old_backup : {false, true}) {
    for (int fail_at = 1;; ++fail_at) {
      fs::remove_all(dir);
      fs::create_directories(dir);
      const fs::path file = dir / "Produc.pro";
      Put(file, "old");
      if (old_backup) Put(dir / "Produc.~pro", "older");
      FailingOps ops(fail_at);
      const ReplaceResult r = SafeReplaceFile(
          file.string(),
          [&](const std::string& temp) {
            if (!ops.Step()) throw std::runtime_error("disk full");
            Put(temp, "new");
            return true;
          },
          ops);
      const std::string now = Contents(file);
      if (r == ReplaceResult::Ok) {
        EXPECT_EQ(now, "new");
        EXPECT_EQ(Contents(dir / "Produc.~pro"), "old");
      } else {
        EXPECT_EQ(now, "old") << "failing step " << fail_at;
      }
      EXPECT_FALSE(fs::exists(dir / "Produc.TMP")) << "failing step " << fail_at;
      if (fail_at > ops.Steps()) break;  // no step failed: every step has been tried
    }
  }
  fs::remove_all(dir);
}

TEST(SafeReplace, ReadOnlyFileIsLeftAlone) {
  const fs::path dir = fs::temp_directory_path() / "hx_safe_replace_ro";
  fs::remove_all(dir);
  fs::create_directories(dir);
  const fs::path file = dir / "a.pro";
  Put(file, "old");
  fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  bool called = false;
  EXPECT_EQ(SafeReplaceFile(file.string(), [&](const std::string&) { return called = true; }),
            ReplaceResult::ReadOnly);
  EXPECT_FALSE(called);
  fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
  // A file that does not exist yet is simply created.
  EXPECT_EQ(SafeReplaceFile((dir / "b.pro").string(),
                            [&](const std::string& t) {
                              Put(t, "b");
                              return true;
                            }),
            ReplaceResult::Ok);
  EXPECT_EQ(Contents(dir / "b.pro"), "b");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace hx
