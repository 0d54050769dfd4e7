#include "report/MergingSentence.h"

#include <cmath>

#include "model/Case.h"
#include "model/RowMerging.h"

namespace {
// One value, or "a to b" when the two differ as shown.
QString Range(double lo, double hi, int decimals) {
    const QString a = QString::number(lo, 'f', decimals);
    const QString b = QString::number(hi, 'f', decimals);
    return a == b ? a : a + " to " + b;
}

// Dilutions of ten and more are shown whole, smaller ones to a tenth.
int DilutionDecimals(double v) { return std::fabs(v) >= 10.0 ? 0 : 1; }
}  // namespace

QString MergingSentence(const CRiser& outfall, bool onlyRows) {
    const OutfallRowMerging m = SummarizeRowMerging(outfall);
    if (m.m_nComputed < 2 || (onlyRows && m.m_nInRow == 0)) return QString();
    const QString name = QString::fromStdString(outfall.m_strName);
    if (m.m_nInRow == 0)
        return QString(
                   "The %1 ports of %2 were each computed alone: the jet model was given no row of ports for "
                   "them.")
            .arg(m.m_nComputed)
            .arg(name);
    const QString ports = QString("%1's %2 ports").arg(name).arg(m.m_nPorts);
    if (m.m_nMerged == 0) return QString("The plumes of %1 do not merge before the computation ends.").arg(ports);
    const QString where = QString("merge %1 m above the ports at a dilution of %2")
                              .arg(Range(m.m_dMinZ, m.m_dMaxZ, 1),
                                   Range(m.m_dMinDilution, m.m_dMaxDilution, DilutionDecimals(m.m_dMinDilution)));
    if (m.m_nMerged == m.m_nInRow) return QString("The plumes of %1 %2.").arg(ports, where);
    const int apart = m.m_nInRow - m.m_nMerged;
    const QString rest = apart == 1 ? QString("the plume of the other computed port does not merge")
                                    : QString("those of the other %1 computed ports do not merge").arg(apart);
    return QString("The plumes of %1 of %2 %3; %4.").arg(m.m_nMerged).arg(ports, where, rest);
}

QString MergingOffSentence(const CCase& doc) {
    if (doc.MergesPlumes()) return QString();
    bool anyRow = false;
    doc.ForEachJet([&anyRow](int, int, int, const CRiser&, const CBase&, const CJet& j) {
        anyRow = anyRow || (j.GetSteps() > 0 && j.m_KeyParams.m_Row.HasRow());
    });
    if (anyRow) return QString();
    return "Merging of neighbouring plumes is switched off for this case: every port was computed alone.";
}
