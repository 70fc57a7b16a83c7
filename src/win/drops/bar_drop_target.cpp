#include "win/drops/bar_drop_target.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstddef>
#include <cstring>
#include <cwchar>
#include <optional>

#include "core/text/ascii.h"
#include "core/text/encoding.h"
#include "win/common/owned_memory.h"
#include "win/common/unique_handle.h"
#include "win/common/wide.h"
#include "win/drops/drop_files.h"

namespace wendlix {
namespace {

// More than any address or Internet shortcut needs; a bigger offer is cut here.
constexpr std::size_t kMaxOfferBytes = 64 * 1024;

CLIPFORMAT Registered(const wchar_t* name) { return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name)); }

// The bytes of one format (at most kMaxOfferBytes), from global memory or a stream;
// nullopt when the data object does not offer it.
std::optional<std::string> FormatBytes(IDataObject* data, CLIPFORMAT format, LONG index = -1) {
  if (!format) return std::nullopt;
  FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, index, TYMED_HGLOBAL | TYMED_ISTREAM};
  StorageMedium held;
  if (FAILED(data->GetData(&wanted, held.put()))) return std::nullopt;
  const STGMEDIUM& medium = held.get();
  std::optional<std::string> bytes;
  if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
    const SIZE_T size = GlobalSize(medium.hGlobal);
    GlobalLockScope lock(medium.hGlobal);
    if (const void* p = lock.get())
      bytes.emplace(static_cast<const char*>(p), size < kMaxOfferBytes ? size : kMaxOfferBytes);
  } else if (medium.tymed == TYMED_ISTREAM && medium.pstm) {
    bytes.emplace();
    char chunk[4096];
    ULONG got = 0;
    while (bytes->size() < kMaxOfferBytes &&
           SUCCEEDED(medium.pstm->Read(chunk, static_cast<ULONG>(sizeof(chunk)), &got)) && got > 0) {
      bytes->append(chunk, got);
    }
    if (bytes->size() > kMaxOfferBytes) bytes->resize(kMaxOfferBytes);
  }
  return bytes;
}

// UTF-16 text up to its first NUL (an odd last byte is dropped).
std::string WideText(const std::string& bytes) {
  std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
  return FromWide(text.c_str());
}

std::string NarrowText(const std::string& bytes) { return Cp936ToUtf8(std::string_view(bytes.c_str())); }

// The wide format when offered, else the narrow one.
std::optional<std::string> TextFormat(IDataObject* data, CLIPFORMAT wide, CLIPFORMAT narrow) {
  if (std::optional<std::string> w = FormatBytes(data, wide)) return WideText(*w);
  if (std::optional<std::string> n = FormatBytes(data, narrow)) return NarrowText(*n);
  return std::nullopt;
}

// The first file name a file group descriptor lists.
std::optional<std::string> FirstDescribedName(IDataObject* data) {
  if (std::optional<std::string> w = FormatBytes(data, Registered(L"FileGroupDescriptorW"))) {
    const std::size_t first = offsetof(FILEGROUPDESCRIPTORW, fgd);
    if (w->size() < first + sizeof(FILEDESCRIPTORW)) return std::nullopt;
    const auto* group = reinterpret_cast<const FILEGROUPDESCRIPTORW*>(w->data());
    if (group->cItems < 1) return std::nullopt;
    const wchar_t* name = group->fgd[0].cFileName;
    return FromWide(std::wstring_view(name, wcsnlen(name, MAX_PATH)));
  }
  if (std::optional<std::string> n = FormatBytes(data, Registered(L"FileGroupDescriptor"))) {
    const std::size_t first = offsetof(FILEGROUPDESCRIPTORA, fgd);
    if (n->size() < first + sizeof(FILEDESCRIPTORA)) return std::nullopt;
    const auto* group = reinterpret_cast<const FILEGROUPDESCRIPTORA*>(n->data());
    if (group->cItems < 1) return std::nullopt;
    const char* name = group->fgd[0].cFileName;
    return Cp936ToUtf8(std::string_view(name, strnlen(name, MAX_PATH)));
  }
  return std::nullopt;
}

// The start of a file on disk (at most kMaxOfferBytes); nullopt when it cannot be read.
std::optional<std::string> FileStart(const std::string& path) {
  const unique_file file(CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes(kMaxOfferBytes, '\0');
  DWORD got = 0;
  if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr))
    return std::nullopt;
  bytes.resize(got);
  return bytes;
}

}  // namespace

CLIPFORMAT ButtonDragFormat() { return Registered(L"Wendlix Launch Button"); }

std::vector<std::string> FilesOf(IDataObject* data) {
  if (!data) return {};
  FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  StorageMedium medium;
  if (FAILED(data->GetData(&format, medium.put()))) return {};
  if (medium.get().tymed != TYMED_HGLOBAL || !medium.get().hGlobal) return {};
  GlobalLockScope lock(medium.get().hGlobal);
  if (!lock.get()) return {};
  return DroppedFileNames(static_cast<HDROP>(lock.get()));
}

DragOffer ReadDragOffer(IDataObject* data) {
  DragOffer offer;
  if (!data) return offer;
  offer.Files = FilesOf(data);
  if (!offer.Files.empty() && EndsWithTextAscii(offer.Files.front(), ".url")) {
    offer.FirstFileBytes = FileStart(offer.Files.front());
  }
  offer.UniformResourceLocator =
      TextFormat(data, Registered(L"UniformResourceLocatorW"), Registered(L"UniformResourceLocator"));
  offer.Text = TextFormat(data, CF_UNICODETEXT, CF_TEXT);
  offer.FileContents = FormatBytes(data, Registered(L"FileContents"), 0);
  offer.DescriptorName = FirstDescribedName(data);
  offer.BarButton = FormatBytes(data, ButtonDragFormat());
  return offer;
}

DropDummy::DropDummy() {
  // Without the helper the drag goes on without an image.
  CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&helper_));
}

void DropDummy::Enter(HWND window, IDataObject* data, POINTL pt, DWORD effect) {
  shown_ = true;
  POINT p{pt.x, pt.y};
  if (helper_ && data) helper_->DragEnter(window, data, &p, effect);
}

void DropDummy::Over(POINTL pt, DWORD effect) {
  POINT p{pt.x, pt.y};
  if (helper_) helper_->DragOver(&p, effect);
}

void DropDummy::Leave() {
  if (helper_) helper_->DragLeave();
}

void DropDummy::Drop(IDataObject* data, POINTL pt, DWORD effect) {
  POINT p{pt.x, pt.y};
  if (helper_ && data) helper_->Drop(data, &p, effect);
}

void DropDummy::Show(bool show) {
  if (show == shown_) return;
  shown_ = show;
  if (helper_) helper_->Show(show);
}

POINT BarDropTarget::ToClient(POINTL pt) const {
  POINT p{pt.x, pt.y};
  ScreenToClient(window_, &p);
  return p;
}

DropChoice BarDropTarget::ChoiceAt(POINTL pt, DWORD offered) {
  DropChoice choice;
  if (handlers_.Effect) {
    try {
      choice = handlers_.Effect(ToClient(pt), offer_, offered);
    } catch (...) {
      choice = {};
    }
  }
  // The web-link role shows no drag image; every other place shows it.
  DropDummy1.Show(RoleOf(choice.Route).DragImage || choice.Route == DropRoute::kNone);
  return choice;
}

HRESULT BarDropTarget::DragEnter(IDataObject* data, DWORD /*keys*/, POINTL pt, DWORD* effect) {
  try {
    offer_ = ReadDragOffer(data);
    if (handlers_.Enter) handlers_.Enter(offer_);
  } catch (...) {
    offer_ = {};
  }
  if (!hovering_ && handlers_.Hover) handlers_.Hover(true);
  hovering_ = true;
  DropDummy1.Enter(window_, data, pt, effect ? *effect : DROPEFFECT_NONE);
  if (effect) *effect = ChoiceAt(pt, *effect).Effect;
  return S_OK;
}

HRESULT BarDropTarget::DragOver(DWORD /*keys*/, POINTL pt, DWORD* effect) {
  if (effect) *effect = ChoiceAt(pt, *effect).Effect;
  DropDummy1.Over(pt, effect ? *effect : DROPEFFECT_NONE);
  return S_OK;
}

HRESULT BarDropTarget::DragLeave() {
  offer_ = {};
  DropDummy1.Leave();
  if (hovering_ && handlers_.Hover) handlers_.Hover(false);
  hovering_ = false;
  return S_OK;
}

HRESULT BarDropTarget::Drop(IDataObject* data, DWORD /*keys*/, POINTL pt, DWORD* effect) {
  try {
    offer_ = ReadDragOffer(data);
  } catch (...) {
    offer_ = {};
  }
  const DropChoice chosen = effect ? ChoiceAt(pt, *effect) : DropChoice{};
  if (effect) *effect = chosen.Effect;
  DropDummy1.Drop(data, pt, chosen.Effect);
  const DragOffer offer = std::move(offer_);
  offer_ = {};
  if (hovering_ && handlers_.Hover) handlers_.Hover(false);
  hovering_ = false;
  // A refused drop never reaches the bar.
  if (chosen.Effect != DROPEFFECT_NONE && handlers_.Drop) {
    try {
      handlers_.Drop(offer, ToClient(pt), chosen.Route);
    } catch (...) {
    }
  }
  return S_OK;
}

}  // namespace wendlix
