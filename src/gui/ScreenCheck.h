#pragma once
#ifndef PLUMEX_LAYER_GUI
#error "a header of plumex_gui, included by a library that does not link it"
#endif
// The start-up check of the screen size: a screen of 800 x 600 or less in
// either dimension gets a question whether to go on.
#include <QSize>
#include <string>

bool ScreenNeedsQuestion(const QSize& screen);
std::string ScreenQuestionText(const QSize& screen);
