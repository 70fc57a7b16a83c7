#include "win/ui/file_drop_target.h"

#include <shellapi.h>

#include "win/bar/drop_files.h"

namespace wendlix {

std::vector<std::string> FilesOf(IDataObject* data) {
  if (!data) return {};
  FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  if (FAILED(data->GetData(&format, &medium))) return {};
  std::vector<std::string> files;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
    if (auto drop = static_cast<HDROP>(GlobalLock(medium.hGlobal))) {
      files = DroppedFileNames(drop);
      GlobalUnlock(medium.hGlobal);
    }
  }
  ReleaseStgMedium(&medium);
  return files;
}

POINT FileDropTarget::ToClient(POINTL pt) const {
  POINT p{pt.x, pt.y};
  ScreenToClient(window_, &p);
  return p;
}

DWORD FileDropTarget::EffectAt(POINTL pt, DWORD offered) const {
  if (files_.empty() || !handlers_.Effect) return DROPEFFECT_NONE;
  try {
    return handlers_.Effect(ToClient(pt), files_, offered);
  } catch (...) {
    return DROPEFFECT_NONE;
  }
}

HRESULT FileDropTarget::DragEnter(IDataObject* data, DWORD /*keys*/, POINTL pt, DWORD* effect) {
  try {
    files_ = FilesOf(data);
  } catch (...) {
    files_.clear();
  }
  if (!hovering_ && handlers_.Hover) handlers_.Hover(true);
  hovering_ = true;
  if (effect) *effect = EffectAt(pt, *effect);
  return S_OK;
}

HRESULT FileDropTarget::DragOver(DWORD /*keys*/, POINTL pt, DWORD* effect) {
  if (effect) *effect = EffectAt(pt, *effect);
  return S_OK;
}

HRESULT FileDropTarget::DragLeave() {
  files_.clear();
  if (hovering_ && handlers_.Hover) handlers_.Hover(false);
  hovering_ = false;
  return S_OK;
}

HRESULT FileDropTarget::Drop(IDataObject* data, DWORD /*keys*/, POINTL pt, DWORD* effect) {
  const DWORD chosen = effect ? EffectAt(pt, *effect) : DROPEFFECT_NONE;
  if (effect) *effect = chosen;
  std::vector<std::string> files;
  try {
    files = FilesOf(data);
  } catch (...) {
  }
  files_.clear();
  if (hovering_ && handlers_.Hover) handlers_.Hover(false);
  hovering_ = false;
  // A refused drop never reaches the bar.
  if (chosen != DROPEFFECT_NONE && !files.empty() && handlers_.Drop) {
    try {
      handlers_.Drop(files, ToClient(pt));
    } catch (...) {
    }
  }
  return S_OK;
}

}  // namespace wendlix
