// One jet page of the model's summary file "Suspend": the page start (a line
// beginning with '1'), either a rejection ("COMPUTATIONS CEASE FOR:") or the
// title, the 13-row table of key parameters and length scales, the number of
// steps, the stop reason and the free lines up to the next page (among them
// the merging of the jet's row of ports). Values sit at fixed character
// positions; a line too short to hold a value there is a format error.
#include "run/SummaryParser.h"

#include "run/NotComputedReason.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/Prompt.h"
#include "model/KeyParameters.h"
#include "run/ModelNumber.h"
#include "run/RowLines.h"
#include "run/TextLineReader.h"

namespace {
constexpr const char* kFormatError = "Suspend File Format Error!";
constexpr std::size_t kJetDigitAt = 15;
constexpr std::size_t kTitleAt = 12;
constexpr std::size_t kLeftValueAt = 13;
constexpr std::size_t kRightValueAt = 45;
constexpr std::size_t kStopReasonAt = 21;

// The number starting at pos after blanks: the longest run of digits, '.',
// '-' and 'E' (so "1.5E+03" reads 1.5, as the model's contract has it).
std::string NumberAt(const std::string& line, std::size_t pos) {
    while (pos < line.size() && line[pos] == ' ') ++pos;
    std::size_t end = pos;
    while (end < line.size() && (std::strchr("0123456789.-E", line[end]) != nullptr) && line[end] != '\0') ++end;
    return line.substr(pos, end - pos);
}

// The title: from index 12 up to the last character that is not a blank.
std::string TitleOf(const std::string& line) {
    std::size_t end = line.find_last_not_of(" \t\r\n");
    if (end == std::string::npos || end < kTitleAt) return std::string();
    return line.substr(kTitleAt, end - kTitleAt + 1);
}

// atoi without its undefined overflow: out-of-range values are clamped.
std::int32_t ToInt(const std::string& text) {
    long long v = std::strtoll(text.c_str(), nullptr, 10);
    if (v > INT32_MAX) v = INT32_MAX;
    if (v < INT32_MIN) v = INT32_MIN;
    return static_cast<std::int32_t>(v);
}

struct TableRow {
    std::string left;
    std::string right;
};

// The free lines after the stop reason, up to the next page start (which is
// left to be read next) or the end of the file.
CRowMerging ReadFreeLines(CTextLineReader& file) {
    CRowLines rows;
    std::string line;
    for (;;) {
        const long at = file.Tell();
        if (at < 0 || !file.ReadLine(line)) break;
        if (!line.empty() && line[0] == '1') {
            file.Seek(at);
            break;
        }
        rows.Read(line);
    }
    return rows.Row();
}
}  // namespace

bool ParseSummaryBlock(CKeyParameters& record, std::FILE* stream, CPrompt& prompt, std::string& stopReason) {
    CTextLineReader file(stream);
    std::string line;
    // A page that cannot be read leaves the jet not computed, and says so:
    // the reason read before belongs to another jet.
    const auto formatError = [&prompt, &stopReason] {
        prompt.Inform(kFormatError);
        stopReason = kUnreadablePageReason;
        return false;
    };
    // 1. the page start
    for (;;) {
        if (!file.ReadLine(line)) return formatError();
        if (!line.empty() && line[0] == '1') break;
    }

    // 2. a jet the model rejected: the mark stands on the page start line,
    // or on the line right after it
    bool rejected = line.find("COMPUTATIONS CEASE FOR:") != std::string::npos;
    bool secondLineRead = false;
    if (!rejected) {
        if (!file.ReadLine(line)) return formatError();
        secondLineRead = true;
        rejected = line.find("COMPUTATIONS CEASE FOR:") != std::string::npos;
    }
    if (rejected) {
        std::string numberLine, reason;
        if (!file.ReadLine(numberLine) || numberLine.size() <= kJetDigitAt || !file.ReadLine(reason))
            return formatError();
        stopReason = reason;
        prompt.Inform("Computations Cease for:JET" + std::string(1, numberLine[kJetDigitAt]) + stopReason +
                      " Reported by MARDEX");
        return false;
    }

    // 3. two lines (the first of them read above), the jet number line, the
    // title line (which ends at index 12 for a jet without a name)
    std::string title;
    {
        std::string skip;
        if ((!secondLineRead && !file.ReadLine(skip)) || !file.ReadLine(skip) || !file.ReadLine(skip) ||
            skip.size() <= kTitleAt || !file.ReadLine(line) || line.size() < kTitleAt)
            return formatError();
        title = TitleOf(line);
    }

    // 4. the first table row
    for (;;) {
        if (!file.ReadLine(line)) return formatError();
        if (line.compare(0, 8, " Total Q") == 0) break;
    }

    // 5. thirteen rows, two numbers each
    TableRow rows[13];
    for (int r = 0; r < 13; ++r) {
        if ((r > 0 && !file.ReadLine(line)) || line.size() <= kRightValueAt) return formatError();
        rows[r].left = NumberAt(line, kLeftValueAt);
        rows[r].right = NumberAt(line, kRightValueAt);
    }

    // 6. the number of steps: every digit of the line, in order
    for (;;) {
        if (!file.ReadLine(line)) return formatError();
        if (line.find("NUMBER OF STEPS") != std::string::npos) break;
    }
    long long steps = 0;
    for (char c : line) {
        if (c >= '0' && c <= '9') {
            steps = steps * 10 + (c - '0');
            // More digits than any run can have steps: not a step count.
            if (steps > 100000000) return formatError();
        }
    }

    // 7. the stop reason within the next seven lines
    stopReason.clear();
    for (int n = 0; n < 7; ++n) {
        if (!file.ReadLine(line)) {
            prompt.Inform("No `Computations Cease' output in suspend file!,Please inspect the suspend file!");
            stopReason = kUnreadablePageReason;
            return false;
        }
        if (line.find("COMPUTATIONS CEASE:") != std::string::npos) {
            stopReason = line.size() > kStopReasonAt ? line.substr(kStopReasonAt) : std::string();
            break;
        }
    }
    const CRowMerging row = ReadFreeLines(file);

    // 8. into the record
    auto f = [&rows](int r, bool right) {
        const std::string& text = right ? rows[r].right : rows[r].left;
        return ModelNumber(text.data(), text.data() + text.size());
    };
    std::memset(record.m_szTitle, 0, sizeof record.m_szTitle);
    std::strncpy(record.m_szTitle, title.c_str(), sizeof record.m_szTitle - 1);
    record.m_dTotalQ = f(0, false);
    record.m_dQj = f(0, true);
    record.m_nPorts = ToInt(rows[1].left);
    record.m_dMj = f(1, true);
    record.m_dDepth = f(2, false);
    record.m_dBj = f(2, true);
    record.m_dDiameter = f(3, false);
    record.m_dlQ = f(3, true);
    record.m_dUj = f(4, false);
    record.m_dlm = f(4, true);
    record.m_dUa = f(5, false);
    record.m_dlb = f(5, true);
    record.m_ddpPa = f(6, false);
    record.m_dlM = f(6, true);
    record.m_dpo = f(7, false);
    record.m_dSm = f(7, true);
    record.m_dpa = f(8, false);
    record.m_dSb = f(8, true);
    record.m_dVAngle = f(9, false);
    record.m_dlQlm = f(9, true);
    record.m_dHAngle = f(10, false);
    record.m_dlQlM = f(10, true);
    record.m_dFd = f(11, false);
    record.m_dlmlb = f(11, true);
    record.m_dUjUa = f(12, false);
    record.m_dlMlb = f(12, true);
    record.m_nPad1 = 0;
    record.m_nPad2 = 0;
    record.m_nSteps = static_cast<std::int32_t>(steps);
    record.m_Row = row;
    return true;
}
