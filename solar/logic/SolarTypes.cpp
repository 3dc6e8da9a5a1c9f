#include "solar/logic/SolarTypes.h"

char DividerChar(TDivider divider) {
    switch (divider) {
    case dSlash: return '/';
    case dBackSlash: return '\\';
    case dLine: return '-';
    case dUnderScore: return '_';
    case dDot: return '.';
    case dComma: return ',';
    }
    return '/';
}
