// The running bar's read-only report of what it shows, for tests and tools that cannot
// see drawn buttons: one line per element, fields separated by tabs, rectangles as
// "left,top,right,bottom" in the main window's client coordinates.
//
//   edge       <edge number>
//   client     <width> <height>
//   logo       <rect>
//   btntitle   <rect>
//   btnsys     <rect>  <caption>
//   bevel      <rect>
//   coolbar    <rect>  vertical|horizontal
//   panelbtn   <rect>
//   group      <band> <title> <kind> <shown 0|1> <band rect> <header rect> <panel rect>
//              <band text> <band image> <tooltip>
//   button     <band> <child> <tag> <shown> <rect> <caption> <hint> <folder 0|1>
//              <flat draw 0|1> <text under 0|1>
//   collapse   <band> <shown> <rect> <glyph>
//   collapsed  <tag> <rect> <caption>
#pragma once
#include <string>
#include <vector>

#include "core/bar/bar_view.h"

namespace wendlix {

std::string DescribeBar(const BarView& view, const std::vector<GroupPanel>& groups);

}  // namespace wendlix
