#include "ResultFiles.h"

#include <cstdio>
#include <fstream>
#include <sstream>

std::string g_strEol = "\r\n";

namespace {
const char* kLeftLabels[13] = {"Total Q", "N. Ports", "Depth",    "Diameter", "Uj", "Ua",   "dp/pa",
                               "po",      "pa",       "V. angle", "H. angle", "Fd", "Uj/Ua"};
const char* kRightLabels[13] = {"Qj", "Mj", "Bj",    "lQ",    "lm",    "lb",   "lM",
                                "Sm", "Sb", "lQ/lm", "lQ/lM", "lm/lb", "lM/lb"};

std::string Format(const char* format, const char* a, const char* b, const char* c, const char* d) {
    char buf[256];
    std::snprintf(buf, sizeof buf, format, a, b, c, d);
    return buf;
}
}  // namespace

SummaryPage::SummaryPage() {
    // Distinct values per cell: left r is 10 + r + 0.25, right r is 100 + r + 0.5.
    for (int r = 0; r < 13; ++r) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.6f", 10.25 + r);
        m_Left.push_back(buf);
        std::snprintf(buf, sizeof buf, "%.6f", 100.5 + r);
        m_Right.push_back(buf);
    }
    m_Left[1] = "1";
}

std::string PageText(const SummaryPage& p) {
    const std::string& e = g_strEol;
    std::ostringstream out;
    out << "1  MARDEX2K  BUOYANT JET MODEL RESULTS" << e << " " << e << " " << e;
    out << " JET NO.    " << p.m_nNumber << e;
    out << " JET NAME:  " << p.m_strName << "   " << e;
    out << " " << e;
    for (int r = 0; r < 13; ++r)
        out << Format(" %-10s= %-18s %-11s= %s", kLeftLabels[r], p.m_Left[r].c_str(), kRightLabels[r],
                      p.m_Right[r].c_str())
            << e;
    out << " " << e;
    out << " NUMBER OF STEPS = " << p.m_nSteps << e;
    out << " COMPUTATIONS CEASE: " << p.m_strReason << e;
    out << " FINAL X = 1.0" << e;
    out << " RISE HEIGHT = 2.0" << e;
    return out.str();
}

std::string RejectedPageText(int number, const std::string& reason, bool separateLine) {
    const std::string& e = g_strEol;
    std::ostringstream out;
    out << "1  MARDEX2K  BUOYANT JET MODEL RESULTS";
    if (separateLine) out << e;
    out << " COMPUTATIONS CEASE FOR:" << e;
    out << " JET NUMBER    " << number << e;
    out << " " << reason << e;
    return out.str();
}

std::string TrajectoryRow(int i, double tag) {
    const double v[12] = {i * 0.5 + tag, -0.1 * i, 0.2 * i, 0.05 + 0.01 * i, 30.0,   45.0, 1.0 / (1 + i),
                          0.02,          0.1 * i,  1.0,     1.0 / (1 + i),   1.0 + i};
    std::string line;
    for (double x : v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, " %9.5f", x);
        line += buf;
    }
    return line;
}

std::string SectionText(int number, const std::string& name, int steps, double tag) {
    const std::string& e = g_strEol;
    char head[128];
    std::snprintf(head, sizeof head, " Jet %4d  %s", number, name.c_str());
    std::string s = head + e;
    s += "      X(M)      Y(M)      Z(M)      B(M)   H.ANGLE   V.ANGLE    VEL(M/S)  THICK(M)   TIME(S)    C.MAX"
         "     C.AVG  DILUTION" +
         e;
    for (int i = 0; i < steps; ++i) s += TrajectoryRow(i, tag) + e;
    return s;
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << text;
}

std::string ReadText(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}
