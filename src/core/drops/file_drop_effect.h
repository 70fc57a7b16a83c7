// What a drag of files over a shortcut group may do: the bar only links, and refuses files
// dragged out of the root folder of drive C.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wendlix {

// Drop effects as OLE numbers them.
enum DropEffect : std::uint32_t { deNone = 0, deCopy = 1, deMove = 2, deLink = 4 };

// The folder part of the first dragged path (through its last "\" or ":"; empty when it has
// none), or nullopt when the list holds no path, so that DragSourceDir keeps its value.
std::optional<std::string> DragSourceDirOf(const std::vector<std::string>& files);

// Link when the source offers it, none otherwise or for files from exactly "C:\".
std::uint32_t FileDropEffect(std::string_view dragSourceDir, std::uint32_t offered);

}  // namespace wendlix
