// The client of the vanishing-client test: connects to the service named on its command line,
// signals the test, and waits (at most a minute) to be killed.
#include <windows.h>

#include <ddeml.h>

#include <cstdlib>

HDDEDATA CALLBACK Callback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return nullptr;
}

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  DWORD inst = 0;
  if (DdeInitializeA(&inst, &Callback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return 3;
  HSZ service = DdeCreateStringHandleA(inst, argv[1], CP_WINANSI);
  HSZ topic = DdeCreateStringHandleA(inst, "DDEVadOzev32Topic", CP_WINANSI);
  HCONV conv = nullptr;
  for (int i = 0; i < 150 && !conv; ++i) {
    conv = DdeConnect(inst, service, topic, nullptr);
    if (!conv) Sleep(100);
  }
  if (!conv) return 4;
  HANDLE connected = OpenEventW(EVENT_MODIFY_STATE, FALSE, L"HXDdeChildConnected");
  if (connected) SetEvent(connected);
  for (int waited = 0; waited < 60000; waited += 10) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
  return 0;
}
