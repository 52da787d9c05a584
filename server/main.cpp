// TRVHX16_32Server: the hidden server that the client starts and drives over DDE and
// WM_COPYDATA. Start-up runs in the program's fixed order; then the message loop runs without
// showing any window.
//
// Switches: --test-services (catalog operations open test dialogs), --trace (a line on stdout
// for every macro and message).
#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <string>

#include "base/settings_store.h"
#include "base/utf8.h"
#include "objects/data_kind.h"
#include "platform/application.h"
#include "platform/message_box.h"
#include "platform/registry_settings.h"
#include "server/core/macro_text.h"
#include "server/core/system_settings.h"
#include "server/main_window.h"

namespace {

constexpr const char* kApplicationTitle = "TRVHX16_32Server";

hx::TServerOptions ReadOptions() {
  hx::TServerOptions options;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; argv && i < argc; ++i) {
    const std::wstring a = argv[i];
    if (a == L"--test-services") options.test_services = true;
    if (a == L"--trace") options.trace = true;
  }
  LocalFree(argv);
  return options;
}

std::string ProgramFile() {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (n < name.size()) {
      name.resize(n);
      return hx::Narrow(name);
    }
    name.resize(name.size() * 2);
  }
}

// The three registry settings objects; the fourth stays empty.
void InstallRegistrySettings() {
  using hx::TRegistrySettings;
  hx::InstallSettings(hx::ssMachine, std::make_unique<TRegistrySettings>(HKEY_LOCAL_MACHINE,
                                                                         hx::kMachineSettingsKey));
  hx::InstallSettings(hx::ssCommonUser, std::make_unique<TRegistrySettings>(
                                            HKEY_CURRENT_USER, hx::kCommonUserSettingsKey));
  hx::InstallSettings(hx::ssUser,
                      std::make_unique<TRegistrySettings>(HKEY_CURRENT_USER, hx::kUserSettingsKey));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const hx::TServerOptions options = ReadOptions();
  InstallRegistrySettings();
  hx::InstallWin32MessageSink();

  hx::SetDataKind(7);
  hx::TApplication& app = hx::TApplication::Instance();
  app.Initialize(instance);
  hx::SetDataKind(7);
  const std::string program_file = ProgramFile();
  hx::SetProgramPaths(hx::ProgramPathsOf(program_file));
  app.SetTitle(kApplicationTitle);

  // The data modules in their fixed order, as far as they exist: the system module reads the
  // search options.
  hx::SearchReplaceOptions() = hx::ReadSearchReplaceOptions(hx::Settings(hx::ssCommonUser));

  hx::TF_HX16_32Server main_window(options);
  if (!main_window.Create(hx::ServiceNameOf(program_file))) return 1;
  const int exit_code = app.Run();
  // The settings objects go last; the machine settings close their key with it.
  for (int selector : {hx::ssUser, hx::ssCommonUser, hx::ssMachine}) {
    hx::InstallSettings(selector, std::make_unique<hx::TMemorySettings>());
  }
  return exit_code;
}
