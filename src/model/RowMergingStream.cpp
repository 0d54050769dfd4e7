#include "model/RowMergingStream.h"

#include <charconv>
#include <cmath>
#include <sstream>
#include <vector>

#include "model/Case.h"
#include "model/SettingText.h"

namespace {
constexpr char kJet[] = "jet";

bool ReadDouble(const std::string& text, double& v) { return ReadWholeNumber(text, v) && std::isfinite(v); }

bool ReadInt(const std::string& text, long long& v) {
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, v);
    return r.ec == std::errc() && r.ptr == end;
}

// One line read into a row; false when it is not one.
bool ParseLine(const std::string& line, long long& jet, CRowMerging& row) {
    std::istringstream in(line);
    std::string name, value;
    if (!(in >> name >> value) || name != kJet || !ReadInt(value, jet) || jet < 0) return false;
    long long ports = 0, merged = 0;
    bool havePorts = false;
    while (in >> name >> value) {
        double* field = nullptr;
        if (name == "ports") {
            if (!ReadInt(value, ports) || ports < 1 || ports > 100000000) return false;
            havePorts = true;
        } else if (name == "merged") {
            if (!ReadInt(value, merged) || (merged != 0 && merged != 1)) return false;
        } else if (name == "spacing") field = &row.m_dSpacing;
        else if (name == "axis") field = &row.m_dAxisDeg;
        else if (name == "arc") field = &row.m_dArc;
        else if (name == "x") field = &row.m_dX;
        else if (name == "z") field = &row.m_dZ;
        else if (name == "dilution") field = &row.m_dDilution;
        else if (name == "half_width") field = &row.m_dHalfWidth;
        else if (name == "half_length") field = &row.m_dHalfLength;
        if (field && !ReadDouble(value, *field)) return false;
    }
    if (!havePorts) return false;
    row.m_nPorts = static_cast<int>(ports);
    row.m_bMerged = merged == 1;
    return true;
}
}  // namespace

std::string FormatRowMergingStream(const CCase& doc) {
    std::string text;
    int n = 0;
    doc.ForEachJet([&](int, int, int, const CRiser&, const CBase&, const CJet& j) {
        const CRowMerging& r = j.m_KeyParams.m_Row;
        if (r.HasRow() && j.GetSteps() > 0) {
            text += std::string(kJet) + " " + std::to_string(n) + " ports " + std::to_string(r.m_nPorts) + " spacing " +
                    ShortestNumber(r.m_dSpacing) + " axis " + ShortestNumber(r.m_dAxisDeg) + " merged " +
                    (r.m_bMerged ? "1" : "0");
            if (r.m_bMerged)
                text += " arc " + ShortestNumber(r.m_dArc) + " x " + ShortestNumber(r.m_dX) + " z " +
                        ShortestNumber(r.m_dZ) + " dilution " + ShortestNumber(r.m_dDilution) + " half_width " +
                        ShortestNumber(r.m_dHalfWidth) + " half_length " + ShortestNumber(r.m_dHalfLength);
            text += "\n";
        }
        ++n;
    });
    return text;
}

int ApplyRowMergingStream(const std::string& text, CCase& doc) {
    std::vector<CJet*> jets;
    doc.ForEachJet([&jets](int, int, int, CRiser&, CBase&, CJet& j) { jets.push_back(&j); });
    std::istringstream lines(text);
    std::string line;
    int applied = 0;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        long long k = -1;
        CRowMerging row;
        if (!ParseLine(line, k, row) || k >= static_cast<long long>(jets.size())) continue;
        CJet& jet = *jets[static_cast<std::size_t>(k)];
        // A row that does not belong to the results the jet holds (written by
        // another program, or for another case) is not taken.
        if (jet.GetSteps() <= 0 || jet.m_KeyParams.m_nPorts != row.m_nPorts) continue;
        jet.m_KeyParams.m_Row = row;
        ++applied;
    }
    return applied;
}
