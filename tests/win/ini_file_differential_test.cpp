// Our profile store against the system's profile functions (GetPrivateProfileStringA and
// friends) on a corpus of awkward files, with code page 936 as the ANSI code page:
// every section list, key list and value must match byte for byte, and files edited
// by each side must read the same afterwards. Where the two differ on purpose, the
// difference is listed below with its reason; anything else fails.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/platform/file_io.h"
#include "core/profile/ini_file.h"
#include "support/win_test_support.h"
#include "win/common/wide.h"

namespace wendlix {
namespace {

// ---- accepted differences ----

struct Accepted {
  const char* file;     // "*": every file
  const char* context;  // must occur in the comparison's context; "": any
  const char* section;  // "*": every section; ANSI bytes
  const char* key;      // "*": every key; "<sections>", "<keys>" for the listings
  const char* reason;
};

constexpr const char* kComment =
    "a ';' line is a comment, not a key: the system lets a lookup of the exact ';name' find it";
constexpr const char* kTrailByte =
    "a lead byte before an invalid trail byte decodes to '?' alone; the system swallows the next byte too";
constexpr const char* kEmptyName =
    "a line '=value' has no key name: nobody can ask for it and it could not be written back; the system "
    "lists an empty name (which ends a double-NUL list early anyway)";
constexpr const char* kQuoted =
    "a value with outer blanks or outer quotes is written inside one more pair of quotes so that it reads "
    "back as written; the system writes it bare and reads back something else";
constexpr const char* kEraseAll =
    "erasing a section removes every section of that name; the system removes the first and lets a stale "
    "duplicate take its place";
constexpr const char* kLongValue = "the system's rewrite corrupts a 60,000-character value; ours keeps it";

const Accepted kAccepted[] = {
    {"comments.ini", "", "a", ";k", kComment},
    {"comments.ini", "", "a", ";K", kComment},
    {"comments.ini", "", "a", ";j", kComment},
    {"comments.ini", "", "a", ";J", kComment},
    {"gbk_invalid.ini", "", "a", "j", kTrailByte},
    {"gbk_invalid.ini", "", "a", "J", kTrailByte},
    {"key_forms.ini", "", "a", "<keys>", kEmptyName},
    {"key_forms.ini", "", "a", "", kEmptyName},
    {"*", "after spaces (both files)", "*", "*", kQuoted},
    {"*", "after quoted (both files)", "*", "*", kQuoted},
    {"dup_sections.ini", "after erase section (both files)", "*", "*", kEraseAll},
    {"case.ini", "after erase section (both files)", "*", "*", kEraseAll},
    {"utf16le_quotes.ini", "after same (both files)", "a", "q", kQuoted},
    {"long_line.ini", "after same (both files)", "a", "long", kLongValue},
};

// ---- conversions as the A functions do them ----

std::string ToAnsi(std::string_view utf8) {
  const std::wstring wide = ToWide(utf8);
  const int n = static_cast<int>(wide.size());
  std::string out(n ? WideCharToMultiByte(CP_ACP, 0, wide.data(), n, nullptr, 0, nullptr, nullptr) : 0, '\0');
  if (n)
    WideCharToMultiByte(CP_ACP, 0, wide.data(), n, out.data(), static_cast<int>(out.size()), nullptr,
                        nullptr);
  return out;
}

std::string FromAnsi(std::string_view ansi) {
  const int n = static_cast<int>(ansi.size());
  std::wstring wide(n ? MultiByteToWideChar(CP_ACP, 0, ansi.data(), n, nullptr, 0) : 0, L'\0');
  if (n) MultiByteToWideChar(CP_ACP, 0, ansi.data(), n, wide.data(), static_cast<int>(wide.size()));
  return FromWide(wide);
}

std::vector<std::string> ToAnsi(const std::vector<std::string>& utf8) {
  std::vector<std::string> out;
  for (const std::string& s : utf8) out.push_back(ToAnsi(s));
  return out;
}

std::string Join(const std::vector<std::string>& items) {
  std::string out;
  for (const std::string& s : items) out += "[" + s + "]";
  return out;
}

// ---- the two readers: the system's A functions on a file, and ours; names and values in ANSI ----

struct Reader {
  std::function<std::vector<std::string>()> sections;
  std::function<std::vector<std::string>(const std::string&)> keys;
  std::function<std::string(const std::string&, const std::string&)> read;
};

constexpr DWORD kBufferSize = 1 << 20;

// A double-NUL list or a value the system wrote into the shared buffer.
std::vector<std::string> SplitList(const std::vector<char>& buffer, DWORD length) {
  std::vector<std::string> items;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= length; ++i) {
    if (i == length ? start < length : buffer[i] == '\0') {
      items.emplace_back(buffer.data() + start, i - start);
      start = i + 1;
    }
  }
  return items;
}

Reader SystemReader(const std::string& path) {
  static std::vector<char> buffer(kBufferSize);
  return {
      [path] {
        return SplitList(buffer, GetPrivateProfileSectionNamesA(buffer.data(), kBufferSize, path.c_str()));
      },
      [path](const std::string& section) {
        return SplitList(buffer, GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                                          kBufferSize, path.c_str()));
      },
      [path](const std::string& section, const std::string& key) {
        return std::string(buffer.data(), GetPrivateProfileStringA(section.c_str(), key.c_str(), "<default>",
                                                                   buffer.data(), kBufferSize, path.c_str()));
      }};
}

Reader OurReader(const IniFile& ini) {
  return {[&ini] { return ToAnsi(ini.ReadSections()); },
          [&ini](const std::string& section) { return ToAnsi(ini.ReadSection(FromAnsi(section))); },
          [&ini](const std::string& section, const std::string& key) {
            return ToAnsi(ini.ReadString(FromAnsi(section), FromAnsi(key), "<default>"));
          }};
}

class ProfileDifferentialTest : public testing::Test {
 protected:
  void SetUp() override {
    if (GetACP() != 936)
      GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 936 (run with zh_CN.UTF-8)";
    wchar_t data[MAX_PATH * 2];
    const DWORD n = GetEnvironmentVariableW(L"WENDLIX_TEST_DATA", data, MAX_PATH * 2);
    if (n > 0 && n < MAX_PATH * 2) source_ = FromWide(std::wstring_view(data, n)) + "\\profile\\";
    files_ = testing_support::FileNames(source_, "*.ini");
    if (source_.empty() || files_.empty()) GTEST_SKIP() << "no corpus (set WENDLIX_TEST_DATA)";
  }

  // A fresh copy under a name of its own, so the system's profile cache never mixes two.
  std::string Copy(const std::string& file, const std::string& tag) {
    const std::string target = work_ / (tag + "_" + file);
    EXPECT_TRUE(CopyFileW(ToWide(source_ + file).c_str(), ToWide(target).c_str(), FALSE)) << file;
    return target;
  }

  // Records a difference; fails unless it is accepted.
  void Compare(const std::string& file, const std::string& section, const std::string& key,
               const std::string& expected, const std::string& actual, const std::string& context) {
    if (expected == actual) return;
    for (const Accepted& a : kAccepted) {
      if ((std::string(a.file) == "*" || file == a.file) && context.find(a.context) != std::string::npos &&
          (std::string(a.section) == "*" || section == a.section) &&
          (std::string(a.key) == "*" || key == a.key)) {
        ++accepted_[a.reason];
        return;
      }
    }
    ADD_FAILURE() << context << " " << file << " [" << testing::PrintToString(section) << "] "
                  << testing::PrintToString(key) << "\n  system: " << testing::PrintToString(expected)
                  << "\n  other:  " << testing::PrintToString(actual);
  }

  // Every listing and value either reader shows (and every probe name), the system's reader first.
  void CompareReads(const std::string& file, const Reader& system, const Reader& other,
                    const std::string& context) {
    const std::vector<std::string> systemSections = system.sections(), otherSections = other.sections();
    Compare(file, "", "<sections>", Join(systemSections), Join(otherSections), context);
    std::set<std::string> sections(systemSections.begin(), systemSections.end());
    sections.insert(otherSections.begin(), otherSections.end());
    sections.insert(probeSections_.begin(), probeSections_.end());
    for (const std::string& section : sections) {
      const std::vector<std::string> systemKeys = system.keys(section), otherKeys = other.keys(section);
      Compare(file, section, "<keys>", Join(systemKeys), Join(otherKeys), context);
      std::set<std::string> keys(systemKeys.begin(), systemKeys.end());
      keys.insert(otherKeys.begin(), otherKeys.end());
      keys.insert(probeKeys_.begin(), probeKeys_.end());
      for (const std::string& key : keys)
        Compare(file, section, key, system.read(section, key), other.read(section, key), context);
    }
  }

  // Names taken from the file's raw lines, also in other case and with blanks: they
  // reach lines without "=", comments and names the listings would not show.
  void CollectProbes(const std::string& bytes) {
    probeKeys_.clear();
    probeSections_.clear();
    if (bytes.size() > 2048 || bytes.rfind("\xff\xfe", 0) == 0 || bytes.rfind("\xef\xbb\xbf", 0) == 0) return;
    const auto trim = [](std::string s) {
      const char* blanks = " \t\x0b\x0c\x1a";
      s.erase(0, std::min(s.size(), s.find_first_not_of(blanks)));
      s.erase(s.find_last_not_of(blanks) + 1);
      return s;
    };
    for (std::size_t start = 0, end = 0; start < bytes.size(); start = end + 1) {
      end = std::min(bytes.size(), bytes.find_first_of("\r\n", start));
      const std::string line = trim(bytes.substr(start, end - start));
      if (line.empty() || line.find('\0') != std::string::npos) continue;
      std::string upper = line.substr(0, line.find('='));
      for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
      probeKeys_.insert({line, trim(line.substr(0, line.find('='))), trim(upper)});
      if (line[0] == '[' && line.size() > 2) probeSections_.insert(trim(line.substr(1, line.size() - 2)));
    }
    probeKeys_.erase("");
    probeSections_.erase("");
  }

  void PrintAccepted() {
    for (const auto& [reason, count] : accepted_) std::printf("  accepted %4d x %s\n", count, reason.c_str());
  }

  std::string source_;
  const testing_support::TempFolder work_{"profile_diff"};
  std::vector<std::string> files_;
  std::set<std::string> probeKeys_;
  std::set<std::string> probeSections_;
  std::map<std::string, int> accepted_;
};

TEST_F(ProfileDifferentialTest, ReadsMatchTheSystem) {
  EXPECT_GE(files_.size(), 30u);
  for (const std::string& file : files_) {
    const std::string path = Copy(file, "r");
    CollectProbes(platform::ReadWholeFile(path).value_or(""));
    const IniFile ours(path);
    CompareReads(file, SystemReader(path), OurReader(ours), "read");
  }
  PrintAccepted();
}

struct WriteOp {
  const char* name;
  const char* section;  // nullptr: the file's first section
  const char* key;      // nullptr: the section's first key; "" : erase the section
  const char* value;    // nullptr: delete the key
};

TEST_F(ProfileDifferentialTest, EditedFilesReadTheSame) {
  const WriteOp ops[] = {
      {"update", nullptr, nullptr, "new value"},
      {"same", nullptr, nullptr, "\x01same"},
      {"add key", nullptr, "Added", "1"},
      {"add section", "NewSection", "k", "v"},
      {"gbk", nullptr, nullptr, "\xcb\xce\xcc\xe5"},
      {"spaces", nullptr, nullptr, " spaced "},
      {"quoted", nullptr, nullptr, "\"q\""},
      {"delete key", nullptr, nullptr, nullptr},
      {"erase section", nullptr, "", nullptr},
      {"missing", "NoSuchSection", "k", nullptr},
  };
  int step = 0;
  for (const std::string& file : files_) {
    const std::string original = Copy(file, "o");
    const Reader system = SystemReader(original);
    const std::vector<std::string> sections = system.sections();
    const std::string firstSection = sections.empty() ? "Fresh" : sections.front();
    const std::vector<std::string> keys = system.keys(firstSection);
    const std::string firstKey = keys.empty() ? "FreshKey" : keys.front();
    probeKeys_.clear();
    probeSections_.clear();
    for (const WriteOp& op : ops) {
      const std::string section = op.section ? op.section : firstSection;
      const std::string key = op.key ? op.key : firstKey;
      std::string value = op.value ? op.value : "";
      if (value == "\x01same") value = system.read(section, key);
      const std::string tag = "w" + std::to_string(++step);
      const std::string systemPath = Copy(file, tag + "s");
      const std::string ourPath = Copy(file, tag + "o");
      const char* systemKey = key.empty() ? nullptr : key.c_str();
      const char* systemValue = op.value ? value.c_str() : nullptr;
      WritePrivateProfileStringA(section.c_str(), systemKey, systemValue, systemPath.c_str());
      WritePrivateProfileStringA(nullptr, nullptr, nullptr, systemPath.c_str());  // flush the cache

      IniFile ours(ourPath);
      bool written = true;
      if (key.empty()) {
        ours.EraseSection(FromAnsi(section));
      } else if (!op.value) {
        ours.DeleteKey(FromAnsi(section), FromAnsi(key));
      } else {
        written = ours.WriteString(FromAnsi(section), FromAnsi(key), FromAnsi(value));
      }
      const std::string context = std::string("after ") + op.name;
      Compare(file, section, key, "written", written ? "written" : "refused", context);
      EXPECT_TRUE(ours.Save()) << file << " " << op.name;
      // The system reads both results; ours must also read what it wrote as the system does.
      const IniFile reread(ourPath);
      CompareReads(file, SystemReader(ourPath), OurReader(reread), context + " (our file)");
      CompareReads(file, SystemReader(systemPath), SystemReader(ourPath), context + " (both files)");
    }
  }
  PrintAccepted();
}

}  // namespace
}  // namespace wendlix
