#pragma once
// The button pictures of the date picker, drawn by the program itself and
// looked up by resource name: "SCROLLDOWN", "OPENCAL_1", "OPENCAL_2", "OPENCAL_3".
#include <QPixmap>
#include <QString>

#include "solar/logic/SolarTypes.h"

namespace orv::solar {

QString GlyphResourceName(TGlyphType glyph);
// A null picture for an unknown name.
QPixmap LoadGlyphResource(const QString& name);
// The one picture all pickers load their glyph into.
QPixmap& SharedGlyphBitmap();

}  // namespace orv::solar
