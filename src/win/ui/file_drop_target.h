// The bar's OLE drop target for file lists (CF_HDROP): the window answers, per point, the
// effect a drop there would have, and gets the files when they are dropped.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

#include "win/common/com_object.h"

namespace wendlix {

class FileDropTarget final : public ComObject<IDropTarget, IID_IDropTarget> {
 public:
  struct Handlers {
    // The effect at a client point for the dragged files and the effects the source offers.
    std::function<DWORD(POINT client, const std::vector<std::string>& files, DWORD offered)> Effect;
    std::function<void(const std::vector<std::string>& files, POINT client)> Drop;
    // True while a drag is over the window (to keep an auto-hide bar out).
    std::function<void(bool over)> Hover;
  };

  FileDropTarget(HWND window, Handlers handlers) : window_(window), handlers_(std::move(handlers)) {}

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;

 private:
  POINT ToClient(POINTL pt) const;
  DWORD EffectAt(POINTL pt, DWORD offered) const;

  HWND window_;
  Handlers handlers_;
  std::vector<std::string> files_;  // of the drag under way
  bool hovering_ = false;
};

// The file paths a data object carries as CF_HDROP; empty when it carries none.
std::vector<std::string> FilesOf(IDataObject* data);

}  // namespace wendlix
