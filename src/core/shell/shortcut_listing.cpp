#include "core/shell/shortcut_listing.h"

#include <algorithm>
#include <cstring>

#include "core/text/ascii.h"
#include "core/text/name_order.h"

namespace wendlix {

namespace {

constexpr const char* kShortcutPatterns[] = {".SCF", ".LNK", ".PIF", ".URL"};
constexpr std::uint32_t kExclusiveAttributes = kAttrHidden | kAttrSystem | kAttrVolumeLabel;

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

// Appends the entries `take` accepts in the order NTFS keeps them, whatever order the
// file system returned them in (FAT and many network shares return them unsorted).
template <typename Take>
void AppendInNameOrder(const std::vector<DirEntry>& entries, std::vector<std::string>& list, Take take) {
  std::vector<std::pair<std::u16string, const std::string*>> taken;  // each name with its key
  for (const DirEntry& entry : entries)
    if (take(entry)) taken.emplace_back(NameOrderKey(entry.name), &entry.name);
  std::sort(taken.begin(), taken.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : *a.second < *b.second;
  });
  for (const auto& [key, name] : taken) list.push_back(*name);
}

}  // namespace

std::uint32_t ListingAttributeMask(bool includeHidden) {
  const std::uint32_t mask = kAttrReadOnly | kAttrDirectory | kAttrArchive;
  return includeHidden ? mask | kAttrHidden : mask;
}

bool PassesAttributeMask(const DirEntry& entry, std::uint32_t mask) {
  if ((entry.attributes & mask) == 0) return false;
  if ((entry.attributes & kExclusiveAttributes & ~mask) != 0) return false;
  return !IsDotEntry(entry.name);
}

bool HasExtension(const std::string& name, const char* extension) {
  return name.size() >= std::strlen(extension) && EndsWithTextAscii(name, extension);
}

void ListShortcutEntries(const std::vector<DirEntry>& entries, std::vector<std::string>& list,
                         bool includeHidden, bool includeFolders) {
  const std::uint32_t mask = ListingAttributeMask(includeHidden);
  if (includeFolders) {
    AppendInNameOrder(entries, list, [&](const DirEntry& entry) {
      return (entry.attributes & kAttrDirectory) && PassesAttributeMask(entry, mask);
    });
  }
  for (const char* extension : kShortcutPatterns) {
    AppendInNameOrder(entries, list, [&](const DirEntry& entry) {
      return HasExtension(entry.name, extension) && PassesAttributeMask(entry, mask);
    });
  }
}

bool HasShortcutEntries(const std::vector<DirEntry>& entries) {
  const std::uint32_t mask = ListingAttributeMask(false);
  for (const DirEntry& entry : entries) {
    if (!PassesAttributeMask(entry, mask)) continue;
    if (entry.attributes & kAttrDirectory) return true;
    if (HasExtension(entry.name, ".LNK") || HasExtension(entry.name, ".PIF") ||
        HasExtension(entry.name, ".URL"))
      return true;
  }
  return false;
}

}  // namespace wendlix
