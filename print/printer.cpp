#include "printer.h"

namespace ScaleUnit {
double twipsPerUnit(std::int16_t unit, Qt::Orientation along, double pixelsPerInch)
{
    switch (unit) {
    case points: return 20;
    case pixels: return 1440 / pixelsPerInch;
    case characters: return along == Qt::Vertical ? 240 : 120;
    case inches: return 1440;
    case millimetres: return 1440 / 25.4;
    case centimetres: return 14400 / 25.4;
    case himetric: return 1440 / 2540.0;
    default: return 1; // twips
    }
}
} // namespace ScaleUnit
