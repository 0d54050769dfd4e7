#pragma once
// What a model run reports while it goes: the progress of reading the
// results, the stop reason of the jet read last, and a cancel query that is
// asked repeatedly while the model program runs. The GUI implements it with
// the status-bar progress bar and a Cancel button (and keeps its windows
// painted inside CancelRequested); batch runs and tests use their own.
#include <string>

class CRunProgress {
public:
    virtual ~CRunProgress() = default;
    // A new range of positions; the meter shows position - lower of upper - lower.
    virtual void Begin(int lower, int upper) = 0;
    virtual void SetPosition(int position) = 0;
    // The meter is removed.
    virtual void End() = 0;
    // Asked about every wait interval while the model runs; true stops it.
    virtual bool CancelRequested() { return false; }
    // The status bar text after a reading (the stop reason of the jet read last).
    virtual void ShowStatus(const std::string&) {}
};
