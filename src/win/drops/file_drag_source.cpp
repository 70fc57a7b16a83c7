#include "win/drops/file_drag_source.h"

#include <shlobj.h>
#include <shlwapi.h>
#include <wrl/client.h>

#include <cstring>
#include <utility>

#include "core/bar/mouse_rules.h"
#include "win/common/com_object.h"
#include "win/common/owned_memory.h"
#include "win/common/unique_handle.h"
#include "win/common/wide.h"

namespace wendlix {
namespace {

using Microsoft::WRL::ComPtr;

// Formats held as bytes, served in global memory.
class DragData final : public ComObject<IDataObject, IID_IDataObject> {
 public:
  void Put(CLIPFORMAT format, std::string bytes) {
    for (auto& f : formats_) {
      if (f.first == format) {
        f.second = std::move(bytes);
        return;
      }
    }
    formats_.emplace_back(format, std::move(bytes));
  }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (!medium || QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    const std::string& bytes = *Find(format->cfFormat);
    HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.empty() ? 1 : bytes.size());
    if (!global) return E_OUTOFMEMORY;
    {
      GlobalLockScope lock(global);
      std::memcpy(lock.get(), bytes.data(), bytes.size());
    }
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = global;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return format && (format->tymed & TYMED_HGLOBAL) && Find(format->cfFormat) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  // Global memory only: that is how the drag-image helper stores its picture.
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override {
    if (!format || !medium || medium->tymed != TYMED_HGLOBAL || !medium->hGlobal) return E_NOTIMPL;
    StorageMedium taken;  // freed after the lock below ends
    GlobalLockScope lock(medium->hGlobal);
    if (!lock.get()) return E_OUTOFMEMORY;
    try {
      Put(format->cfFormat, std::string(static_cast<const char*>(lock.get()), GlobalSize(medium->hGlobal)));
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    // Read: a medium handed over with the call is this object's to free.
    if (release) taken.Adopt(*medium);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    std::vector<FORMATETC> list;
    for (const auto& f : formats_) list.push_back({f.first, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL});
    return SHCreateStdEnumFmtEtc(static_cast<UINT>(list.size()), list.data(), out);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  const std::string* Find(CLIPFORMAT format) const {
    for (const auto& f : formats_) {
      if (f.first == format) return &f.second;
    }
    return nullptr;
  }
  std::vector<std::pair<CLIPFORMAT, std::string>> formats_;
};

class ButtonDropSource final : public ComObject<IDropSource, IID_IDropSource> {
 public:
  explicit ButtonDropSource(DWORD button) : button_(button) {}
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape) return DRAGDROP_S_CANCEL;
    return (keys & button_) ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

 private:
  DWORD button_;
};

std::string DropFilesBytes(const std::vector<std::string>& files) {
  std::wstring list;
  for (const std::string& f : files) list += ToWide(f) + L'\0';
  list += L'\0';
  std::string bytes(sizeof(DROPFILES) + list.size() * sizeof(wchar_t), '\0');
  auto* header = reinterpret_cast<DROPFILES*>(bytes.data());
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  std::memcpy(bytes.data() + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
  return bytes;
}

DWORD RunDrag(IDataObject* data, DWORD allowed) {
  const DWORD button =
      (GetKeyState(VK_RBUTTON) < 0 && GetKeyState(VK_LBUTTON) >= 0) ? MK_RBUTTON : MK_LBUTTON;
  const ComPtr<IDropSource> source = NewComObject<ButtonDropSource>(button);
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT hr = DoDragDrop(data, source.Get(), allowed, &effect);
  return hr == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

}  // namespace

ComPtr<IDataObject> NewDragData(CLIPFORMAT format, const std::string& bytes) {
  ComPtr<DragData> data = NewComObject<DragData>();
  data->Put(format, bytes);
  return data;
}

bool SetDragImage(IDataObject* data, HBITMAP picture, SIZE size, POINT offset) {
  unique_hbitmap owned(picture);
  if (!owned) return false;
  ComPtr<IDragSourceHelper> helper;
  SHDRAGIMAGE image{};
  image.sizeDragImage = size;
  image.ptOffset = offset;
  image.hbmpDragImage = picture;
  image.crColorKey = CLR_NONE;
  if (data &&
      SUCCEEDED(
          CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&helper))) &&
      SUCCEEDED(helper->InitializeFromBitmap(&image, data))) {
    owned.release();  // the helper owns the picture now
    return true;
  }
  return false;
}

DWORD DragFilesOut(const std::vector<std::string>& files) {
  if (files.empty()) return DROPEFFECT_NONE;
  const ComPtr<IDataObject> data = NewDragData(CF_HDROP, DropFilesBytes(files));
  return RunDrag(data.Get(), DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
}

DWORD DragButtonWithin(CLIPFORMAT format, const std::string& token, HBITMAP picture, SIZE size) {
  const ComPtr<IDataObject> data = NewDragData(format, token);
  const Point centre = DragHotSpot({size.cx, size.cy});
  SetDragImage(data.Get(), picture, size, POINT{centre.x, centre.y});
  return RunDrag(data.Get(), DROPEFFECT_MOVE);
}

}  // namespace wendlix
