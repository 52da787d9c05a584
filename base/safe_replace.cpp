#include "base/safe_replace.h"

#include <filesystem>
#include <system_error>

namespace hx {
namespace {

namespace fs = std::filesystem;

fs::path PathOf(const std::string& utf8) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

// Position where the file name (after the last folder separator) begins.
size_t NameStart(const std::string& file_name) {
  const size_t slash = file_name.find_last_of("\\/");
  return slash == std::string::npos ? 0 : slash + 1;
}

class TSystemFileOps : public IFileOps {
 public:
  bool Exists(const std::string& name) override {
    std::error_code ec;
    return fs::exists(PathOf(name), ec);
  }
  bool IsReadOnly(const std::string& name) override {
    std::error_code ec;
    const fs::file_status st = fs::status(PathOf(name), ec);
    if (ec || !fs::exists(st)) return false;
    return (st.permissions() & fs::perms::owner_write) == fs::perms::none;
  }
  bool Remove(const std::string& name) override {
    std::error_code ec;
    return fs::remove(PathOf(name), ec) && !ec;
  }
  bool Rename(const std::string& from, const std::string& to) override {
    std::error_code ec;
    fs::rename(PathOf(from), PathOf(to), ec);
    return !ec;
  }
};

}  // namespace

IFileOps& SystemFileOps() {
  static TSystemFileOps ops;
  return ops;
}

std::string BackupFileName(const std::string& file_name) {
  const size_t start = NameStart(file_name);
  const size_t first_dot = file_name.find('.', start);
  if (first_dot == std::string::npos) return file_name + ".~";
  const size_t last_dot = file_name.rfind('.');
  const std::string ext = file_name.substr(last_dot + 1, 3);
  return file_name.substr(0, first_dot + 1) + "~" + ext;
}

std::string TemporaryFileName(const std::string& file_name, IFileOps& ops) {
  const size_t start = NameStart(file_name);
  const size_t dot = file_name.rfind('.');
  const std::string stem =
      dot == std::string::npos || dot < start ? file_name : file_name.substr(0, dot);
  std::string name = stem + ".TMP";
  for (int i = 1; ops.Exists(name) && i < 100000; ++i) name = stem + ".TM" + std::to_string(i);
  return name;
}

ReplaceResult SafeReplaceFile(const std::string& file_name,
                              const std::function<bool(const std::string&)>& write,
                              IFileOps& ops, std::string* error) {
  const bool exists = ops.Exists(file_name);
  if (exists && ops.IsReadOnly(file_name)) return ReplaceResult::ReadOnly;

  const std::string temp = TemporaryFileName(file_name, ops);
  bool written = false;
  try {
    written = write(temp);
  } catch (const std::exception& e) {
    if (error) *error = e.what();
  }
  if (!written) {
    ops.Remove(temp);
    return ReplaceResult::WriteFailed;
  }

  const std::string backup = BackupFileName(file_name);
  if (exists) {
    if (ops.Exists(backup) && !ops.Remove(backup)) {
      ops.Remove(temp);
      return ReplaceResult::BackupFailed;
    }
    if (!ops.Rename(file_name, backup)) {
      ops.Remove(temp);
      return ReplaceResult::BackupFailed;
    }
  }
  if (!ops.Rename(temp, file_name)) {
    // Put the old file back under its name; the backup is the only copy of it now.
    if (exists) ops.Rename(backup, file_name);
    ops.Remove(temp);
    return ReplaceResult::RenameFailed;
  }
  return ReplaceResult::Ok;
}

}  // namespace hx
