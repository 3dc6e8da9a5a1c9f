// The day's results: placeholders until the results area fills them in.
#include "app/ui/Tmainform.h"

void Tmainform::PrepareGrid() {}

void Tmainform::SolarDatePicker1Change() {}
