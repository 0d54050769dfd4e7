#pragma once
#ifndef PLUMEX_LAYER_REPORT
#error "a header of plumex_report, included by a library that does not link it"
#endif
// Draws a plot with a painter: frame, axes with ticks and titles, the jets'
// curves in their palette colours, the half-width bands, reference levels,
// cut-plane markers, the current arrow and a legend. The report uses it for
// its pictures, which must not need a display.
#include <QImage>
#include <QRectF>

#include "plot/PlotData.h"

class QPainter;

void PaintPlot(QPainter& painter, const QRectF& area, const PlotData& plot);
// The plot drawn on a white image of the given size in pixels.
QImage PlotImage(const PlotData& plot, int width, int height);
