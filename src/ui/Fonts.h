#pragma once

#include <QFont>

namespace jlex::fonts {

// The window's fonts by their Chinese family names first, then by fonts a
// Linux desktop has, so Chinese and Japanese render wherever the program runs.
QFont song(double points, bool bold = false, bool underline = false); // 宋体
QFont newSong(double points);                                         // 新宋体
QFont youYuan(double points, bool bold = false);                      // 幼圆

// For controls without a font of their own.
QFont windowDefault();

} // namespace jlex::fonts
