// What the running program holds, for leak hunts: GUI object counts, live windows, the handles
// of its own wrappers and its private memory. Each figure says where it came from, because Wine
// answers some system queries with zero: there the GDI count comes from the process's GDI handle
// table and private memory from a walk over the committed private pages.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace wendlix {

struct ResourceCounts {
  long GuiGdi = 0;  // GetGuiResources, 0 where it is not implemented
  long GuiUser = 0;
  long GdiTable = -1;  // live entries of the GDI handle table; -1 where it cannot be read
  long Windows = 0;    // windows of this process: top-level and their children
  long OwnGdi = 0;     // live handles of the program's own wrappers
  long OwnUser = 0;
  long OwnKernel = 0;
  std::uint64_t PrivateBytes = 0;      // the system's private usage, 0 where it is not implemented
  std::uint64_t CommittedPrivate = 0;  // committed private pages, summed by VirtualQuery
};

ResourceCounts SampleResourceCounts();

// The GDI objects that stand for the process: GetGuiResources where it answers, else the table count.
long GdiObjects(const ResourceCounts& c);
// Private memory: the system's figure where it answers, else the committed private pages.
std::uint64_t PrivateMemory(const ResourceCounts& c);

// One "name<TAB>value" line per figure, the figures the leak checks use first:
// gdi, windows, own-gdi, own-user, own-kernel, private, then the raw sources.
std::string DescribeResourceCounts(const ResourceCounts& c);

// Live entries of a GDI handle table laid out as Wine's (24-byte entries, a type byte at offset 14),
// `entries` long; exposed for tests.
long CountGdiTableEntries(const void* table, std::size_t entries);

}  // namespace wendlix
