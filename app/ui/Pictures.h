#pragma once
// The status indicators' pictures, 24 x 24, drawn by the program.
#include <QPixmap>

namespace orv::ui {
QPixmap SuccessPicture();  // a smiling face
QPixmap FailurePicture();  // a sad face
QPixmap PendingPicture();  // a white question mark on a blue disc
}  // namespace orv::ui
