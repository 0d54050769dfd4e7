// Writing a case in its text form. Key names carry their units.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "base/AppState.h"
#include "model/Case.h"
#include "model/CaseJson.h"

namespace {

// A name as a case file keeps it (63 bytes at most), cut between characters:
// the text form then holds what saving the case would keep, and reading it
// back accepts it. Bytes that are not UTF-8 become U+FFFD, which can make
// the text longer: it is cut again.
QString Name(const std::string& s) {
    constexpr std::size_t kKept = 63;
    auto cut = [](std::string t) {
        if (t.size() <= kKept) return t;
        std::size_t n = kKept;
        while (n > 0 && (static_cast<unsigned char>(t[n]) & 0xC0) == 0x80) --n;
        t.resize(n);
        return t;
    };
    return QString::fromStdString(cut(QString::fromStdString(cut(s)).toStdString()));
}

// The second column of a profile row or an effluent: density when the
// temperature is 0, else salinity.
void PutValue(QJsonObject& o, double value, double temperature) {
    o.insert(temperature == 0.0 ? "density_g_ml" : "salinity_ppt", value);
}

QJsonObject JetObject(const CJet& j, bool noRiser) {
    QJsonObject o;
    o.insert("name", Name(j.m_strName));
    o.insert("diameter_m", j.m_dDiameter);
    o.insert("flow_m3_s", j.m_dFlow);
    if (!noRiser) o.insert("port_height_m", j.m_dPortHeight);
    o.insert("vertical_angle_deg", j.m_dVAngle);
    o.insert("horizontal_angle_deg", j.m_dHAngle);
    o.insert("visible", j.m_nVisible != 0);
    return o;
}

QJsonObject FarFieldObject(const FarFieldSettings& s) {
    QJsonObject o;
    o.insert("spreading_coefficient_m23_s", s.m_dAlpha);
    o.insert("effluent_concentration", s.m_dEffluentConcentration);
    o.insert("concentration_unit", QString::fromStdString(s.m_strUnit));
    o.insert("t90_h", s.m_dT90Hours);
    o.insert("mixing_zone_m", s.m_dMixingZone);
    o.insert(s.m_bStandardIsDilution ? "min_dilution" : "max_concentration", s.m_dStandard);
    QJsonArray points;
    for (const FarFieldPoint& p : s.m_Points) {
        QJsonObject point;
        point.insert("name", QString::fromStdString(p.m_strName));
        point.insert("distance_m", p.m_dDistance);
        points.append(point);
    }
    o.insert("points", points);
    return o;
}
}  // namespace

std::string WriteCaseJson(const CCase& doc) {
    const bool noRiser = doc.IsNoRiser();
    QJsonObject root;
    root.insert("format", "plumex-case");
    root.insert("version", 1);
    root.insert("scenario", noRiser ? "without-risers" : "with-risers");
    root.insert("current_angle_deg", static_cast<double>(doc.CurrentAngle()));
    QJsonObject run;
    run.insert("continuous", doc.IsContinuous());
    run.insert("max_time_steps", doc.MaxTimeSteps());
    run.insert("merge_plumes", doc.MergesPlumes());
    root.insert("run", run);
    // A case that never set its far field is written as before.
    if (doc.GetFarField() != FarFieldSettings{}) root.insert("far_field", FarFieldObject(doc.GetFarField()));

    QJsonArray profile;
    if (doc.Ambient()) {
        for (const ProfileRow& r : doc.Ambient()->Rows()) {
            QJsonObject row;
            row.insert("depth_m", r.m_dDepth);
            PutValue(row, r.m_dValue, r.m_dTemperature);
            row.insert("temperature_c", r.m_dTemperature);
            row.insert("current_m_s", r.m_dCurrent);
            profile.append(row);
        }
    }
    QJsonObject ambient;
    ambient.insert("profile", profile);
    root.insert("ambient", ambient);

    QJsonArray outfalls;
    for (const auto& o : doc.Outfalls()) {
        QJsonObject oj;
        oj.insert("name", Name(o->m_strName));
        oj.insert("depth_m", o->m_dDepth);
        oj.insert("width_m", o->m_dWidth);
        oj.insert("length_m", o->m_dLength);
        oj.insert("position_x_m", o->m_dPosition[0]);
        oj.insert("jet_spacing_m", o->m_dJetSpacing);
        oj.insert("visible", o->m_nVisible != 0);
        QJsonObject eff;
        eff.insert("temperature_c", o->m_dTemperature);
        PutValue(eff, o->m_dTemperature == 0.0 ? o->m_dDensity : o->m_dSalinity, o->m_dTemperature);
        oj.insert("effluent", eff);
        if (noRiser) {
            QJsonArray jets;
            for (const auto& r : o->m_Risers)
                for (const auto& j : r->m_Jets) jets.append(JetObject(*j, true));
            oj.insert("jets", jets);
        } else {
            QJsonArray risers;
            for (const auto& r : o->m_Risers) {
                QJsonObject rj;
                rj.insert("name", Name(r->m_strName));
                rj.insert("distance_m", r->m_dDistance);
                rj.insert("top_radius_m", r->m_dTopRadius);
                rj.insert("bottom_radius_m", r->m_dBottomRadius);
                rj.insert("height_m", r->m_dHeight);
                rj.insert("visible", r->m_nVisible != 0);
                QJsonArray jets;
                for (const auto& j : r->m_Jets) jets.append(JetObject(*j, false));
                rj.insert("jets", jets);
                risers.append(rj);
            }
            oj.insert("risers", risers);
        }
        outfalls.append(oj);
    }
    root.insert("outfalls", outfalls);
    const CViewControl& c = doc.m_ViewControl;
    QJsonObject view;
    view.insert("eye_m", QJsonArray{c.m_dEye[0], c.m_dEye[1], c.m_dEye[2]});
    view.insert("target_m", QJsonArray{c.m_dTarget[0], c.m_dTarget[1], c.m_dTarget[2]});
    view.insert("field_of_view_deg", static_cast<double>(c.m_fFieldOfView));
    root.insert("view", view);
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}
