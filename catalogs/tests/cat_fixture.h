// Catalog files made byte by byte from the documented layouts (file header, item list, item
// records), independently of the catalog writer, and the helpers the catalog tests share.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "catalogs/cat.h"
#include "catalogs/cat_dialog_model.h"
#include "catalogs/cat_dialogs.h"
#include "catalogs/cat_item.h"
#include "catalogs/cat_item_info.h"
#include "catalogs/cat_manager_model.h"

namespace hx::test {

// Little-endian bytes of the documented encodings. Strings are given as code page 1251 bytes.
class Bytes {
 public:
  Bytes& U8(uint8_t v) {
    b_.push_back(v);
    return *this;
  }
  Bytes& U16(uint16_t v) { return Le(v, 2); }
  Bytes& I16(int16_t v) { return Le(static_cast<uint16_t>(v), 2); }
  Bytes& I32(int32_t v) { return Le(static_cast<uint32_t>(v), 4); }
  Bytes& F64(double v) {
    uint64_t u;
    std::memcpy(&u, &v, 8);
    return Le(u, 8);
  }
  Bytes& Str(const std::string& cp1251) {
    U16(static_cast<uint16_t>(cp1251.size()));
    return Raw(cp1251);
  }
  Bytes& ShortStr(const std::string& cp1251) {
    U8(static_cast<uint8_t>(cp1251.size()));
    return Raw(cp1251);
  }
  Bytes& Raw(const std::string& bytes) {
    for (const char c : bytes) b_.push_back(static_cast<uint8_t>(c));
    return *this;
  }
  Bytes& Append(const Bytes& other) {
    b_.insert(b_.end(), other.b_.begin(), other.b_.end());
    return *this;
  }
  // A text field of n bytes: the text, then zero bytes.
  Bytes& Field(const std::string& text, size_t n) {
    for (size_t i = 0; i < n; ++i) b_.push_back(i < text.size() ? text[i] : 0);
    return *this;
  }
  const std::vector<uint8_t>& Data() const { return b_; }
  std::vector<uint8_t>& Data() { return b_; }
  size_t Size() const { return b_.size(); }

 private:
  Bytes& Le(uint64_t v, int n) {
    for (int i = 0; i < n; ++i) b_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return *this;
  }
  std::vector<uint8_t> b_;
};

// The file header: magic, blank-padded signature, version 1, size 80, five identity fields.
inline Bytes FileHeader(const std::string& signature, const std::string& edition = "TARVOS") {
  Bytes b;
  std::string sig = signature;
  sig.resize(12, ' ');
  b.Raw("ZqFILEVERINF").Raw(sig).U16(1).I32(80);
  b.Field("HX16_32_1_0    ", 16).Field("POLISH         ", 16).Field("POLISH         ", 16);
  std::string ed = edition;
  ed.resize(15, ' ');
  b.Field(ed, 16).Field(">=95           ", 16);
  return b;
}

// An item list: the three numbers (int32 in variant 0, 16-bit in variant 1), then each item
// preceded by its absolute end position. base is the file position where the list starts.
// end_override replaces the end position of an item (by index).
inline Bytes ItemList(int variant, const std::vector<Bytes>& items, size_t base,
                      std::function<std::optional<int32_t>(int)> end_override = {},
                      std::optional<int32_t> count = std::nullopt) {
  Bytes b;
  const int32_t n = count ? *count : static_cast<int32_t>(items.size());
  if (variant == 1) {
    b.I16(static_cast<int16_t>(n)).I16(static_cast<int16_t>(items.size())).I16(10);
  } else {
    b.I32(n).I32(static_cast<int32_t>(items.size())).I32(10);
  }
  for (size_t i = 0; i < items.size(); ++i) {
    int32_t end = static_cast<int32_t>(base + b.Size() + 4 + items[i].Size());
    if (end_override) {
      if (auto e = end_override(static_cast<int>(i))) end = *e;
    }
    b.I32(end).Append(items[i]);
  }
  return b;
}

// A whole catalog file.
inline Bytes CatalogFile(const std::string& signature, int variant, const std::vector<Bytes>& items,
                         std::function<std::optional<int32_t>(int)> end_override = {},
                         std::optional<int32_t> count = std::nullopt) {
  Bytes file = FileHeader(signature);
  const Bytes list = ItemList(variant, items, file.Size(), end_override, count);
  return file.Append(list);
}

// Filler units: bytes in variant 0, words in variant 1 (4 of them for DataKind 7).
inline Bytes& Filler(Bytes& b, int variant, int units) {
  for (int i = 0; i < units; ++i) {
    if (variant == 1) {
      b.U16(static_cast<uint16_t>(100 + i));
    } else {
      b.U8(static_cast<uint8_t>(100 + i));
    }
  }
  return b;
}

// A symbol-description-producer record of a class with that type id (variant 0: int32 type id,
// word Typ, int32 state; variant 1: int16 type id, word Typ).
inline Bytes SdpRecord(int variant, int32_t type_id, uint16_t typ, int32_t state,
                       const std::string& symbol, const std::string& description,
                       const std::string& producer, int filler_units = 4) {
  Bytes b;
  if (variant == 1) {
    b.I16(static_cast<int16_t>(type_id)).U16(typ);
  } else {
    b.I32(type_id).U16(typ).I32(state);
  }
  b.Str(symbol).Str(description).Str(producer);
  return Filler(b, variant, filler_units);
}

// A producer record of variant 1: Typ, symbol, description, an unused string, phone, fax,
// address (no filler).
inline Bytes ProdRecordV1(uint16_t typ, const std::string& symbol, const std::string& description,
                          const std::string& phone, const std::string& fax,
                          const std::string& address) {
  Bytes b;
  b.I16(308).U16(typ).Str(symbol).Str(description).Str("").Str(phone).Str(fax).Str(address);
  return b;
}

// A temporary folder for one test, removed afterwards.
class TempDir {
 public:
  TempDir() {
    static int counter = 0;
    static const unsigned run = std::random_device{}();
    path_ = std::filesystem::temp_directory_path() /
            ("hx_cat_test_" + std::to_string(run) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  std::string Folder() const { return path_.string() + "/"; }
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline void WriteFile(const std::string& name, const std::vector<uint8_t>& data) {
  std::ofstream out(name, std::ios::binary);
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

inline std::vector<uint8_t> ReadFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// A dialog host that runs the dialogs through handlers of the test.
class TestHost : public ICatDialogHost {
 public:
  TestHost() { SetCatDialogHost(this); }
  ~TestHost() override { SetCatDialogHost(nullptr); }

  std::function<void(TCatDialogModel&)> on_cat;
  std::function<void(TCatExDialogModel&)> on_cat_ex;
  std::function<void(TCatManagerModel&)> on_manager;
  std::function<bool(TRenameCatItemModel&)> on_rename;
  std::function<void(TCatItemInfoModel&)> on_info;
  std::vector<std::optional<std::string>> files;  // answers of the file dialog, in order
  std::vector<std::string> links;
  std::vector<std::string> shown;  // "cat", "catex", "manager", "rename", "info"
  std::vector<std::unique_ptr<TCatExDialogModel>> modeless;

  void RunCatDialog(TCatDialogModel& model) override {
    shown.push_back("cat");
    if (on_cat) on_cat(model);
  }
  void RunCatExDialog(TCatExDialogModel& model) override {
    shown.push_back("catex");
    if (on_cat_ex) on_cat_ex(model);
  }
  void ShowCatExDialog(std::unique_ptr<TCatExDialogModel> model) override {
    shown.push_back("catex-modeless");
    modeless.push_back(std::move(model));
  }
  void RunManagerDialog(TCatManagerModel& model) override {
    shown.push_back("manager");
    if (on_manager) on_manager(model);
  }
  bool RunRenameForm(TRenameCatItemModel& model) override {
    shown.push_back("rename");
    return on_rename ? on_rename(model) : false;
  }
  void RunItemInfo(TCatItemInfoModel& model) override {
    shown.push_back("info");
    if (on_info) on_info(model);
  }
  std::optional<std::string> ChooseFile(const TCatFileDialogSpec& spec, bool save) override {
    if (files.empty()) return std::nullopt;
    std::optional<std::string> f = files.front();
    files.erase(files.begin());
    return f;
  }
  bool OpenLink(const std::string& url) override {
    links.push_back(url);
    return true;
  }
};

}  // namespace hx::test
