#pragma once
// A pop-up menu whose items are drawn centred, as the result grid's menu is
// designed: the captions keep their own spaces, the words stand in the middle.
class QMenu;

namespace orv::ui {

void CentreMenuItems(QMenu* menu);

}  // namespace orv::ui
