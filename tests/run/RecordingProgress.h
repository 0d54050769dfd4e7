#pragma once
// A progress meter double: records every call; asks to cancel from the
// n-th cancel query on when told to.
#include <string>
#include <vector>

#include "run/RunProgress.h"

class CRecordingProgress : public CRunProgress {
public:
    void Begin(int lower, int upper) override {
        m_Calls.push_back("begin " + std::to_string(lower) + " " + std::to_string(upper));
    }
    void SetPosition(int position) override { m_Calls.push_back("pos " + std::to_string(position)); }
    void End() override { m_Calls.push_back("end"); }
    bool CancelRequested() override {
        ++m_nQueries;
        return m_nCancelAfter >= 0 && m_nQueries > m_nCancelAfter;
    }
    void ShowStatus(const std::string& text) override { m_strStatus = text; }

    std::vector<std::string> m_Calls;
    std::string m_strStatus = "(none)";
    int m_nQueries = 0;
    int m_nCancelAfter = -1;  // never
};
