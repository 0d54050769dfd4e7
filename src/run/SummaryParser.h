#pragma once
#ifndef PLUMEX_LAYER_RUN
#error "a header of plumex_run, included by a library that does not link it"
#endif
// One jet page of the model's summary file "Suspend".
#include <cstdio>
#include <string>

struct CKeyParameters;
class CPrompt;

// Reads the next jet page into the record (left as it was when the page
// cannot be read); messages go to the prompt. stopReason is the stop reason
// read last: a rejected jet sets it to the model's reason, a page read to
// the end sets it to its stop reason (empty when it has none), and a page
// that cannot be read sets it to kUnreadablePageReason.
bool ParseSummaryBlock(CKeyParameters& record, std::FILE* file, CPrompt& prompt, std::string& stopReason);
