#pragma once
// The banner along the top of the main window, drawn by the program.
#include <QPixmap>
#include <QSize>

namespace orv::ui {
QPixmap BannerPicture(QSize size);
}  // namespace orv::ui
