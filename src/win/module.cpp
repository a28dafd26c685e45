#include "win/module.h"

namespace {

HINSTANCE g_instance = nullptr;

bool InsideModule(DWORD address) {
  auto base = reinterpret_cast<const BYTE*>(g_instance);
  auto headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  auto at = reinterpret_cast<const BYTE*>(static_cast<UINT_PTR>(address));
  return at >= base && at < base + headers->OptionalHeader.SizeOfImage;
}

}  // namespace

HINSTANCE ModuleInstance() {
  return g_instance;
}
void SetModuleInstance(HINSTANCE instance) {
  g_instance = instance;
}

bool ThreadHasLeftModule(HANDLE thread, const std::atomic<bool>& leaving) {
  if (!leaving.load())
    return false;
  if (SuspendThread(thread) == static_cast<DWORD>(-1))
    return true;  // gone
  CONTEXT context = {};
  context.ContextFlags = CONTEXT_CONTROL;
  bool known = GetThreadContext(thread, &context) != FALSE;
  ResumeThread(thread);
  return !known || !InsideModule(context.Eip);
}

void PinModule() {
  HMODULE pinned;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                     reinterpret_cast<LPCSTR>(&PinModule), &pinned);
}
