#include "study/StudyRecord.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "study/CsvFields.h"

namespace {
constexpr int kFields = 10;

std::string Number(double v) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.6g", v);
    return buf;
}

bool ReadNumber(const std::string& text, double& v) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    v = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && errno != ERANGE && std::isfinite(v);
}
}  // namespace

std::string StudyRecordHeader() {
    return "condition,jet,rise_m,reaches,end_distance_m,flux_average_dilution,centreline_dilution,travel_time_s,"
           "stop_reason,weight";
}

std::string FormatStudyRecord(const StudyRecord& r) {
    std::string s = CsvField(r.m_strCondition) + "," + CsvField(r.m_strJet) + ",";
    if (r.m_bComputed) {
        s += Number(r.m_dRise) + "," + (r.m_bSurface ? "surface" : "trap") + "," + Number(r.m_dEndDistance) + "," +
             Number(r.m_dFluxDilution) + "," + Number(r.m_dCentreDilution) + "," + Number(r.m_dTravelTime) + ",";
    } else {
        s += ",,,,,,";
    }
    return s + CsvField(r.m_strStop) + "," + Number(r.m_dWeight);
}

bool ParseStudyRecord(const std::string& line, StudyRecord& r, std::string& error) {
    std::vector<std::string> f;
    if (!SplitCsvLine(line, f) || f.size() != kFields) {
        error = "not a row of study results";
        return false;
    }
    r = StudyRecord();
    r.m_strCondition = f[0];
    r.m_strJet = f[1];
    r.m_strStop = f[8];
    if (!ReadNumber(f[9], r.m_dWeight)) {
        error = "weight: not a number";
        return false;
    }
    if (f[3].empty()) return true;  // nothing computed
    if (f[3] != "surface" && f[3] != "trap") {
        error = "reaches: neither surface nor trap";
        return false;
    }
    r.m_bComputed = true;
    r.m_bSurface = f[3] == "surface";
    double* const numbers[] = {&r.m_dRise, &r.m_dEndDistance, &r.m_dFluxDilution, &r.m_dCentreDilution,
                               &r.m_dTravelTime};
    const int columns[] = {2, 4, 5, 6, 7};
    for (int i = 0; i < 5; ++i) {
        if (!ReadNumber(f[columns[i]], *numbers[i])) {
            error = "column " + std::to_string(columns[i] + 1) + ": not a number";
            return false;
        }
    }
    return true;
}

StudyRecord AsWritten(const StudyRecord& r) {
    StudyRecord out;
    std::string error;
    ParseStudyRecord(FormatStudyRecord(r), out, error);
    return out;
}
