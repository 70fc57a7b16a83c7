// The bar's one OLE drop target (OLE allows one per window): it takes file lists (CF_HDROP)
// and web links (the address formats, text, file contents, Internet shortcut files and file
// descriptors). The window answers, per point, the effect a drop there would have, and gets
// what was offered when it is dropped.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <functional>
#include <string>
#include <vector>

#include "core/bar/interaction/url_drop.h"
#include "win/common/com_object.h"

namespace wendlix {

class FileDropTarget final : public ComObject<IDropTarget, IID_IDropTarget> {
 public:
  struct Handlers {
    // The effect at a client point for what the drag offers and the effects the source allows.
    std::function<DWORD(POINT client, const DragOffer& offer, DWORD offered)> Effect;
    std::function<void(const DragOffer& offer, POINT client)> Drop;
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
  DragOffer offer_;  // of the drag under way
  bool hovering_ = false;
};

// The file paths a data object carries as CF_HDROP; empty when it carries none.
std::vector<std::string> FilesOf(IDataObject* data);

// Everything the bar can use from a data object. Texts come from the wide formats when
// offered, else from the narrow ones read as code page 936; "FileContents" is item 0; the
// first file's start is read when it ends in ".url". Sizes are checked against the data,
// and each read is capped, so a malformed or huge offer gives less, never more.
DragOffer ReadDragOffer(IDataObject* data);

}  // namespace wendlix
