#pragma once
// Whether a reading lies outside a band around a centre value.

namespace kvx::acquisition {

// True when `value` lies below centre - halfWidth or above centre + halfWidth.
// Both sides are rounded to nine decimals first, so a reading that is on an edge
// as shown (2.52 V against 2.8 V +- 10 %, whose computed edge is 2.5199999...)
// counts as in band, as a person reading the labels expects.
bool outsideBand(double value, double centre, double halfWidth);

}  // namespace kvx::acquisition
