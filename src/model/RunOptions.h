#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// How the jet model computes every jet of a case: in continuous mode or not,
// the most time steps a jet may take, and whether the plumes of neighbouring
// ports of an outfall merge. The case file keeps them in its
// own stream beside the case stream, as text lines "name value"; a name this
// program does not know is passed over, so a later one may add its own.
#include <string>

struct RunOptions {
    static constexpr int kMinTimeSteps = 1;
    static constexpr int kMaxTimeSteps = 5000;
    static constexpr int kDefaultTimeSteps = 1500;

    bool m_bContinuous = false;
    int m_nMaxTimeSteps = kDefaultTimeSteps;
    // A stream without the line (written before it was kept) merges.
    bool m_bMergePlumes = true;
};

std::string FormatRunOptions(const RunOptions& options);
// False, with the line's name and what it must be, when a known name holds a
// value the case may not hold; options is then unchanged.
bool ParseRunOptions(const std::string& text, RunOptions& options, std::string& error);
