// Replacing functions the bar imports, for the length of a test: this exe's import address
// table is what the bar's own calls go through (other modules' calls are not seen).
#pragma once
#include <windows.h>

#include <cstring>
#include <utility>
#include <vector>

namespace wendlix::testing_support {

struct ImportHook {
  const char* name;
  void* hook;
  void** original;
};

// Puts the hooks into (or takes them out of) this exe's import address table; how many slots
// were changed.
inline int PatchImports(const std::vector<ImportHook>& hooks, bool install) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* nt =
      reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  int patched = 0;
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name; ++d) {
    if (!d->OriginalFirstThunk) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      for (const ImportHook& h : hooks) {
        if (std::strcmp(reinterpret_cast<const char*>(byName->Name), h.name) != 0) continue;
        DWORD old = 0;
        VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &old);
        if (install) {
          *h.original = reinterpret_cast<void*>(slots->u1.Function);
          slots->u1.Function = reinterpret_cast<ULONG_PTR>(h.hook);
        } else {
          slots->u1.Function = reinterpret_cast<ULONG_PTR>(*h.original);
        }
        VirtualProtect(&slots->u1.Function, sizeof(void*), old, &old);
        ++patched;
      }
    }
  }
  return patched;
}

// The hooks in place while it lives; `Patched()` slots were found.
class ImportPatch {
 public:
  explicit ImportPatch(std::vector<ImportHook> hooks) : hooks_(std::move(hooks)) {
    patched_ = PatchImports(hooks_, true);
  }
  ~ImportPatch() { PatchImports(hooks_, false); }
  ImportPatch(const ImportPatch&) = delete;
  ImportPatch& operator=(const ImportPatch&) = delete;
  int Patched() const { return patched_; }

 private:
  std::vector<ImportHook> hooks_;
  int patched_ = 0;
};

}  // namespace wendlix::testing_support
