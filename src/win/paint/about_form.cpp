#include "win/paint/about_form.h"

#include <windowsx.h>

#include <memory>
#include <string>

#include "core/paint/about_window.h"
#include "core/tweaks/tweak_texts.h"
#include "win/common/base_window.h"
#include "win/common/unique_handle.h"
#include "win/common/wide.h"
#include "win/paint/lumo_fade_control.h"
#include "win/paint/theme_win.h"
#include "win/ui/system_dark_mode.h"

namespace wendlix {
namespace {

constexpr wchar_t kCaption[] = L"关于...";
// The program has no web site of its own: the label leads to the help file beside it.
constexpr wchar_t kLabel1Caption[] = L"使用说明请查看:";
constexpr POINT kLabel1At{24, 186}, kLabel2At{24, 206};

std::string Label2Caption() { return std::string("帮助文件 ") + kHelpFileName; }

// The window shows no caption: its name carries the caption and the texts it paints, for a screen
// reader (the picture and the fade hold no text of their own).
std::wstring WindowName() {
  return std::wstring(kCaption) + L" " + kLabel1Caption + L" " + ToWide(Label2Caption());
}

HBITMAP LoadAboutPicture() {
  return static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), L"ABOUTPICTURE", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

class TLogoForm final : public BaseWindow<TLogoForm> {
 public:
  static constexpr wchar_t kClassName[] = L"TLogoForm";

  TLogoForm(AboutObserver* observer, AboutHelp help) : observer_(observer), help_(std::move(help)) {}

  bool Create(HWND owner, HBITMAP picture) {
    unique_hbitmap own(picture
                           ? static_cast<HBITMAP>(CopyImage(picture, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))
                           : LoadAboutPicture());
    BITMAP bm{};
    if (!own || !GetObjectW(own.get(), sizeof(bm), &bm)) return false;
    picture_ = std::move(own);
    pictureWidth_ = bm.bmWidth;
    pictureHeight_ = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    WNDCLASSEXW wc{};
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    if (!RegisterClassOnce(wc)) return false;
    const Rect r = AboutWindowRect(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                   pictureWidth_, pictureHeight_);
    if (!CreateHandle(WS_EX_TOPMOST, WindowName().c_str(), WS_POPUP | WS_CLIPCHILDREN, r.left, r.top,
                      r.Width(), r.Height(), owner, wc.hInstance))
      return false;
    MatchTitleBarToLook(Handle());
    LumoFade1 = std::make_unique<LumoFadeControl>(Handle());
    TLumoFade& fade = LumoFade1->Fade();
    fade.SetDisolvRate(80);
    fade.SetBlendRate(80);
    fade.SwapDelay = 3;
    LumoFade1->SetVisible(false);
    label2Font_.reset(CreateFontW(-12, 0, 0, 0, FW_BOLD, FALSE, TRUE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                  L"Arial"));
    label1Font_.reset(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                  L"宋体"));
    return true;
  }

  // Dissolves the picture in out of the screen that lies where the window appears.
  void Open() {
    inTransition_ = true;  // closes wait until the window stands
    const Rect r = AboutWindowRect(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                   pictureWidth_, pictureHeight_);
    FadePicture snapshot;
    if (const auto dib = MakeDibSection(pictureWidth_, pictureHeight_)) {
      unique_memory_dc dc(CreateCompatibleDC(nullptr));
      WindowDc screen(nullptr);
      if (dc) {
        SelectObjectScope select(dc.get(), dib->bitmap.get());
        BitBlt(dc.get(), 0, 0, pictureWidth_, pictureHeight_, screen.get(), r.left, r.top, SRCCOPY);
        GdiFlush();
      }
      if (observer_) observer_->Snapshot(PixelBufferOver(dib));
      snapshot = FadePictureFromBitmap(dib->bitmap.get());
    }
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TLumoFade& fade = LumoFade1->Fade();
    fade.SetPicFrom(snapshot);
    fade.SetPicTo(FadePictureFromBitmap(picture_.get()));
    fade.SetBounds(0, 0, pictureWidth_, pictureHeight_);
    LumoFade1->SetVisible(true);
    image1Visible_ = false;
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    UpdateWindow(Handle());
    Sleep(300);
    RunTransition(false);
    if (!Handle()) {
      delete this;  // gone with its owner meanwhile; its end left the object to this
      return;
    }
    LumoFade1->SetVisible(false);
    labelsVisible_ = image1Visible_ = true;
    InvalidateRect(Handle(), nullptr, FALSE);
    UpdateWindow(Handle());
    if (HWND owner = GetWindow(Handle(), GW_OWNER)) UpdateWindow(owner);
    inTransition_ = false;
    if (closePending_) PostMessageW(Handle(), WM_CLOSE, 0, 0);
  }

  void BringForward() {
    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(Handle());
  }

 protected:
  // The object belongs to its window, whether the window was closed or went with its owner.
  void OnFinalMessage() override {
    if (!transitionRunning_) delete this;
  }

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == ThemeChangedMessage()) {
      MatchTitleBarToLook(Handle());
      return 0;
    }
    switch (msg) {
      case WM_SHOWWINDOW:
        if (wp) FormShow();
        break;
      case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE) FormActivate();
        break;
      case WM_ERASEBKGND: return 1;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        PaintChildren(dc);
        FormPaint();
        EndPaint(Handle(), &ps);
        return 0;
      }
      case WM_KEYDOWN: FormShortCut(static_cast<int>(wp)); return 0;
      case WM_LBUTTONDOWN: OnButtonDown(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
      case WM_MOUSEMOVE:
        if (image1Visible_) Image1MouseMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), (wp & MK_LBUTTON) != 0);
        return 0;
      case WM_LBUTTONUP: OnButtonUp(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); return 0;
      case WM_CAPTURECHANGED:
        pressedOn_ = Pressed::kNothing;
        drag_.Release();
        return 0;
      case WM_SETCURSOR:
        if (LOWORD(lp) == HTCLIENT && OverLabel2()) {
          SetCursor(LoadCursorW(nullptr, IDC_HAND));
          return TRUE;
        }
        break;
      case WM_CLOSE: {
        if (closing_) return 0;
        if (inTransition_) {
          closePending_ = true;  // a close waits until the running transition ends
          return 0;
        }
        FormClose();
        // Nothing may touch the object after this: the window's end frees it, or, when the
        // window went with its owner during the blend, this does.
        if (Handle()) {
          DestroyWindow(Handle());
        } else {
          delete this;
        }
        return 0;
      }
      case WM_DESTROY:
        if (!inTransition_ && !closing_) LumoFade1.reset();  // destroyed from outside, not by a close
        break;
      default: break;
    }
    return Default(msg, wp, lp);
  }

 private:
  enum class Pressed { kNothing, kImage1, kLabel2 };

  void FormShow() {
    RECT r{0, 0, pictureWidth_, pictureHeight_};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)));
    SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (LumoFade1) LumoFade1->Fade().SetBounds(0, 0, pictureWidth_, pictureHeight_);
  }
  void FormActivate() { UpdateWindow(Handle()); }
  // Runs inside WM_PAINT after BeginPaint: the update region is empty, so this cannot recurse.
  void FormPaint() { UpdateWindow(Handle()); }
  void FormShortCut(int key) {
    if (key == VK_ESCAPE) PostMessageW(Handle(), WM_CLOSE, 0, 0);
  }
  void Image1Click() { PostMessageW(Handle(), WM_CLOSE, 0, 0); }
  void Image1MouseDown(int x, int y) { drag_.Press(x, y); }
  void Image1MouseMove(int x, int y, bool leftHeld) {
    if (!drag_.Move(x, y, leftHeld)) return;
    pressedOn_ = Pressed::kNothing;
    ReleaseCapture();
    SendMessageW(Handle(), WM_SYSCOMMAND, 0xF012, 0);  // move by the caption: drags the borderless window
  }
  void Label2Click() {
    if (help_) help_(Handle());
  }
  void FormClose() {
    closing_ = true;
    image1Visible_ = labelsVisible_ = false;
    if (!LumoFade1) return;
    LumoFade1->SetVisible(true);
    TLumoFade& fade = LumoFade1->Fade();
    const FadePicture snapshot = fade.PicFrom();
    fade.SetPicTo(snapshot);
    fade.SetPicFrom(FadePictureFromBitmap(picture_.get()));
    UpdateWindow(Handle());
    RunTransition(true);
  }

  void RunTransition(bool closing) {
    LumoFade1->ResetRepaintCount();
    transitionRunning_ = true;
    try {
      if (closing) {
        LumoFade1->Fade().Blend();
      } else {
        LumoFade1->Fade().Dissolve();
      }
    } catch (...) {
      // A transition that cannot run leaves the window as it is; nothing else to report.
    }
    transitionRunning_ = false;
    if (observer_) observer_->TransitionDone(closing, LumoFade1->RepaintCount());
  }

  void OnButtonDown(int x, int y) {
    pressedOn_ = OverLabel2() ? Pressed::kLabel2 : image1Visible_ ? Pressed::kImage1 : Pressed::kNothing;
    if (pressedOn_ == Pressed::kNothing) return;
    SetCapture(Handle());
    if (pressedOn_ == Pressed::kImage1) Image1MouseDown(x, y);
  }
  void OnButtonUp(int x, int y) {
    const Pressed was = pressedOn_;
    pressedOn_ = Pressed::kNothing;
    drag_.Release();
    if (GetCapture() == Handle()) ReleaseCapture();
    if (was == Pressed::kLabel2 && OverLabel2()) {
      Label2Click();
    } else if (was == Pressed::kImage1 && image1Visible_ && x >= 0 && y >= 0 && x < pictureWidth_ &&
               y < pictureHeight_) {
      Image1Click();
    }
  }

  RECT Label2Rect() const {
    RECT r{kLabel2At.x, kLabel2At.y, kLabel2At.x, kLabel2At.y};
    WindowDc dc(Handle());
    SelectObjectScope font(dc.get(), label2Font_.get());
    const std::wstring text = ToWide(Label2Caption());
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    r.right += size.cx;
    r.bottom += size.cy;
    return r;
  }
  bool OverLabel2() const {
    if (!labelsVisible_) return false;
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(Handle(), &p);
    const RECT r = Label2Rect();
    return PtInRect(&r, p) != 0;
  }

  void PaintChildren(HDC dc) {
    if (image1Visible_) {
      unique_memory_dc source(CreateCompatibleDC(dc));
      if (source) {
        SelectObjectScope select(source.get(), picture_.get());
        BitBlt(dc, 0, 0, pictureWidth_, pictureHeight_, source.get(), 0, 0, SRCCOPY);
      }
    }
    if (labelsVisible_) {
      SetBkMode(dc, TRANSPARENT);
      {
        SelectObjectScope font(dc, label1Font_.get());
        SetTextColor(dc, RGB(0, 0, 0));
        TextOutW(dc, kLabel1At.x, kLabel1At.y, kLabel1Caption, static_cast<int>(wcslen(kLabel1Caption)));
      }
      SelectObjectScope font(dc, label2Font_.get());
      SetTextColor(dc, RGB(0, 0, 255));
      const std::wstring text = ToWide(Label2Caption());
      TextOutW(dc, kLabel2At.x, kLabel2At.y, text.c_str(), static_cast<int>(text.size()));
    }
    if (LumoFade1) LumoFade1->Paint(dc);
  }

  AboutObserver* observer_;
  AboutHelp help_;
  unique_hbitmap picture_;
  int pictureWidth_ = 0, pictureHeight_ = 0;
  unique_hfont label1Font_, label2Font_;
  std::unique_ptr<LumoFadeControl> LumoFade1;
  bool image1Visible_ = true, labelsVisible_ = false;
  bool inTransition_ = false, closePending_ = false, closing_ = false;
  bool transitionRunning_ = false;  // its loop is on the stack, and frees the object after it
  Pressed pressedOn_ = Pressed::kNothing;
  PictureDrag drag_;
};

// A named CALLBACK, not a lambda: on 32-bit Windows the callback must be stdcall.
BOOL CALLBACK MatchAboutWindow(HWND hwnd, LPARAM lp) {
  wchar_t name[32] = {};
  GetClassNameW(hwnd, name, 32);
  if (wcscmp(name, TLogoForm::kClassName) != 0) return TRUE;
  *reinterpret_cast<HWND*>(lp) = hwnd;
  return FALSE;
}

HWND FindOpenAbout() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &MatchAboutWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

HWND ShowAboutWindow(HWND owner, AboutHelp help, AboutObserver* observer, HBITMAP picture) {
  try {
    if (HWND open = FindOpenAbout()) {
      // Only forward: a new snapshot here would capture the About window itself.
      auto* base = reinterpret_cast<BaseWindow<TLogoForm>*>(GetWindowLongPtrW(open, GWLP_USERDATA));
      if (base) static_cast<TLogoForm*>(base)->BringForward();
      return open;
    }
    auto form = std::make_unique<TLogoForm>(observer, std::move(help));
    if (!form->Create(owner, picture)) return nullptr;
    TLogoForm* raw = form.release();  // frees itself when closed
    const HWND hwnd = raw->Handle();
    raw->Open();
    return hwnd;
  } catch (...) {
    return nullptr;
  }
}

}  // namespace wendlix
