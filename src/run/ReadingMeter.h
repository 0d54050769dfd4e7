#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// The progress of a reading of results on another thread, for a meter on
// the program's own thread: the reader reports to it as to any meter, and
// Fraction() tells how much of the reading is done, a share that never goes
// back. The reader starts a range per part of the reading (one per jet of
// an all-jets run, one for selected jets); each range is one part of the
// number given, so the share grows from part to part.
#include <mutex>

#include "run/RunProgress.h"

class CReadingMeter : public CRunProgress {
public:
    explicit CReadingMeter(int parts);

    // Called by the reading's thread.
    void Begin(int lower, int upper) override;
    void SetPosition(int position) override;
    void End() override;

    // Any thread: 0 .. 1, at least what it said before.
    double Fraction() const;

private:
    mutable std::mutex m_mutex;
    const int m_nParts;
    int m_nPart = -1;  // the range begun last
    int m_nLower = 0;
    int m_nUpper = 0;
    int m_nPosition = 0;
    bool m_bDone = false;
    mutable double m_dShown = 0.0;
};
