#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The two pictures of the scenario choice, drawn rather than loaded: a
// section of sea with an outfall pipe on the bed and, with risers, two
// risers whose ports release rising plumes, or, without risers, the ports
// on the pipe itself. 198 x 120 logical pixels, sharp at the given device
// pixel ratio.
#include <QPixmap>

QPixmap DrawScenarioPicture(bool withRisers, qreal devicePixelRatio);
