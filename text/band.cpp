#include "text/band.h"

#include <cmath>

namespace kvx::acquisition {
namespace {

double toNanoUnits(double value) { return std::round(value * 1e9); }

}  // namespace

bool outsideBand(double value, double centre, double halfWidth) {
    double v = toNanoUnits(value);
    return v < toNanoUnits(centre - halfWidth) || v > toNanoUnits(centre + halfWidth);
}

}  // namespace kvx::acquisition
