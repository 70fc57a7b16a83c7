// The IUnknown part of a small COM object that implements one interface: reference
// counting (the object deletes itself at zero; it starts with one reference, its maker's)
// and QueryInterface for IUnknown and that interface. NewComObject hands a new one out held.
#pragma once
#include <objbase.h>
#include <wrl/client.h>

#include <utility>

namespace wendlix {

template <typename Interface, const IID& kInterfaceId>
class ComObject : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == kInterfaceId) {
      *object = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;

 private:
  ULONG refs_ = 1;
};

// A new `T` whose maker's reference the pointer takes over.
template <typename T, typename... Args>
Microsoft::WRL::ComPtr<T> NewComObject(Args&&... args) {
  Microsoft::WRL::ComPtr<T> object;
  object.Attach(new T(std::forward<Args>(args)...));
  return object;
}

}  // namespace wendlix
