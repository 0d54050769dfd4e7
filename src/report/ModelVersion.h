#pragma once
#ifndef PLUMEX_LAYER_REPORT
#error "a header of plumex_report, included by a library that does not link it"
#endif
// What the case's jet model program says of itself on --version, for the
// report. Empty when the program cannot be started or does not answer in a
// few seconds.
#include <QString>

class CPlumexDoc;

QString JetModelVersion(CPlumexDoc& doc);
