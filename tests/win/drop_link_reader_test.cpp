// What the bar's drop target reads from a data object: each web-link format alone and in the
// combinations browsers and the shell offer, malformed offers, and the address and title
// that result; the target object driven as OLE drives it, in each of its roles.
#include <windows.h>
#include <gtest/gtest.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/bar/panel_data.h"
#include "core/text/encoding.h"
#include "support/win_test_support.h"
#include "win/diagnostics/resource_counts.h"
#include "win/drops/bar_drop_target.h"
#include "win/drops/file_drag_source.h"

namespace wendlix {
namespace {

using namespace testing_support;

CLIPFORMAT Format(const wchar_t* name) { return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name)); }

std::string Bytes(const void* p, std::size_t n) { return std::string(static_cast<const char*>(p), n); }
std::string WideZ(const std::wstring& s) { return Bytes(s.c_str(), (s.size() + 1) * sizeof(wchar_t)); }
std::string Cp936Z(const std::string& utf8) { return Utf8ToCp936(utf8).value() + '\0'; }

std::string DescriptorW(const std::wstring& name, UINT items = 1) {
  FILEGROUPDESCRIPTORW group{};
  group.cItems = items;
  group.fgd[0].dwFlags = FD_ATTRIBUTES;
  wcsncpy(group.fgd[0].cFileName, name.c_str(), MAX_PATH - 1);
  return Bytes(&group, sizeof(group));
}

std::string DescriptorA(const std::string& cp936Name) {
  FILEGROUPDESCRIPTORA group{};
  group.cItems = 1;
  strncpy(group.fgd[0].cFileName, cp936Name.c_str(), MAX_PATH - 1);
  return Bytes(&group, sizeof(group));
}

// A data object offering each format's bytes in global memory, or as a stream for the formats
// in `streams`. "FileContents" answers only for item 0, as a browser's single link does.
class OfferData final : public IDataObject {
 public:
  std::map<CLIPFORMAT, std::string> formats;
  std::vector<CLIPFORMAT> streams;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (riid == IID_IUnknown || riid == IID_IDataObject) {
      *object = static_cast<IDataObject*>(this);
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }  // lives on the stack
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    auto it = formats.find(format->cfFormat);
    if (it == formats.end()) return DV_E_FORMATETC;
    if (format->cfFormat == Format(L"FileContents") && format->lindex != 0) return DV_E_LINDEX;
    const std::string& bytes = it->second;
    const bool stream = std::find(streams.begin(), streams.end(), format->cfFormat) != streams.end();
    medium->pUnkForRelease = nullptr;
    if (stream) {
      if (!(format->tymed & TYMED_ISTREAM)) return DV_E_TYMED;
      medium->tymed = TYMED_ISTREAM;
      medium->pstm =
          SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
      return medium->pstm ? S_OK : E_OUTOFMEMORY;
    }
    if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
    HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.empty() ? 1 : bytes.size());
    if (!global) return E_OUTOFMEMORY;
    std::memcpy(GlobalLock(global), bytes.data(), bytes.size());
    GlobalUnlock(global);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = global;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    return formats.count(format->cfFormat) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
};

TEST(DropLinkReader, BrowserLinkWideAndNarrow) {
  // A browser's link: the address format, text and a descriptor naming "<title>.url".
  OfferData wide;
  wide.formats[Format(L"UniformResourceLocatorW")] = WideZ(L"http://例子.example/a?b=c");
  wide.formats[Format(L"UniformResourceLocator")] = Cp936Z("http://narrow.example/");
  wide.formats[CF_UNICODETEXT] = WideZ(L"http://例子.example/a?b=c");
  wide.formats[Format(L"FileGroupDescriptorW")] = DescriptorW(L"例子 页面.url");
  DragOffer offer = ReadDragOffer(&wide);
  EXPECT_EQ(offer.UniformResourceLocator, "http://例子.example/a?b=c");  // wide before narrow
  EXPECT_EQ(offer.Text, "http://例子.example/a?b=c");
  EXPECT_EQ(offer.DescriptorName, "例子 页面.url");
  EXPECT_FALSE(offer.FileContents);
  EXPECT_TRUE(offer.Files.empty());
  EXPECT_EQ(ReadDroppedLink(offer), (DroppedLink{"http://例子.example/a?b=c", "例子 页面"}));

  // The narrow formats alone, in code page 936 whatever the system's code page.
  OfferData narrow;
  narrow.formats[Format(L"UniformResourceLocator")] = Cp936Z("http://新闻.example/");
  narrow.formats[CF_TEXT] = Cp936Z("文本");
  narrow.formats[Format(L"FileGroupDescriptor")] = DescriptorA(Utf8ToCp936("新闻 首页.url").value());
  offer = ReadDragOffer(&narrow);
  EXPECT_EQ(offer.Text, "文本");
  EXPECT_EQ(ReadDroppedLink(offer), (DroppedLink{"http://新闻.example/", "新闻 首页"}));
}

TEST(DropLinkReader, FileContentsAndInternetShortcutFiles) {
  const std::string shortcut = Utf8ToCp936("[InternetShortcut]\r\nURL=http://快捷.example/\r\n").value();
  for (bool stream : {false, true}) {
    SCOPED_TRACE(stream ? "stream" : "global memory");
    OfferData contents;
    contents.formats[Format(L"FileContents")] = shortcut;
    if (stream) contents.streams.push_back(Format(L"FileContents"));
    contents.formats[Format(L"FileGroupDescriptorW")] = DescriptorW(L"快捷.url");
    const DragOffer offer = ReadDragOffer(&contents);
    EXPECT_EQ(offer.FileContents, shortcut);
    EXPECT_EQ(ReadDroppedLink(offer), (DroppedLink{"http://快捷.example/", "快捷"}));
  }

  TempFolder folder("urlread");
  const std::string url = folder / "收藏 页.url";
  ASSERT_TRUE(WriteBytes(url, shortcut));
  OfferData files;
  files.formats[CF_HDROP] = DropFilesBytes({url, folder / "other.txt"});
  DragOffer offer = ReadDragOffer(&files);
  ASSERT_EQ(offer.Files.size(), 2u);
  EXPECT_EQ(offer.Files[0], url);
  EXPECT_EQ(offer.FirstFileBytes, shortcut);
  EXPECT_TRUE(offer.OffersLink());
  EXPECT_EQ(ReadDroppedLink(offer), (DroppedLink{"http://快捷.example/", "收藏 页"}));

  // A .url file that is gone: its name, no address; plain files offer no link.
  files.formats[CF_HDROP] = DropFilesBytes({folder / "gone.url"});
  offer = ReadDragOffer(&files);
  EXPECT_FALSE(offer.FirstFileBytes);
  EXPECT_EQ(ReadDroppedLink(offer), (DroppedLink{"", "gone"}));
  files.formats[CF_HDROP] = DropFilesBytes({folder / "other.txt", url});
  offer = ReadDragOffer(&files);
  EXPECT_FALSE(offer.FirstFileBytes);
  EXPECT_FALSE(offer.OffersLink());
}

TEST(DropLinkReader, MalformedOffersGiveLessNeverMore) {
  OfferData bad;
  // Text without its terminating NUL, an odd byte count, a descriptor cut short, a huge text.
  bad.formats[Format(L"UniformResourceLocatorW")] = Bytes(L"http://a.example/", 17 * sizeof(wchar_t)) + "x";
  bad.formats[CF_TEXT] = std::string(200 * 1024, 'a');
  bad.formats[Format(L"FileGroupDescriptorW")] = DescriptorW(L"name.url").substr(0, 40);
  DragOffer offer = ReadDragOffer(&bad);
  EXPECT_EQ(offer.UniformResourceLocator, "http://a.example/");
  ASSERT_TRUE(offer.Text);
  EXPECT_EQ(offer.Text->size(), 64u * 1024);
  EXPECT_FALSE(offer.DescriptorName);

  OfferData noItems;
  noItems.formats[Format(L"FileGroupDescriptorW")] = DescriptorW(L"name.url", 0);
  noItems.formats[Format(L"FileContents")] = "";
  noItems.formats[CF_UNICODETEXT] = "";
  offer = ReadDragOffer(&noItems);
  EXPECT_FALSE(offer.DescriptorName);
  EXPECT_EQ(offer.Text, "");
  EXPECT_EQ(ReadDroppedLink(offer), (DroppedLink{}));

  OfferData empty;
  offer = ReadDragOffer(&empty);
  EXPECT_FALSE(offer.OffersLink());
  EXPECT_TRUE(offer.Files.empty());
  EXPECT_FALSE(ReadDragOffer(nullptr).OffersLink());
}

// The target on a window at screen (100, 100), deciding as the bar does over a shortcut group
// whose launch button 2 lies under every point, with launch button 5 of it dragged.
struct TargetScene {
  HWND window =
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 100, 100, 200, 100, nullptr, nullptr, nullptr, nullptr);
  std::string dragSourceDir;
  ButtonDragToken own{static_cast<std::uint32_t>(GetCurrentProcessId()), 41};
  std::vector<std::string> entered;
  struct Dropped {
    DragOffer offer;
    POINT client;
    DropRoute route;
  };
  std::vector<Dropped> dropped;
  bool throwOnEffect = false;
  BarDropTarget* target = nullptr;

  TargetScene() {
    BarDropTarget::Handlers h;
    h.Enter = [this](const DragOffer& offer) {
      entered = offer.Files;
      if (auto dir = DragSourceDirOf(offer.Files)) dragSourceDir = *dir;
    };
    h.Effect = [this](POINT, const DragOffer& offer, DWORD offered) {
      if (throwOnEffect) throw std::runtime_error("effect");
      std::optional<OwnButtonDrag> drag;
      if (offer.BarButton && ParseButtonDragBytes(*offer.BarButton) == own) drag = OwnButtonDrag{0, 5};
      return ChooseDrop(DropPoint{gkShortcut, 0, false, 2}, offer, {drag}, dragSourceDir, offered);
    };
    h.Drop = [this](const DragOffer& offer, POINT client, DropRoute route) {
      dropped.push_back({offer, client, route});
    };
    target = new BarDropTarget(window, std::move(h));
  }
  ~TargetScene() {
    target->Release();
    DestroyWindow(window);
  }
  // Enter, move and drop at screen (110, 120); the effect the drop answered.
  DWORD DragAndDrop(IDataObject* data, DWORD offered) {
    DWORD effect = offered;
    EXPECT_EQ(target->DragEnter(data, MK_LBUTTON, POINTL{110, 120}, &effect), S_OK);
    effect = offered;
    EXPECT_EQ(target->DragOver(MK_LBUTTON, POINTL{111, 120}, &effect), S_OK);
    effect = offered;
    EXPECT_EQ(target->Drop(data, 0, POINTL{110, 120}, &effect), S_OK);
    return effect;
  }
};

TEST(BarDropTarget, EachRoleAsTheDragCarriesIt) {
  TargetScene scene;
  ASSERT_NE(scene.window, nullptr);
  const DWORD all = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

  // Files with Chinese names: the file role links them, the list arrives whole and in order.
  OfferData files;
  files.formats[CF_HDROP] = DropFilesBytes({"D:\\文档\\记事本.txt", "D:\\文档\\Ő 图.png"});
  EXPECT_EQ(scene.DragAndDrop(&files, all), static_cast<DWORD>(DROPEFFECT_LINK));
  EXPECT_EQ(scene.entered, (std::vector<std::string>{"D:\\文档\\记事本.txt", "D:\\文档\\Ő 图.png"}));
  ASSERT_EQ(scene.dropped.size(), 1u);
  EXPECT_EQ(scene.dropped[0].route, DropRoute::kFiles);
  EXPECT_EQ(scene.dropped[0].offer.Files, scene.entered);
  EXPECT_EQ(scene.dropped[0].client.x, 10);
  EXPECT_EQ(scene.dropped[0].client.y, 20);

  // A web link takes the link role.
  OfferData link;
  link.formats[Format(L"UniformResourceLocatorW")] = WideZ(L"https://例子.example/");
  EXPECT_EQ(scene.DragAndDrop(&link, all), static_cast<DWORD>(DROPEFFECT_LINK));
  ASSERT_EQ(scene.dropped.size(), 2u);
  EXPECT_EQ(scene.dropped[1].route, DropRoute::kLink);
  EXPECT_EQ(scene.dropped[1].offer.UniformResourceLocator, "https://例子.example/");

  // The bar's own button moves. (Which drags move and which drop nothing is the core's
  // ChooseDrop, proven in the unit tests.) Its picture goes to the drag-image helper; Wine has
  // none, so it is refused and freed, and the drag goes on without an image.
  const long gdi = GdiObjects(SampleResourceCounts());
  {
    const Microsoft::WRL::ComPtr<IDataObject> button =
        NewDragData(ButtonDragFormat(), ButtonDragBytes(scene.own));
    const HBITMAP picture = CreateCompatibleBitmap(WindowDc(nullptr).get(), 24, 24);
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(SetDragImage(button.Get(), picture, SIZE{24, 24}, POINT{4, 4}));
    EXPECT_EQ(GetObjectType(picture), 0u) << "the refused picture is freed";
    EXPECT_EQ(ReadDragOffer(button.Get()).BarButton, ButtonDragBytes(scene.own));
    EXPECT_EQ(scene.DragAndDrop(button.Get(), DROPEFFECT_MOVE), static_cast<DWORD>(DROPEFFECT_MOVE));
  }
  EXPECT_EQ(GdiObjects(SampleResourceCounts()), gdi);
  ASSERT_EQ(scene.dropped.size(), 3u);
  EXPECT_EQ(scene.dropped[2].route, DropRoute::kButton);

  // A handler that throws refuses the drop; nothing leaves the COM method.
  scene.throwOnEffect = true;
  files.formats[CF_HDROP] = DropFilesBytes({"D:\\a.txt"});
  EXPECT_EQ(scene.DragAndDrop(&files, all), static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(scene.dropped.size(), 3u);
  EXPECT_EQ(scene.target->DragLeave(), S_OK);
}

}  // namespace
}  // namespace wendlix
