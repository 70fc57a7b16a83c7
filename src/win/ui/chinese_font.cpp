#include "win/ui/chinese_font.h"

#include "win/common/unique_handle.h"

namespace wendlix {

HFONT CreateChineseCapableFont(LOGFONTW lf) {
  unique_hfont font(CreateFontIndirectW(&lf));
  if (!font) return nullptr;
  WindowDc screen(nullptr);
  FONTSIGNATURE signature{};
  {
    SelectObjectScope select(screen.get(), font.get());
    GetTextCharsetInfo(screen.get(), &signature, 0);
  }
  constexpr DWORD kSimplifiedChinese = 1u << 18;  // code page 936 in the signature's code-page bits
  if (signature.fsCsb[0] & kSimplifiedChinese) return font.release();
  lstrcpynW(lf.lfFaceName, L"宋体", LF_FACESIZE);
  lf.lfCharSet = GB2312_CHARSET;
  unique_hfont chinese(CreateFontIndirectW(&lf));
  return chinese ? chinese.release() : font.release();
}

}  // namespace wendlix
