// Arbitrary bytes as everything a drag can offer: the address and title read from it, and
// the name and address a web group would store, must never crash, and what the drop decides
// to store must either go into the group file and read back as decided, or be refused by the
// file only for characters its code page lacks.
#include <string>
#include <string_view>

#include "core/bar/panel_data.h"
#include "core/drops/url_drop.h"
#include "core/profile/ini_file.h"
#include "core/text/ascii.h"
#include "core/text/encoding.h"
#include "support/fuzz_check.h"

namespace {

using namespace wendlix;
using fuzz_support::Check;

// The input cut at 0x01 bytes into the offer's fields; the first byte says which are offered.
DragOffer OfferOf(std::string_view data) {
  DragOffer offer;
  if (data.empty()) return offer;
  const unsigned mask = static_cast<unsigned char>(data[0]);
  data.remove_prefix(1);
  std::string parts[6];
  for (std::string& part : parts) {
    const std::size_t cut = data.find('\x01');
    part = std::string(data.substr(0, cut));
    data = cut == std::string_view::npos ? std::string_view() : data.substr(cut + 1);
  }
  if (mask & 1) offer.Files = {Cp936ToUtf8(parts[0]), "x"};
  if (mask & 2) offer.FirstFileBytes = parts[1];
  if (mask & 4) offer.UniformResourceLocator = Cp936ToUtf8(parts[2]);
  if (mask & 8) offer.Text = Cp936ToUtf8(parts[3]);
  if (mask & 16) offer.FileContents = parts[4];
  if (mask & 32) offer.DescriptorName = Cp936ToUtf8(parts[5]);
  return offer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const DragOffer offer = OfferOf(std::string_view(reinterpret_cast<const char*>(data), size));
  const DroppedLink link = ReadDroppedLink(offer);
  Check(link.URL.empty() || link.Title.size() > 0, "an address without a title");
  const UrlDropStep step = DecideUrlDrop(gkWeb, link);
  if (step.What != UrlDropStep::Kind::kAdd) return 0;
  Check(!step.Key.empty() && IsStorableAddress(step.URL), "an add the file cannot hold");
  // The name shown is the name stored: always one the file holds and reads back as it is.
  Check(Utf8ToCp936(step.Key).has_value(), "a name outside the code page");
  Check(step.Key.find('=') == std::string::npos && step.Key.front() != '[' && step.Key.front() != ';',
        "a name the file would misread");
  IniFile gpf = IniFile::FromBytes("[Web  Buttons]\r\nOld=http://old\r\n");
  if (gpf.WriteString("Web  Buttons", step.Key, step.URL)) {
    const IniFile back = IniFile::FromBytes(gpf.ToBytes());
    Check(back.ReadString("Web  Buttons", step.Key, "\x01") == step.URL, "the address read back");
    Check(back.ReadString("Web  Buttons", "Old", "") == "http://old" || SameTextAscii(step.Key, "Old"),
          "another button lost");
  } else {
    Check(!Utf8ToCp936(step.URL), "a refusal for anything but the address's code page");
  }
  return 0;
}
