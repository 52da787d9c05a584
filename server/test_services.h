// Stand-ins for the catalog operations, switched on with --test-services, so that whole client
// conversations can be driven from outside before the catalog modules exist: each operation
// opens a small modal dialog "HX test: <macro>" whose buttons end it with a result, a cancel
// or a failure.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "server/core/server_services.h"

namespace hx {

// Button ids of the test dialog besides IDOK and IDCANCEL.
inline constexpr int kTestDialogFail = 100;
inline constexpr int kTestDialogText = 101;

class TTestCatalogService : public ICatalogService {
 public:
  // suffix names the catalog in the captions: "Rad", "Dzt", "Pipe", "Prod".
  TTestCatalogService(HWND owner, std::string suffix) : owner_(owner), suffix_(std::move(suffix)) {}

  // OK answers "<symbol>:<allowed types>" (the types as "none" or "0,117").
  std::string Select(const std::string& symbol, const TTypeFilter& filter) override;
  void View(const std::string& symbol, const TTypeFilter& filter) override;
  void ShowInfo(const std::string& symbol) override;

 private:
  // Runs the dialog; OK returns, "Отмена" raises EOperationCancelled, "Ошибка" EHXError.
  void RunDialog(const std::string& macro, const std::string& text);

  HWND owner_;
  std::string suffix_;
};

// The text of a type filter: "none", or the members in ascending order separated by commas.
std::string TypeFilterText(const TTypeFilter& filter);

}  // namespace hx
