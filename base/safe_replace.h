// Replacing a file without ever leaving the user without it: the new contents go to a
// temporary file beside it, the old file is kept as a backup, and only then the temporary file
// takes the file's name. A failure at any step leaves the old file (or, after the last step,
// the new one) under the file's name.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace hx {

// The file operations of a replacement, injectable so that tests can fail any step. Names are
// UTF-8.
class IFileOps {
 public:
  virtual ~IFileOps() = default;
  virtual bool Exists(const std::string& name) = 0;
  virtual bool IsReadOnly(const std::string& name) = 0;
  virtual bool Remove(const std::string& name) = 0;
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
};

// The real file system.
IFileOps& SystemFileOps();

enum class ReplaceResult {
  Ok,
  ReadOnly,      // the file exists and is read-only; nothing was written
  WriteFailed,   // writing the temporary file failed; it was deleted
  BackupFailed,  // the old file could not be kept as a backup; nothing changed
  RenameFailed,  // the new file could not take the name; the old file is back in place
};

// "Produc.pro" -> "Produc.~pro": the name up to and including its first "." (of the file name,
// not of a folder in the path), then "~" and the first three characters of the extension; a
// name without "." gets ".~".
std::string BackupFileName(const std::string& file_name);

// The free temporary name: the extension becomes ".TMP"; when that exists, its last character
// is replaced by 1, 2, ... (".TM1", ".TM2", ...).
std::string TemporaryFileName(const std::string& file_name, IFileOps& ops);

// Writes through write(temporary name) (which returns false or throws on failure), then swaps
// the files. error receives the text of a failure that write threw.
ReplaceResult SafeReplaceFile(const std::string& file_name,
                              const std::function<bool(const std::string&)>& write,
                              IFileOps& ops = SystemFileOps(), std::string* error = nullptr);

}  // namespace hx
