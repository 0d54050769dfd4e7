#include "report/CaseReport.h"

#include <QPainter>
#include <cmath>

#include "geometry/CutPlane.h"
#include "model/Case.h"
#include "model/JetLabel.h"
#include "plot/JetSeries.h"
#include "plot/PlotData.h"
#include "report/ComplianceSection.h"
#include "report/MergingSentence.h"
#include "report/PlotPainter.h"
#include "run/NotComputedReason.h"

namespace {
constexpr int kPlotWidth = 1200;  // pixels of a plot picture
constexpr int kPlotHeight = 760;
constexpr int kShownWidth = 600;  // width a plot is shown at in the document (fits A4 and Letter)

QString Esc(const std::string& s) { return QString::fromStdString(s).toHtmlEscaped(); }
QString Fix(double v, int decimals) {
    if (!std::isfinite(v)) return "-";
    return QString::number(v, 'f', decimals);
}
// Where the jet's plume first merges with its neighbours': height above the
// port and dilution there.
QString Merging(const CRowMerging& row) {
    if (!row.HasRow()) return "computed alone";
    if (!row.m_bMerged) return "do not merge";
    return Fix(row.m_dZ, 2) + " m / " + Fix(row.m_dDilution, 1);
}
// Length scales and ratios the model writes as 1.0E10 when they are infinite.
QString Scale(double v, int decimals) { return std::fabs(v) >= 1e9 ? QString("unbounded") : Fix(v, decimals); }

class Html {
public:
    QString& Text() { return m_s; }
    void Heading(int level, const QString& number, const QString& title, bool newPage = false) {
        m_s += QString("<h%1%2>%3&nbsp;&nbsp;%4</h%1>\n")
                   .arg(level)
                   .arg(newPage ? " style=\"page-break-before: always\"" : "")
                   .arg(number, title.toHtmlEscaped());
    }
    void Para(const QString& html) { m_s += "<p>" + html + "</p>\n"; }
    void TableStart(const QStringList& headers) {
        m_s += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\">\n<thead><tr>";
        for (const QString& h : headers) m_s += "<th bgcolor=\"#e8e8e8\">" + h + "</th>";
        m_s += "</tr></thead>\n<tbody>\n";
    }
    void Row(const QStringList& cells) {
        m_s += "<tr>";
        for (int i = 0; i < cells.size(); ++i)
            m_s += QString("<td%1>").arg(i == 0 ? " nowrap" : " align=\"right\"") + cells[i] + "</td>";
        m_s += "</tr>\n";
    }
    void WideRow(const QString& first, const QString& rest, int span) {
        m_s += QString("<tr><td nowrap>%1</td><td colspan=\"%2\">%3</td></tr>\n").arg(first).arg(span).arg(rest);
    }
    void TableEnd() { m_s += "</tbody></table>\n"; }

private:
    QString m_s;
};

struct Builder {
    const CCase& doc;
    const ReportOptions& opt;
    Html h;

    // A jet's cell: its name with its riser (and outfall), escaped.
    QString Label(int outfall, int riser, int jet) const { return Esc(JetLabel(doc, outfall, riser, jet)); }
    ReportDocument out;

    QString Picture(const QImage& image, int shownWidth) {
        const QString name = QString("plumex-picture-%1.png").arg(out.m_Images.size() + 1);
        out.m_Images.emplace_back(name, image);
        return QString("<img src=\"%1\" width=\"%2\">").arg(name).arg(shownWidth);
    }

    void Case(int n) {
        h.Heading(2, QString::number(n), "Case");
        h.TableStart({"Item", "Value"});
        h.Row({"Case", opt.m_strCaseName.toHtmlEscaped()});
        h.Row({"Report date", opt.m_Date.toString(Qt::ISODate).replace('T', ' ')});
        h.Row({"Program", "Plumex " + opt.m_strProgramVersion.toHtmlEscaped()});
        h.Row({"Jet model", opt.m_strModelVersion.isEmpty() ? QString("version not reported")
                                                            : opt.m_strModelVersion.toHtmlEscaped()});
        h.Row({"Scenario", doc.IsNoRiser() ? "ports directly on the outfall pipes" : "ports on risers"});
        h.Row({"Current direction", Fix(doc.CurrentAngle(), 2) + " deg (angle between current and outfalls)"});
        h.Row({"Continuous mode", doc.IsContinuous() ? "on" : "off"});
        h.Row({"Maximum number of steps", QString::number(doc.MaxTimeSteps())});
        h.TableEnd();
    }

    void Ambient(int n) {
        h.Heading(2, QString::number(n), "Ambient water");
        if (!doc.Ambient() || doc.Ambient()->GetRowCount() == 0) {
            h.Para("The case has no ambient profile.");
            return;
        }
        const CAmbient& a = *doc.Ambient();
        h.Para(QString("Water depth %1 m; mean current speed %2 m/s.")
                   .arg(Fix(a.GetLastRow().m_dDepth, 2), Fix(a.AverageCurrent(), 4)));
        h.Heading(3, QString("%1.1").arg(n), "Profile");
        h.TableStart(
            {"Row", "Depth (m)", "Salinity (ppt)", "Temperature (&deg;C)", "Density (g/mL)", "Current speed (m/s)"});
        int row = 1;
        for (const ProfileRow& r : a.Rows()) {
            // A row with temperature 0 gives its density directly.
            const bool direct = r.m_dTemperature == 0.0;
            h.Row({QString::number(row++), Fix(r.m_dDepth, 2), direct ? QString("-") : Fix(r.m_dValue, 3),
                   direct ? QString("-") : Fix(r.m_dTemperature, 2),
                   Fix(CAmbient::Density(r.m_dValue, r.m_dTemperature), 5), Fix(r.m_dCurrent, 4)});
        }
        h.TableEnd();
        h.Heading(3, QString("%1.2").arg(n), "Profile plots");
        // Density and current side by side in one picture.
        QImage both(kPlotWidth, kPlotHeight, QImage::Format_RGB32);
        both.fill(Qt::white);
        {
            QPainter p(&both);
            p.drawImage(0, 0, PlotImage(BuildDensityProfilePlot(a), kPlotWidth / 2, kPlotHeight));
            p.drawImage(kPlotWidth / 2, 0, PlotImage(BuildCurrentProfilePlot(a), kPlotWidth / 2, kPlotHeight));
        }
        h.Para(Picture(both, kShownWidth));
    }

    void Structure(int n) {
        h.Heading(2, QString::number(n), "Discharge structure");
        if (doc.GetOutfallCount() == 0) {
            h.Para("The case has no outfall.");
            return;
        }
        h.Heading(3, QString("%1.1").arg(n), "Outfalls");
        h.TableStart({"Outfall", "Depth (m)", "Length (m)", "Width (m)", "Position x (m)", "Risers"});
        for (const auto& o : doc.Outfalls())
            h.Row({Esc(o->m_strName), Fix(o->m_dDepth, 2), Fix(o->m_dLength, 1), Fix(o->m_dWidth, 2),
                   Fix(o->m_dPosition[0], 2), QString::number(o->GetRiserCount())});
        h.TableEnd();
        h.Heading(3, QString("%1.2").arg(n), doc.IsNoRiser() ? "Port groups" : "Risers");
        h.TableStart({"Riser", "Outfall", "Distance (m)", "Height (m)", "Top radius (m)", "Bottom radius (m)",
                      "Total flow (m<sup>3</sup>/s)", "Ports"});
        for (const auto& o : doc.Outfalls())
            for (const auto& r : o->m_Risers)
                h.Row({Esc(r->m_strName), Esc(o->m_strName), Fix(r->m_dDistance, 2), Fix(r->m_dHeight, 2),
                       Fix(r->m_dTopRadius, 3), Fix(r->m_dBottomRadius, 3), Fix(r->m_dTotalFlow, 5),
                       QString::number(r->GetJetCount())});
        h.TableEnd();
    }

    static QString Effluent(const CJet& j) {
        if (j.m_dTemperature == 0.0) return Fix(j.m_dSalinity, 5) + " g/mL";
        return Fix(j.m_dSalinity, 2) + " ppt, " + Fix(j.m_dTemperature, 1) + " &deg;C";
    }

    void Ports(int n) {
        h.Heading(2, QString::number(n), "Ports");
        h.Para(
            "Horizontal angles (H) are measured from the current direction, vertical angles (V) above the "
            "horizontal. The effluent is given by its salinity and temperature, or by its density.");
        h.TableStart(
            {"Jet", "Flow (m<sup>3</sup>/s)", "Diameter (m)", "Port height (m)", "H (deg)", "V (deg)", "Effluent"});
        doc.ForEachJet([&](int o, int r, int k, const CRiser&, const CBase&, const CJet& j) {
            h.Row({Label(o, r, k), Fix(j.m_dFlow, 5), Fix(j.m_dDiameter, 3), Fix(j.m_dPortHeight, 2),
                   Fix(j.m_dHAngle, 1), Fix(j.m_dVAngle, 1), Effluent(j)});
        });
        h.TableEnd();
    }

    // "rejected" when the model refused the jet, Plumex's own reason when it
    // left the jet without results, "not computed" when it has none at
    // all, empty for a computed jet.
    static QString NoResult(const CJet& j) {
        if (j.GetDiskCount() > 0) return QString();
        if (IsNotComputedReason(j.m_strStatus)) return Esc(j.m_strStatus);
        if (!j.m_strStatus.empty()) return "rejected by the jet model: " + Esc(j.m_strStatus);
        return "not computed";
    }

    void KeyParameters(int n) {
        h.Heading(2, QString::number(n), "Jet key parameters");
        h.Para(
            "Source values and length scales as the jet model reported them: jet velocity Uj, mean current "
            "Ua, densimetric Froude number Fd, and the flux length scales lQ, lm, lb and lM.");
        h.TableStart(
            {"Jet", "Port depth (m)", "Uj (m/s)", "Ua (m/s)", "Fd (-)", "lQ (m)", "lm (m)", "lb (m)", "lM (m)"});
        doc.ForEachJet([&](int o, int r, int i, const CRiser&, const CBase&, const CJet& j) {
            const QString none = NoResult(j);
            if (!none.isEmpty()) {
                h.WideRow(Label(o, r, i), none, 8);
                return;
            }
            const CKeyParameters& k = j.m_KeyParams;
            h.Row({Label(o, r, i), Fix(k.m_dDepth, 2), Fix(k.m_dUj, 3), Fix(k.m_dUa, 4), Scale(k.m_dFd, 2),
                   Scale(k.m_dlQ, 3), Scale(k.m_dlm, 3), Scale(k.m_dlb, 3), Scale(k.m_dlM, 3)});
        });
        h.TableEnd();
    }

    void Results(int n) {
        h.Heading(2, QString::number(n), "Jet results");
        h.Para(
            "Values at the last computed step of each jet. The rise height is the highest point of the "
            "centreline above the port; the horizontal distance is measured from the port. Where a port's "
            "plume first merges with its neighbours' is given by its height above the port and the average "
            "dilution there.");
        h.TableStart({"Jet", "Rise height (m)", "Horizontal distance (m)", "Travel time (s)", "Centreline dilution (-)",
                      "Average dilution (-)", "Plumes merge at (m above port / dilution)"});
        int computed = 0, rejected = 0;
        doc.ForEachJet([&](int o, int r, int k, const CRiser&, const CBase&, const CJet& j) {
            const QString none = NoResult(j);
            if (!none.isEmpty()) {
                if (!j.m_strStatus.empty() && !IsNotComputedReason(j.m_strStatus)) ++rejected;
                h.WideRow(Label(o, r, k), none, 6);
                return;
            }
            ++computed;
            const auto& disks = j.m_pDisplay->m_Disks;
            double rise = disks.front().m_dZ;
            for (const CJetDisk& d : disks) rise = std::max(rise, d.m_dZ);
            const CJetDisk& last = disks.back();
            h.Row({Label(o, r, k), Fix(rise, 2), Fix(std::hypot(last.m_dX, last.m_dY), 2), Fix(last.m_dUnnamed, 1),
                   Fix(CentreDilution(last.m_dMaxConc), 2), Fix(last.m_dDilution, 2), Merging(j.m_KeyParams.m_Row)});
        });
        h.TableEnd();
        // Stop reasons in a table of their own keep every row on one line,
        // so no row breaks across a page.
        h.Heading(3, QString("%1.1").arg(n), "Stop reasons");
        h.TableStart({"Jet", "Why the computation stopped"});
        doc.ForEachJet([&](int o, int r, int k, const CRiser&, const CBase&, const CJet& j) {
            const QString none = NoResult(j);
            h.Row({Label(o, r, k), !none.isEmpty() ? none : j.m_strStatus.empty() ? QString("-") : Esc(j.m_strStatus)});
        });
        h.TableEnd();
        QString summary = QString("%1 of %2 jets computed").arg(computed).arg(doc.GetJetCount());
        if (rejected > 0) summary += QString("; %1 rejected by the jet model").arg(rejected);
        summary += ".";
        // With merging switched off, one sentence says that every port was
        // computed alone; the outfalls add only rows computed before.
        QString merging = MergingOffSentence(doc);
        const bool off = !merging.isEmpty();
        for (const auto& o : doc.Outfalls()) {
            const QString sentence = MergingSentence(*o, off);
            if (!sentence.isEmpty()) merging += (merging.isEmpty() ? "" : " ") + sentence;
        }
        if (!merging.isEmpty()) summary += " " + merging.toHtmlEscaped();
        h.Para(summary);
    }

    void Plots(int n, const double* plane) {
        h.Heading(2, QString::number(n), "Plots", true);
        int sub = 0;
        const std::vector<JetSeries> all = MakeCaseSeries(doc, plane);
        for (int o = 0; o < doc.GetOutfallCount(); ++o) {
            std::vector<JetSeries> series;
            for (const JetSeries& s : all)
                if (s.m_nOutfall == o) series.push_back(s);
            h.Heading(3, QString("%1.%2").arg(n).arg(++sub),
                      "Outfall " + QString::fromStdString(doc.GetOutfall(o)->m_strName));
            if (series.empty()) {
                h.Para("No jet of this outfall has results.");
                continue;
            }
            for (int k = 0; k < kPlotKindCount; ++k)
                h.Para(Picture(PlotImage(BuildPlot(static_cast<PlotKind>(k), series), kPlotWidth, kPlotHeight),
                               kShownWidth));
        }
    }

    void Section(int n, bool valid) {
        h.Heading(2, QString::number(n), "Cross-section");
        const CCutPlane& p = doc.m_CutPlane;
        static const char* const kinds[] = {"horizontal plane", "vertical plane (side view)",
                                            "vertical plane (cross-section view)", "plane normal to a jet axis",
                                            "user specified plane"};
        if (!valid) {
            h.Para("The cut plane of the case cuts no jet: no cross-section statistics.");
            return;
        }
        const CSectionStats& st = doc.m_SectionStats;
        h.TableStart({"Item", "Value"});
        h.Row({"Plane",
               kinds[static_cast<int>(p.m_eKind) >= 0 && static_cast<int>(p.m_eKind) <= 4 ? static_cast<int>(p.m_eKind)
                                                                                          : 0]});
        h.Row({"Angles H / V", Fix(p.m_dHAngle - 90.0, 2) + " deg / " + Fix(p.m_dVAngle, 2) + " deg"});
        if (p.m_eKind == CutPlaneKind::NormalToJet) h.Row({"Disk number", QString::number(p.m_nDiskNo)});
        else {
            double shown = p.m_dDistance;
            if (p.m_eKind == CutPlaneKind::Horizontal) shown += doc.CutPlaneReferenceLevel();
            h.Row({"Distance", Fix(shown, 2) + " m"});
        }
        h.Row({"Total area", Fix(st.m_dTotalArea, 3) + " m<sup>2</sup>"});
        h.Row({"Sum of the jets' areas", Fix(st.m_dSumOfArea, 3) + " m<sup>2</sup>"});
        if (p.m_eKind == CutPlaneKind::CrossSection)
            h.Row({"Composite dilution of the merged jets", Fix(CCutPlane::TruncateDecimals(st.m_dDilution, 3), 3)});
        h.TableEnd();
        h.Para("");
        h.TableStart({"Jet", "Area (m<sup>2</sup>)", "Horizontal span (m)", "Vertical span (m)"});
        doc.ForEachJet([&](int o, int r, int k, const CRiser&, const CBase&, const CJet& j) {
            if (j.m_Section.m_dArea > 0.0)
                h.Row({Label(o, r, k), Fix(j.m_Section.m_dArea, 3), Fix(j.m_Section.m_dHSpan, 3),
                       Fix(j.m_Section.m_dVSpan, 3)});
        });
        h.TableEnd();
    }

    void Scene(int n) {
        h.Heading(2, QString::number(n), "3-D view", true);
        if (opt.m_Scene.isNull()) {
            h.Para((opt.m_strSceneNote.isEmpty() ? QString("No 3-D picture.") : opt.m_strSceneNote).toHtmlEscaped());
            return;
        }
        h.Para(Picture(opt.m_Scene, kShownWidth));
    }
};
}  // namespace

ReportDocument BuildCaseReport(const CCase& doc, const ReportOptions& options) {
    Builder b{doc, options, {}, {}};
    QString& s = b.h.Text();
    const QString title = "Discharge report: " + options.m_strCaseName;
    s += "<html><head><meta charset=\"utf-8\"><title>" + title.toHtmlEscaped() +
         "</title>\n"
         "<style>body { font-size: 9pt; } th { font-weight: bold; } "
         "td, th { font-size: 8pt; }</style></head><body>\n";
    s += "<h1>" + title.toHtmlEscaped() + "</h1>\n";
    s += QString("<p>Plumex %1, %2.</p>\n")
             .arg(options.m_strProgramVersion.toHtmlEscaped(), options.m_Date.toString("yyyy-MM-dd HH:mm"));
    const bool section = doc.m_CutPlane.m_bValid && !doc.m_CutPlane.Polygons().empty();
    int n = 0;
    b.Case(++n);
    b.Ambient(++n);
    b.Structure(++n);
    b.Ports(++n);
    b.KeyParameters(++n);
    b.Results(++n);
    b.Plots(++n, section ? doc.m_CutPlane.m_dEquation : nullptr);
    b.Section(++n, section);
    s += ComplianceSectionHtml(doc, ++n);
    b.Scene(++n);
    s += "</body></html>\n";
    b.out.m_strHtml = s;
    return b.out;
}
