#pragma once
#ifndef PLUMEX_LAYER_REPORT
#error "a header of plumex_report, included by a library that does not link it"
#endif
// What the jet model program says of itself on --version, for the report.
// Empty when the program cannot be started or does not answer in a few
// seconds.
#include <QString>

class CRunSettings;

// The program of these run settings.
QString JetModelVersion(const CRunSettings& settings);
// The program run settings made from the environment and defaults name.
QString JetModelVersion();
