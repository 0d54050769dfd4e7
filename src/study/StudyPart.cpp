#include "study/StudyPart.h"

#include <QCryptographicHash>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>

#include "study/StudyRecord.h"

bool ParsePartSpec(const std::string& text, int& part, int& parts) {
    int n = 0;
    if (std::sscanf(text.c_str(), "%d/%d%n", &part, &parts, &n) != 2 || n != static_cast<int>(text.size()))
        return false;
    return part >= 1 && parts >= 1 && part <= parts;
}

void SliceOf(std::size_t total, int part, int parts, std::size_t& first, std::size_t& end) {
    const auto k = static_cast<unsigned long long>(parts);
    first = static_cast<std::size_t>(total * static_cast<unsigned long long>(part - 1) / k);
    end = static_cast<std::size_t>(total * static_cast<unsigned long long>(part) / k);
}

bool FileChecksum(const std::string& path, std::string& sum, std::string& error) {
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) {
        error = path + ": cannot be read: " + f.errorString().toStdString();
        return false;
    }
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&f)) {
        error = path + ": cannot be read";
        return false;
    }
    sum = hash.result().toHex().toStdString();
    return true;
}

std::string PartHeaderLine(const StudyPartInfo& info) {
    return "# plumex-study case=" + info.m_strCaseSum + " conditions=" + info.m_strConditionsSum +
           " part=" + std::to_string(info.m_nPart) + "/" + std::to_string(info.m_nParts) +
           " first=" + std::to_string(info.m_nFirst) + " count=" + std::to_string(info.m_nCount) +
           " total=" + std::to_string(info.m_nTotal);
}

bool ParsePartHeaderLine(const std::string& line, StudyPartInfo& info) {
    char caseSum[65] = {0}, condSum[65] = {0};
    unsigned long long first = 0, count = 0, total = 0;
    int n = 0;
    if (std::sscanf(line.c_str(),
                    "# plumex-study case=%64[0-9a-f] conditions=%64[0-9a-f] part=%d/%d first=%llu count=%llu "
                    "total=%llu%n",
                    caseSum, condSum, &info.m_nPart, &info.m_nParts, &first, &count, &total, &n) != 7 ||
        n != static_cast<int>(line.size()))
        return false;
    info.m_strCaseSum = caseSum;
    info.m_strConditionsSum = condSum;
    info.m_nFirst = first;
    info.m_nCount = count;
    info.m_nTotal = total;
    std::size_t f = 0, e = 0;
    if (info.m_nPart < 1 || info.m_nPart > info.m_nParts) return false;
    SliceOf(info.m_nTotal, info.m_nPart, info.m_nParts, f, e);
    return f == info.m_nFirst && e - f == info.m_nCount;
}

namespace {
bool ReadLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

struct Part {
    std::string m_strPath;
    StudyPartInfo m_Info;
    std::unique_ptr<std::ifstream> m_pIn;
};
}  // namespace

bool MergeStudyParts(const std::vector<std::string>& paths, const std::function<void(const std::string&)>& line,
                     std::string& error) {
    if (paths.empty()) {
        error = "no part given";
        return false;
    }
    std::vector<Part> parts;
    for (const auto& path : paths) {
        Part p;
        p.m_strPath = path;
        p.m_pIn = std::make_unique<std::ifstream>(path, std::ios::binary);
        std::string first, header;
        if (!*p.m_pIn) {
            error = path + ": cannot be read";
            return false;
        }
        if (!ReadLine(*p.m_pIn, first) || !ParsePartHeaderLine(first, p.m_Info)) {
            error = path + ": line 1: not the results of a study part";
            return false;
        }
        if (!ReadLine(*p.m_pIn, header) || header != StudyRecordHeader()) {
            error = path + ": line 2: not the header of study results";
            return false;
        }
        const StudyPartInfo& a = parts.empty() ? p.m_Info : parts.front().m_Info;
        if (p.m_Info.m_strCaseSum != a.m_strCaseSum) {
            error = path + ": a part of a study of another case file than " + parts.front().m_strPath;
            return false;
        }
        if (p.m_Info.m_strConditionsSum != a.m_strConditionsSum || p.m_Info.m_nTotal != a.m_nTotal) {
            error = path + ": a part of a study of another conditions file than " + parts.front().m_strPath;
            return false;
        }
        if (p.m_Info.m_nParts != a.m_nParts) {
            error = path + ": a part of " + std::to_string(p.m_Info.m_nParts) + " where " + parts.front().m_strPath +
                    " is a part of " + std::to_string(a.m_nParts);
            return false;
        }
        for (const auto& q : parts) {
            if (q.m_Info.m_nPart == p.m_Info.m_nPart) {
                error = path + ": part " + std::to_string(p.m_Info.m_nPart) + " given twice (also " + q.m_strPath + ")";
                return false;
            }
        }
        parts.push_back(std::move(p));
    }
    const int k = parts.front().m_Info.m_nParts;
    if (static_cast<int>(parts.size()) != k) {
        std::string missing;
        for (int i = 1; i <= k; ++i) {
            if (std::none_of(parts.begin(), parts.end(), [i](const Part& p) { return p.m_Info.m_nPart == i; }))
                missing += (missing.empty() ? "" : ", ") + std::to_string(i);
        }
        error = "missing part(s) " + missing + " of " + std::to_string(k);
        return false;
    }
    std::sort(parts.begin(), parts.end(),
              [](const Part& a, const Part& b) { return a.m_Info.m_nPart < b.m_Info.m_nPart; });
    StudyPartInfo whole = parts.front().m_Info;
    whole.m_nPart = whole.m_nParts = 1;
    whole.m_nFirst = 0;
    whole.m_nCount = whole.m_nTotal;
    line(PartHeaderLine(whole));
    line(StudyRecordHeader());
    for (auto& p : parts) {
        std::string row, last;
        std::size_t conditions = 0;
        int lineNo = 2;
        while (ReadLine(*p.m_pIn, row)) {
            ++lineNo;
            StudyRecord r;
            std::string why;
            if (!ParseStudyRecord(row, r, why)) {
                error = p.m_strPath + ": line " + std::to_string(lineNo) + ": " + why;
                return false;
            }
            if (conditions == 0 || r.m_strCondition != last) ++conditions;
            last = r.m_strCondition;
            line(row);
        }
        if (conditions != p.m_Info.m_nCount) {
            error = p.m_strPath + ": holds " + std::to_string(conditions) + " conditions where its slice has " +
                    std::to_string(p.m_Info.m_nCount);
            return false;
        }
    }
    return true;
}
