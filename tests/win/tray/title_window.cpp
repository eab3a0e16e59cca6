// A second program for the tray tests: shows a top-level window with the
// title given on its command line until it is ended.
#include <windows.h>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const HWND window = CreateWindowExA(0, "STATIC", argv[1], WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                      0, 200, 100, nullptr, nullptr, GetModuleHandleA(nullptr),
                                      nullptr);
  if (window == nullptr) return 1;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
