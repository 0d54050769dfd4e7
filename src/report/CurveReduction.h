#pragma once
#ifndef PLUMEX_LAYER_REPORT
#error "a header of plumex_report, included by a library that does not link it"
#endif
// A curve reduced to what a picture can show: a jet of 1500 disks gives
// 1500 points to a plot a thousand pixels wide, most of them within a
// fraction of a pixel of the line through their neighbours. Drawing only
// the others (Douglas-Peucker in picture pixels) draws the same picture.
#include <QPolygonF>

// The points of line (picture pixels) that lie farther than tolerance
// pixels from the line through the points kept around them; the first and
// last point are always kept, and every dropped point lies within tolerance
// of the reduced line.
QPolygonF ReducedPolyline(const QPolygonF& line, double tolerance);
