#include "plot/PlotData.h"

#include <algorithm>
#include <cmath>

#include "model/Ambient.h"

namespace {
using Pick = double (*)(const JetSample&);

PlotCurve JetCurve(const JetSeries& s, const std::string& name, CurveRole role) {
    PlotCurve c;
    c.m_strName = name;
    c.m_nOrdinal = s.m_nOrdinal;
    c.m_strJet = s.Label();
    c.m_Role = role;
    return c;
}

PlotCurve Line(const JetSeries& s, const std::string& name, Pick x, Pick y) {
    PlotCurve c = JetCurve(s, name, CurveRole::Line);
    for (const JetSample& p : s.m_Samples) c.m_Points.push_back({x(p), y(p)});
    return c;
}

PlotCurve Markers(const JetSeries& s, Pick x, Pick y) {
    PlotCurve c = JetCurve(s, "cut plane", CurveRole::Marker);
    for (const JetSample& p : s.m_Crossings) c.m_Points.push_back({x(p), y(p)});
    return c;
}

void AddMarkers(PlotData& plot, const JetSeries& s, Pick x, Pick y, bool right = false) {
    if (s.m_Crossings.empty()) return;
    plot.m_Curves.push_back(Markers(s, x, y));
    plot.m_Curves.back().m_bRightAxis = right;
}

double Path(const JetSample& p) { return p.m_dPath; }
double Horizontal(const JetSample& p) { return p.m_dHorizontal; }
double Height(const JetSample& p) { return p.m_dHeight; }
double CentreDil(const JetSample& p) { return p.m_dCentreDilution; }
double AverageDil(const JetSample& p) { return p.m_dAverageDilution; }

void Elevation(PlotData& plot, const std::vector<JetSeries>& jets) {
    std::vector<double> surfaces, beds;
    double xmin = 0.0, xmax = 0.0;
    for (const JetSeries& s : jets) {
        plot.m_Curves.push_back(Line(s, "centreline", Horizontal, Height));
        // The edges stand at the half width across the axis, in the plane
        // of the plot, held between the sea bed and the water surface: the
        // plume cannot spread beyond either. Where the band first reaches
        // the bed, the jet is marked.
        PlotCurve up = JetCurve(s, "upper edge", CurveRole::BandUpper);
        PlotCurve low = JetCurve(s, "lower edge", CurveRole::BandLower);
        PlotCurve bed = JetCurve(s, "reaches the sea bed", CurveRole::BedContact);
        const double top = std::max(s.m_dSurface, s.m_dBed);
        for (const JetSample& p : s.m_Samples) {
            const double dx = p.m_dHalfWidth * std::sin(p.m_dVAngle), dz = p.m_dHalfWidth * std::cos(p.m_dVAngle);
            const double zUp = p.m_dHeight + dz, zLow = p.m_dHeight - dz;
            if (bed.m_Points.empty() && std::min(zUp, zLow) <= s.m_dBed)
                bed.m_Points.push_back({zUp < zLow ? p.m_dHorizontal - dx : p.m_dHorizontal + dx, s.m_dBed});
            up.m_Points.push_back({p.m_dHorizontal - dx, std::clamp(zUp, s.m_dBed, top)});
            low.m_Points.push_back({p.m_dHorizontal + dx, std::clamp(zLow, s.m_dBed, top)});
            xmin = std::min({xmin, p.m_dHorizontal - std::fabs(dx)});
            xmax = std::max({xmax, p.m_dHorizontal + std::fabs(dx)});
        }
        plot.m_Curves.push_back(std::move(up));
        plot.m_Curves.push_back(std::move(low));
        if (!bed.m_Points.empty()) plot.m_Curves.push_back(std::move(bed));
        AddMarkers(plot, s, Horizontal, Height);
        auto known = [](const std::vector<double>& v, double x) {
            return std::any_of(v.begin(), v.end(), [x](double y) { return std::fabs(x - y) < 1e-6; });
        };
        if (!known(surfaces, s.m_dSurface)) surfaces.push_back(s.m_dSurface);
        if (!known(beds, s.m_dBed)) beds.push_back(s.m_dBed);
    }
    auto level = [&](const char* name, double z) {
        PlotCurve c;
        c.m_strName = name;
        c.m_Role = CurveRole::Reference;
        c.m_Points = {{xmin, z}, {xmax, z}};
        plot.m_Curves.push_back(std::move(c));
    };
    for (double z : surfaces) level("water surface", z);
    for (double z : beds) level("sea bed", z);
}

void Plan(PlotData& plot, const std::vector<JetSeries>& jets) {
    double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
    bool any = false;
    for (const JetSeries& s : jets) {
        plot.m_Curves.push_back(Line(
            s, "centreline", [](const JetSample& p) { return p.m_dPlanX; },
            [](const JetSample& p) { return p.m_dPlanY; }));
        AddMarkers(
            plot, s, [](const JetSample& p) { return p.m_dPlanX; }, [](const JetSample& p) { return p.m_dPlanY; });
        for (const JetSample& p : s.m_Samples) {
            if (!any) xmin = xmax = p.m_dPlanX, ymin = ymax = p.m_dPlanY;
            any = true;
            xmin = std::min(xmin, p.m_dPlanX), xmax = std::max(xmax, p.m_dPlanX);
            ymin = std::min(ymin, p.m_dPlanY), ymax = std::max(ymax, p.m_dPlanY);
        }
    }
    if (jets.empty()) return;
    // An arrow a fifth of the extent long, from the lower left corner.
    const double len = std::max(0.2 * std::max(xmax - xmin, ymax - ymin), 1.0);
    PlotCurve arrow;
    arrow.m_strName = "current";
    arrow.m_Role = CurveRole::Arrow;
    const double* d = jets.front().m_dCurrent;
    const double x0 = d[0] >= 0 ? xmin : xmin + len, y0 = d[1] >= 0 ? ymin : ymin + len;
    arrow.m_Points = {{x0, y0}, {x0 + len * d[0], y0 + len * d[1]}};
    plot.m_Curves.push_back(std::move(arrow));
}

void Dilution(PlotData& plot, const std::vector<JetSeries>& jets, Pick x) {
    for (const JetSeries& s : jets) {
        plot.m_Curves.push_back(Line(s, "centreline dilution", x, CentreDil));
        PlotCurve avg = Line(s, "average dilution", x, AverageDil);
        avg.m_bDashed = true;
        plot.m_Curves.push_back(std::move(avg));
        AddMarkers(plot, s, x, CentreDil);
    }
}

void WidthAndVelocity(PlotData& plot, const std::vector<JetSeries>& jets) {
    for (const JetSeries& s : jets) {
        plot.m_Curves.push_back(Line(s, "half width", Path, [](const JetSample& p) { return p.m_dHalfWidth; }));
        PlotCurve v = Line(s, "velocity", Path, [](const JetSample& p) { return p.m_dVelocity; });
        v.m_bDashed = true;
        v.m_bRightAxis = true;
        plot.m_Curves.push_back(std::move(v));
        AddMarkers(plot, s, Path, [](const JetSample& p) { return p.m_dHalfWidth; });
    }
}
}  // namespace

const char* PlotKindTitle(PlotKind kind) {
    switch (kind) {
    case PlotKind::Elevation:
        return "Elevation";
    case PlotKind::Plan:
        return "Plan view";
    case PlotKind::DilutionAlongPath:
        return "Dilution along the path";
    case PlotKind::DilutionWithHeight:
        return "Dilution against height";
    case PlotKind::WidthAndVelocity:
        return "Half width and velocity";
    }
    return "";
}

PlotData BuildPlot(PlotKind kind, const std::vector<JetSeries>& jets) {
    PlotData plot;
    plot.m_Kind = kind;
    plot.m_strTitle = PlotKindTitle(kind);
    switch (kind) {
    case PlotKind::Elevation:
        plot.m_strXTitle = "Horizontal distance along the path (m)";
        plot.m_strYTitle = "Height above the port (m)";
        Elevation(plot, jets);
        break;
    case PlotKind::Plan:
        plot.m_strXTitle = "x (m)";
        plot.m_strYTitle = "y (m)";
        plot.m_bEqualScale = true;
        Plan(plot, jets);
        break;
    case PlotKind::DilutionAlongPath:
        plot.m_strXTitle = "Distance along the path (m)";
        plot.m_strYTitle = "Dilution (-)";
        Dilution(plot, jets, Path);
        break;
    case PlotKind::DilutionWithHeight:
        plot.m_strXTitle = "Height above the port (m)";
        plot.m_strYTitle = "Dilution (-)";
        Dilution(plot, jets, Height);
        break;
    case PlotKind::WidthAndVelocity:
        plot.m_strXTitle = "Distance along the path (m)";
        plot.m_strYTitle = "Half width (m)";
        plot.m_strY2Title = "Velocity (m/s)";
        WidthAndVelocity(plot, jets);
        break;
    }
    return plot;
}

bool PlotBounds(const PlotData& plot, bool rightAxis, double& xmin, double& xmax, double& ymin, double& ymax) {
    bool any = false;
    for (const PlotCurve& c : plot.m_Curves) {
        if (c.m_bRightAxis != rightAxis) continue;
        for (const PlotPoint& p : c.m_Points) {
            if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
            if (!any) xmin = xmax = p.x, ymin = ymax = p.y;
            any = true;
            xmin = std::min(xmin, p.x), xmax = std::max(xmax, p.x);
            ymin = std::min(ymin, p.y), ymax = std::max(ymax, p.y);
        }
    }
    return any;
}

namespace {
PlotData ProfilePlot(const CAmbient& ambient, const char* title, const char* quantity,
                     double (*value)(const ProfileRow&)) {
    PlotData plot;
    plot.m_Kind = PlotKind::Elevation;
    plot.m_strTitle = title;
    plot.m_strXTitle = quantity;
    plot.m_strYTitle = "Depth below the surface (m)";
    plot.m_bYDown = true;
    PlotCurve c;
    c.m_strName = title;
    for (const ProfileRow& r : ambient.Rows()) c.m_Points.push_back({value(r), r.m_dDepth});
    plot.m_Curves.push_back(std::move(c));
    return plot;
}
}  // namespace

PlotData BuildDensityProfilePlot(const CAmbient& ambient) {
    return ProfilePlot(ambient, "Ambient density", "Density (g/mL)",
                       [](const ProfileRow& r) { return CAmbient::Density(r.m_dValue, r.m_dTemperature); });
}

PlotData BuildCurrentProfilePlot(const CAmbient& ambient) {
    return ProfilePlot(ambient, "Current speed", "Current speed (m/s)",
                       [](const ProfileRow& r) { return r.m_dCurrent; });
}
