#include "win/ui/file_drag_source.h"

#include <ole2.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstring>

#include "win/common/com_object.h"
#include "win/common/wide.h"

namespace wendlix {
namespace {

class FileListData final : public ComObject<IDataObject, IID_IDataObject> {
 public:
  explicit FileListData(const std::vector<std::string>& files) {
    std::wstring list;
    for (const std::string& f : files) list += ToWide(f) + L'\0';
    list += L'\0';
    bytes_.resize(sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* header = reinterpret_cast<DROPFILES*>(bytes_.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(bytes_.data() + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
  }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    if (!medium || QueryGetData(format) != S_OK) return DV_E_FORMATETC;
    HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
    if (!global) return E_OUTOFMEMORY;
    std::memcpy(GlobalLock(global), bytes_.data(), bytes_.size());
    GlobalUnlock(global);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = global;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return format && format->cfFormat == CF_HDROP && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    if (out) out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
    if (direction != DATADIR_GET) return E_NOTIMPL;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return SHCreateStdEnumFmtEtc(1, &format, out);
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  std::vector<BYTE> bytes_;
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

}  // namespace

DWORD DragFilesOut(const std::vector<std::string>& files) {
  if (files.empty()) return DROPEFFECT_NONE;
  const DWORD button = (GetKeyState(VK_RBUTTON) < 0 && GetKeyState(VK_LBUTTON) >= 0) ? MK_RBUTTON : MK_LBUTTON;
  auto* data = new FileListData(files);
  auto* source = new ButtonDropSource(button);
  DWORD effect = DROPEFFECT_NONE;
  const HRESULT hr = DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
  source->Release();
  data->Release();
  return hr == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

}  // namespace wendlix
