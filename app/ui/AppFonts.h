#pragma once

namespace orv::ui {
// The windows are laid out for Tahoma 8 pt, which Linux lacks: Tahoma is mapped
// to fonts that shape Persian (Noto Sans Arabic) and cover Latin (DejaVu Sans).
void InstallFonts();
}  // namespace orv::ui
