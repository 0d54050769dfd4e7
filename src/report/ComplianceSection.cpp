#include "report/ComplianceSection.h"

#include <QStringList>

#include "farfield/FarFieldText.h"
#include "model/Case.h"

namespace {
QString Esc(const std::string& s) { return QString::fromStdString(s).toHtmlEscaped(); }

QString Row(const QStringList& cells) {
    QString r = "<tr>";
    for (int i = 0; i < cells.size(); ++i)
        r += QString("<td%1>").arg(i == 0 ? " nowrap" : " align=\"right\"") + cells[i] + "</td>";
    return r + "</tr>\n";
}

QString ValueRow(const QString& where, const FarFieldValues& v, const StandardCheck& c, const FarFieldSettings& s) {
    return Row({where, Esc(PlainNumber(v.m_dDistance)), Esc(FixedNumber(v.m_dDilution, 1)),
                Esc(ShortNumber(v.m_dConcentration)) + " " + Esc(s.m_strUnit),
                Esc(FixedNumber(v.m_dTime / 3600.0, 2)) + (v.m_bInNearField ? " (near field)" : ""),
                c.m_bMeets ? "meets the standard" : "<b>does not meet it</b>", Esc(FixedNumber(c.m_dMargin, 2))});
}
}  // namespace

QString ComplianceSectionHtml(const CCase& doc, int number) {
    const FarFieldSettings& s = doc.GetFarField();
    QString h = QString("<h2>%1&nbsp;&nbsp;Mixing zone and far field</h2>\n").arg(number);
    h += "<p>Standard at the edge of the mixing zone, " + Esc(PlainNumber(s.m_dMixingZone)) +
         " m from the diffuser along the current: " + Esc(StandardText(s)) + ".</p>\n";
    for (const OutfallFarField& f : ComputeFarField(doc)) {
        h += "<h3>" + Esc(f.m_strOutfall) + "</h3>\n";
        if (f.m_eStatus != FarFieldStatus::Computed) {
            h += "<p>" + Esc(FarFieldLine(f, s)) + ".</p>\n";
            continue;
        }
        h += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">\n<thead><tr>";
        for (const char* t :
             {"Where", "Distance (m)", "Dilution", "Concentration", "Travel time (h)", "Standard", "Margin"})
            h += QString("<th bgcolor=\"#e8e8e8\">%1</th>").arg(t);
        h += "</tr></thead>\n<tbody>\n";
        h += ValueRow("Edge of the mixing zone", f.m_Edge, f.m_EdgeCheck, s);
        for (const FarFieldPointValues& p : f.m_Points) h += ValueRow(Esc(p.m_strName), p.m_Values, p.m_Check, s);
        h += "</tbody></table>\n";
        h += "<p>" +
             (f.m_dStandardMetAt < 0.0 ? QString("The standard is not met within %1 km of the diffuser.")
                                             .arg(Esc(PlainNumber(FarFieldSettings::kMaxDistance / 1000.0)))
                                       : QString("The standard is first met %1 m from the diffuser.")
                                             .arg(Esc(FixedNumber(f.m_dStandardMetAt, 1)))) +
             " The margin is the factor by which the standard is met (1 or more) or missed.</p>\n";
        const WastefieldStart& st = f.m_Start;
        h += "<p>Assumptions: the wastefield starts where the " + QString::number(st.m_nJets) +
             " computed jets of the outfall end, " + Esc(FixedNumber(st.m_dAlong, 1)) +
             " m from the diffuser along the current, " + Esc(FixedNumber(st.m_dWidth, 1)) +
             " m wide across the current at " + Esc(FixedNumber(st.m_dDepth, 1)) +
             " m depth, with the lowest flux-average dilution of the jet ends (" + Esc(FixedNumber(st.m_dDilution, 1)) +
             ", the conservative choice) and the longest near-field travel time (" +
             Esc(FixedNumber(st.m_dTime / 3600.0, 2)) + " h). It is carried by the current at its depth, " +
             Esc(FixedNumber(f.m_dCurrent, 3)) +
             " m/s from the ambient profile, and spreads across it by the 4/3 law (Brooks 1960) with the "
             "spreading coefficient " +
             Esc(PlainNumber(s.m_dAlpha)) + " m<sup>2/3</sup>/s (beta " + Esc(ShortNumber(f.m_dBeta)) +
             "); the dilutions are those of its centreline. The effluent holds " +
             Esc(ShortNumber(s.m_dEffluentConcentration)) + " " + Esc(s.m_strUnit) +
             (s.m_dT90Hours > 0.0 ? ", which dies off tenfold every " + Esc(PlainNumber(s.m_dT90Hours)) + " h (T90)."
                                  : ", a conservative substance (no decay).") +
             "</p>\n";
    }
    return h;
}
