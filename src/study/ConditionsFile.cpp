#include "study/ConditionsFile.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <set>

#include "study/CsvFields.h"
#include "validation/CheckSurface.h"
#include "validation/FieldLimits.h"

std::size_t ConditionsFile::SkippedCount() const {
    std::size_t n = 0;
    for (const auto& c : m_Conditions)
        if (!c.Usable()) ++n;
    return n;
}

namespace {
enum Column { kName, kDepth, kValue, kTemperature, kCurrent, kFlowFactor, kCurrentAngle, kWeight, kColumns };

std::string Trim(const std::string& s) {
    const std::size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return std::string();
    const std::size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// A whole field as a number; false for text, an empty field or trailing characters.
bool ToNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && errno != ERANGE;
}

std::string LineError(int line, const std::string& field, const std::string& reason) {
    std::string s = "line " + std::to_string(line) + ": ";
    if (!field.empty()) s += field + ": ";
    return s + reason;
}

class CParser {
public:
    CParser(ConditionsFile& out, std::string& error) : m_out(out), m_error(error) {}

    bool Header(const std::vector<std::string>& fields, int line);
    bool Row(const std::vector<std::string>& fields, int line);
    void Finish() { CloseCondition(); }

private:
    bool Refuse(int line, const std::string& field, const std::string& reason) {
        m_error = LineError(line, field, reason);
        return false;
    }
    // Marks the open condition unusable (its first fault is kept).
    void Fault(int line, const std::string& reason) {
        StudyCondition& c = m_out.m_Conditions.back();
        if (!c.m_strProblem.empty()) return;
        c.m_strProblem = reason;
        c.m_nProblemLine = line;
    }
    // A per-condition value: given on any of its rows, the same wherever given.
    void Setting(int column, const std::string& text, int line, double& target, bool& given, bool (*ok)(double));
    void CloseCondition();

    ConditionsFile& m_out;
    std::string& m_error;
    int m_nIndex[kColumns];
    std::vector<std::string> m_Names;  // the header's column names
    std::set<std::string> m_Seen;      // names of the conditions closed so far
    bool m_bOpen = false;
    bool m_bFlowGiven = false, m_bAngleGiven = false, m_bWeightGiven = false;
    std::size_t m_nRows = 0;
};

bool CParser::Header(const std::vector<std::string>& fields, int line) {
    for (int& i : m_nIndex) i = -1;
    static const char* kKnown[] = {"condition",   "depth",         "",      "temperature", "current",
                                   "flow_factor", "current_angle", "weight"};
    bool salinity = false, density = false;
    for (std::size_t f = 0; f < fields.size(); ++f) {
        const std::string name = Lower(Trim(fields[f]));
        m_Names.push_back(name);
        int column = -1;
        if (name == "salinity" || name == "density") {
            column = kValue;
            (name == "salinity" ? salinity : density) = true;
        } else {
            for (int c = 0; c < kColumns; ++c)
                if (c != kValue && name == kKnown[c]) column = c;
        }
        if (column < 0) {
            if (f == 0)
                return Refuse(line, "",
                              "no header: the first line must name the columns (condition,depth,salinity or "
                              "density,temperature,current)");
            return Refuse(line, name, "unknown column");
        }
        if (salinity && density) return Refuse(line, name, "mixed units: give salinity or density, not both");
        if (m_nIndex[column] >= 0) return Refuse(line, name, "column named twice");
        m_nIndex[column] = static_cast<int>(f);
    }
    static const char* kRequired[] = {"condition", "depth", "salinity or density", "temperature", "current"};
    for (int c = 0; c <= kCurrent; ++c)
        if (m_nIndex[c] < 0)
            return Refuse(
                line, "",
                std::string(m_nIndex[kName] < 0 ? "no header: " : "") + "the column " + kRequired[c] + " is missing");
    m_out.m_bSalinity = salinity;
    m_out.m_bWeighted = m_nIndex[kWeight] >= 0;
    return true;
}

void CParser::Setting(int column, const std::string& text, int line, double& target, bool& given, bool (*ok)(double)) {
    if (m_nIndex[column] < 0 || text.empty()) return;
    const std::string& name = m_Names[m_nIndex[column]];
    double v = 0.0;
    if (!ToNumber(text, v) || !std::isfinite(v) || !ok(v)) {
        Fault(line, name + ": " + (ToNumber(text, v) ? "out of range" : "not a number") + " (" + text + ")");
        return;
    }
    if (given && v != target) {
        Fault(line, name + ": differs from the condition's earlier rows");
        return;
    }
    target = v;
    given = true;
}

void CParser::CloseCondition() {
    if (!m_bOpen) return;
    m_bOpen = false;
    StudyCondition& c = m_out.m_Conditions.back();
    m_Seen.insert(c.m_strName);
    if (!c.Usable()) return;
    // The order rules of the case's own profile (depths are already in order).
    CAmbient ambient;
    ambient.SetRows(c.m_Rows);
    int a = 0, b = 0;
    const int order = ambient.CheckProfile(a, b);
    if (order == -1) {
        c.m_strProblem = "the density falls from level " + std::to_string(a) + " to level " + std::to_string(b) +
                         " (unstable water column)";
        c.m_nProblemLine = c.m_nLine + b - 1;
    } else if (order != 0) {
        c.m_strProblem = ProfileOrderMessage(order, a, b);
        c.m_nProblemLine = c.m_nLine;
    }
}

bool CParser::Row(const std::vector<std::string>& raw, int line) {
    if (++m_nRows > kMaxConditionRows)
        return Refuse(line, "", "more than " + std::to_string(kMaxConditionRows) + " rows");
    if (raw.size() != m_Names.size())
        return Refuse(line, "",
                      std::to_string(raw.size()) + " fields where the header names " + std::to_string(m_Names.size()));
    std::vector<std::string> fields;
    for (const auto& f : raw) fields.push_back(Trim(f));
    const std::string& name = fields[m_nIndex[kName]];
    if (name.empty()) return Refuse(line, "condition", "empty name");
    double depth = 0.0;
    const std::string& depthText = fields[m_nIndex[kDepth]];
    if (!ToNumber(depthText, depth) || !std::isfinite(depth))
        return Refuse(line, "depth", "not a finite number (" + depthText + ")");
    if (depth < 0.0) return Refuse(line, "depth", "negative (" + depthText + ")");

    if (!m_bOpen || name != m_out.m_Conditions.back().m_strName) {
        CloseCondition();
        if (m_Seen.count(name))
            return Refuse(line, "condition", "\"" + name + "\" appears again after another condition");
        StudyCondition c;
        c.m_strName = name;
        c.m_nLine = line;
        m_out.m_Conditions.push_back(std::move(c));
        m_bOpen = true;
        m_bFlowGiven = m_bAngleGiven = m_bWeightGiven = false;
    }
    StudyCondition& c = m_out.m_Conditions.back();
    if (!c.m_Rows.empty() && !(depth > c.m_Rows.back().m_dDepth))
        return Refuse(line, "depth", "not below the condition's previous level (depths must increase)");

    ProfileRow row;
    row.m_dDepth = depth;
    double* const targets[] = {&row.m_dValue, &row.m_dTemperature, &row.m_dCurrent};
    for (int column = kValue; column <= kCurrent; ++column) {
        const std::string& text = fields[m_nIndex[column]];
        const std::string& field = m_Names[m_nIndex[column]];
        double v = 0.0;
        if (!ToNumber(text, v) || !std::isfinite(v)) {
            Fault(line, field + ": not a number (" + text + ")");
            continue;
        }
        // The checks of the profile grid, with the units the header names.
        const std::string message = ProfileCellMessage(column - kDepth, v, m_out.m_bSalinity, CheckSurface::InputBar);
        if (!message.empty()) Fault(line, field + ": " + message);
        *targets[column - kValue] = v;
    }
    c.m_Rows.push_back(row);
    Setting(kFlowFactor, m_nIndex[kFlowFactor] >= 0 ? fields[m_nIndex[kFlowFactor]] : "", line, c.m_dFlowFactor,
            m_bFlowGiven, [](double v) { return v > 0.0 && v <= 100.0; });
    Setting(kCurrentAngle, m_nIndex[kCurrentAngle] >= 0 ? fields[m_nIndex[kCurrentAngle]] : "", line, c.m_dCurrentAngle,
            m_bAngleGiven, [](double v) { return v >= FieldLimits::kAngleMin && v <= FieldLimits::kAngleMax; });
    c.m_bHasCurrentAngle = m_bAngleGiven;
    Setting(kWeight, m_nIndex[kWeight] >= 0 ? fields[m_nIndex[kWeight]] : "", line, c.m_dWeight, m_bWeightGiven,
            [](double v) { return v >= 0.0; });
    return true;
}
}  // namespace

bool ParseConditions(const std::string& text, ConditionsFile& out, std::string& error) {
    out = ConditionsFile();
    error.clear();
    CParser parser(out, error);
    bool header = false;
    int lineNo = 0;
    std::size_t pos = 0;
    std::vector<std::string> fields;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#') continue;
        if (!SplitCsvLine(line, fields)) {
            error = LineError(lineNo, "", "unclosed quote");
            return false;
        }
        if (!header) {
            if (!parser.Header(fields, lineNo)) return false;
            header = true;
            continue;
        }
        if (!parser.Row(fields, lineNo)) return false;
    }
    if (!header) {
        error = "empty file: no header and no condition";
        return false;
    }
    parser.Finish();
    if (out.m_Conditions.empty()) {
        error = "no condition after the header";
        return false;
    }
    return true;
}
