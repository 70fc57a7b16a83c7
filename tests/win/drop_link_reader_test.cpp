// What the bar's drop target reads from a data object: each web-link format alone and in the
// combinations browsers and the shell offer, malformed offers, and the address and title
// that result.
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "core/text/encoding.h"
#include "shell_test_support.h"
#include "win/ui/file_drop_target.h"

namespace wendlix {
namespace {

using namespace testing_support;

CLIPFORMAT Format(const wchar_t* name) { return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name)); }

std::string Bytes(const void* p, std::size_t n) { return std::string(static_cast<const char*>(p), n); }
std::string WideZ(const std::wstring& s) { return Bytes(s.c_str(), (s.size() + 1) * sizeof(wchar_t)); }
std::string Cp936Z(const std::string& utf8) { return Utf8ToCp936(utf8).value() + '\0'; }

std::string DropFiles(const std::vector<std::string>& files) {
  std::wstring list;
  for (const std::string& f : files) list += ToWide(f) + L'\0';
  list += L'\0';
  DROPFILES header{};
  header.pFiles = sizeof(DROPFILES);
  header.fWide = TRUE;
  return Bytes(&header, sizeof(header)) + Bytes(list.data(), list.size() * sizeof(wchar_t));
}

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
      medium->pstm = SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
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

  // Text alone: the address and the title.
  OfferData text;
  text.formats[CF_UNICODETEXT] = WideZ(L"  www.example.com\r\n");
  EXPECT_EQ(ReadDroppedLink(ReadDragOffer(&text)), (DroppedLink{"www.example.com", "www.example.com"}));
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
  files.formats[CF_HDROP] = DropFiles({url, folder / "other.txt"});
  DragOffer offer = ReadDragOffer(&files);
  ASSERT_EQ(offer.Files.size(), 2u);
  EXPECT_EQ(offer.Files[0], url);
  EXPECT_EQ(offer.FirstFileBytes, shortcut);
  EXPECT_TRUE(offer.OffersLink());
  EXPECT_EQ(ReadDroppedLink(offer), (DroppedLink{"http://快捷.example/", "收藏 页"}));

  // A .url file that is gone: its name, no address; plain files offer no link.
  files.formats[CF_HDROP] = DropFiles({folder / "gone.url"});
  offer = ReadDragOffer(&files);
  EXPECT_FALSE(offer.FirstFileBytes);
  EXPECT_EQ(ReadDroppedLink(offer), (DroppedLink{"", "gone"}));
  files.formats[CF_HDROP] = DropFiles({folder / "other.txt", url});
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

}  // namespace
}  // namespace wendlix
