#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// What a model run reports while its results are read: the progress of
// reading, and the stop reason of the jet read last. The GUI implements it
// with the status-bar progress meter; while the model itself runs it follows
// CRunJob's signals and cancels through CRunJob::Cancel. The meter is given
// to the job (CRunJob::SetProgress); a run that waits (RunAndWait, console
// jobs) asks CancelRequested every wait interval.
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
