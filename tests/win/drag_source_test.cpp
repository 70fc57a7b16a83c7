// Drags the bar starts: the picture a launch button's move drag hands to the system's drag-image
// helper, seen by a helper of the test's own registered in its place through COM.
#include <windows.h>
#include <gtest/gtest.h>
#include <ole2.h>
#include <shlobj.h>

#include <optional>

#include "win/common/com_object.h"
#include "win/drops/bar_drop_target.h"
#include "win/drops/file_drag_source.h"

namespace wendlix {
namespace {

// Keeps what the drag gave it, as the system's helper would keep the picture.
class RecordingHelper final : public ComObject<IDragSourceHelper, IID_IDragSourceHelper> {
 public:
  explicit RecordingHelper(std::optional<SHDRAGIMAGE>& seen) : seen_(seen) {}
  HRESULT STDMETHODCALLTYPE InitializeFromBitmap(LPSHDRAGIMAGE image, IDataObject* data) override {
    if (!image || !data) return E_INVALIDARG;
    seen_ = *image;
    DeleteObject(image->hbmpDragImage);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE InitializeFromWindow(HWND, POINT*, IDataObject*) override { return E_NOTIMPL; }

 private:
  std::optional<SHDRAGIMAGE>& seen_;
};

class RecordingFactory final : public ComObject<IClassFactory, IID_IClassFactory> {
 public:
  explicit RecordingFactory(std::optional<SHDRAGIMAGE>& seen) : seen_(seen) {}
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* helper = new RecordingHelper(seen_);
    const HRESULT hr = helper->QueryInterface(riid, object);
    helper->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  std::optional<SHDRAGIMAGE>& seen_;
};

TEST(DragSource, AMovedButtonsPictureIsHeldAtItsCentre) {
  ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
  std::optional<SHDRAGIMAGE> seen;
  auto* factory = new RecordingFactory(seen);
  DWORD cookie = 0;
  ASSERT_EQ(
      CoRegisterClassObject(CLSID_DragDropHelper, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie),
      S_OK);
  HDC screen = GetDC(nullptr);
  HBITMAP picture = CreateCompatibleBitmap(screen, 41, 25);
  ReleaseDC(nullptr, screen);
  // No mouse button is held: the drag ends where it starts, over nothing that takes it.
  SetCursorPos(0, 0);
  const DWORD effect = DragButtonWithin(ButtonDragFormat(), std::string(8, '\0'), picture, SIZE{41, 25});
  CoRevokeClassObject(cookie);
  factory->Release();
  OleUninitialize();

  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  ASSERT_TRUE(seen.has_value()) << "the drag gave the helper no picture";
  EXPECT_EQ(seen->hbmpDragImage, picture);
  EXPECT_EQ(seen->sizeDragImage.cx, 41);
  EXPECT_EQ(seen->sizeDragImage.cy, 25);
  // 20.5 and 12.5 round to even.
  EXPECT_EQ(seen->ptOffset.x, 20);
  EXPECT_EQ(seen->ptOffset.y, 12);
  EXPECT_EQ(seen->crColorKey, CLR_NONE);
}

}  // namespace
}  // namespace wendlix
