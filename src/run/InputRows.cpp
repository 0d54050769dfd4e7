#include "run/InputRows.h"

#include <cstdio>

#include "model/Case.h"

const char* const kMergingNotComputed =
    "Merging of neighbouring plumes was not computed: the model program does not read port rows.";

namespace {
// The widest port of the outfall.
double WidestPort(const CRiser& outfall) {
    double widest = 0.0;
    for (const auto& riser : outfall.m_Risers)
        for (const auto& jet : riser->m_Jets)
            if (jet->m_dDiameter > widest) widest = jet->m_dDiameter;
    return widest;
}

std::string OverlapText(const CRiser& outfall, const PortRow& row, double diameter) {
    char buf[256];
    std::snprintf(buf, sizeof buf,
                  "The ports of %s are counted %.3g m apart along the outfall, less than the diameter of its widest "
                  "ports (%.3g m): the plumes of ports wider than the spacing were computed without merging.",
                  outfall.m_strName.c_str(), row.m_dSpacing, diameter);
    return buf;
}
}  // namespace

PortRow InputRows::ForJet(int outfall, const CJet& jet) const {
    if (outfall < 0 || outfall >= static_cast<int>(m_Outfalls.size())) return PortRow();
    const PortRow& row = m_Outfalls[outfall];
    if (!row.IsActive() || row.m_dSpacing < jet.m_dDiameter) return PortRow();
    return row;
}

InputRows PlanInputRows(const CCase& doc, const std::function<bool()>& modelReadsRows, int onlyOutfall) {
    InputRows rows;
    rows.m_Outfalls.resize(doc.Outfalls().size());
    if (!doc.MergesPlumes()) return rows;
    bool anyRow = false;
    for (int i = 0; i < doc.GetOutfallCount(); ++i) {
        if (onlyOutfall != -1 && i != onlyOutfall) continue;
        rows.m_Outfalls[i] = OutfallPortRow(doc, *doc.Outfalls()[i]);
        anyRow = anyRow || rows.m_Outfalls[i].IsActive();
    }
    if (!anyRow) return rows;
    if (!modelReadsRows()) {
        rows.m_Outfalls.assign(rows.m_Outfalls.size(), PortRow());
        rows.m_Problems.push_back(kMergingNotComputed);
        return rows;
    }
    for (int i = 0; i < doc.GetOutfallCount(); ++i) {
        const PortRow& row = rows.m_Outfalls[i];
        const double widest = WidestPort(*doc.Outfalls()[i]);
        if (row.IsActive() && row.m_dSpacing < widest)
            rows.m_Problems.push_back(OverlapText(*doc.Outfalls()[i], row, widest));
    }
    return rows;
}
