#include "reception/ui/TForm4.h"

TForm4::TForm4(QWidget* parent) : QWidget(parent) { setObjectName(QStringLiteral("Form4")); }
