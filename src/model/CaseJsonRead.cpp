// Reading a case from its text form. Every problem is collected with the
// path of the value it concerns; nothing of a text with problems is kept.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <cmath>

#include "base/AppState.h"
#include "base/RegularFileReader.h"
#include "model/CameraFraming.h"
#include "model/Case.h"
#include "model/CaseJson.h"
#include "model/CaseLimits.h"
#include "model/JsonDuplicateKeys.h"
#include "model/UniqueName.h"

namespace {
class CReader {
public:
    explicit CReader(std::vector<CaseJsonProblem>& problems) : m_problems(problems) {}

    void Problem(const std::string& path, const std::string& message) { m_problems.push_back({path, message}); }

    // Reports keys that the schema does not know (usually typing errors).
    void OnlyKeys(const QJsonObject& o, const std::string& path, std::initializer_list<const char*> keys) {
        QSet<QString> known;
        for (const char* k : keys) known.insert(QString::fromLatin1(k));
        for (auto it = o.begin(); it != o.end(); ++it)
            if (!known.contains(it.key())) Problem(Join(path, it.key().toStdString()), "unknown key");
    }

    double Number(const QJsonObject& o, const std::string& path, const char* key, bool required = true,
                  double fallback = 0.0) {
        const QJsonValue v = o.value(QString::fromLatin1(key));
        if (v.isUndefined()) {
            if (required) Problem(Join(path, key), "missing (a number is required)");
            return fallback;
        }
        if (!v.isDouble() || !std::isfinite(v.toDouble())) {
            Problem(Join(path, key), "must be a number");
            return fallback;
        }
        return v.toDouble();
    }

    bool Flag(const QJsonObject& o, const std::string& path, const char* key, bool fallback) {
        const QJsonValue v = o.value(QString::fromLatin1(key));
        if (v.isUndefined()) return fallback;
        if (!v.isBool()) {
            Problem(Join(path, key), "must be true or false");
            return fallback;
        }
        return v.toBool();
    }

    std::string Text(const QJsonObject& o, const std::string& path, const char* key, const std::string& fallback) {
        const QJsonValue v = o.value(QString::fromLatin1(key));
        if (v.isUndefined()) return fallback;
        if (!v.isString()) {
            Problem(Join(path, key), "must be a text");
            return fallback;
        }
        return v.toString().toStdString();
    }

    QJsonObject Object(const QJsonObject& o, const std::string& path, const char* key, bool required) {
        const QJsonValue v = o.value(QString::fromLatin1(key));
        if (v.isUndefined()) {
            if (required) Problem(Join(path, key), "missing (an object is required)");
            return {};
        }
        if (!v.isObject()) Problem(Join(path, key), "must be an object");
        return v.toObject();
    }

    QJsonArray Array(const QJsonObject& o, const std::string& path, const char* key) {
        const QJsonValue v = o.value(QString::fromLatin1(key));
        if (v.isUndefined()) {
            Problem(Join(path, key), "missing (a list is required)");
            return {};
        }
        if (!v.isArray()) Problem(Join(path, key), "must be a list");
        return v.toArray();
    }

    QJsonObject Element(const QJsonArray& a, int i, const std::string& path) {
        if (!a.at(i).isObject()) Problem(path, "must be an object");
        return a.at(i).toObject();
    }

    // The value column of a profile row or an effluent: "density_g_ml" when
    // the temperature is 0, else "salinity_ppt".
    double DensityOrSalinity(const QJsonObject& o, const std::string& path, double temperature) {
        const bool density = temperature == 0.0;
        const char* want = density ? "density_g_ml" : "salinity_ppt";
        const char* other = density ? "salinity_ppt" : "density_g_ml";
        if (o.contains(QString::fromLatin1(other)))
            Problem(Join(path, other),
                    density ? "a temperature of 0 means the value is a density: use density_g_ml"
                            : "a temperature other than 0 means the value is a salinity: use salinity_ppt");
        return Number(o, path, want, !o.contains(QString::fromLatin1(other)));
    }

    static std::string Join(const std::string& path, const std::string& key) {
        return path.empty() ? key : path + "." + key;
    }
    static std::string Index(const std::string& path, int i) { return path + "[" + std::to_string(i) + "]"; }

private:
    std::vector<CaseJsonProblem>& m_problems;
};

void ReadJet(CReader& rd, const QJsonObject& o, const std::string& path, CJet& j, bool noRiser) {
    rd.OnlyKeys(
        o, path,
        {"name", "diameter_m", "flow_m3_s", "port_height_m", "vertical_angle_deg", "horizontal_angle_deg", "visible"});
    j.m_strName = rd.Text(o, path, "name", j.m_strName);
    j.m_dDiameter = rd.Number(o, path, "diameter_m");
    j.m_dFlow = rd.Number(o, path, "flow_m3_s");
    // Without risers the ports sit on the pipe: their height follows the outfall.
    if (noRiser) {
        if (o.contains("port_height_m"))
            rd.Problem(CReader::Join(path, "port_height_m"),
                       "not used without risers (the ports sit on the pipe at half its width)");
    } else {
        j.m_dPortHeight = rd.Number(o, path, "port_height_m");
    }
    j.m_dVAngle = rd.Number(o, path, "vertical_angle_deg");
    j.m_dHAngle = rd.Number(o, path, "horizontal_angle_deg");
    j.m_nVisible = rd.Flag(o, path, "visible", true) ? 1 : 0;
}

void ReadJets(CReader& rd, const QJsonObject& o, const std::string& path, CBase& r, bool noRiser) {
    const QJsonArray jets = rd.Array(o, path, "jets");
    const std::string pj = CReader::Join(path, "jets");
    // Default names as MakeChildName gives them, without a search through
    // all siblings for every jet.
    CUniqueNamer names(CBase::kChildNamePattern);
    for (const auto& j : r.m_Jets) names.Take(j->m_strName);
    for (int i = 0; i < jets.size(); ++i) {
        auto jet = std::make_unique<CJet>(noRiser);
        jet->m_strName = names.Next();
        ReadJet(rd, rd.Element(jets, i, CReader::Index(pj, i)), CReader::Index(pj, i), *jet, noRiser);
        names.Take(jet->m_strName);
        r.AppendJet(std::move(jet));
    }
    r.m_dTotalFlow = r.SumOfJetFlows();
    r.m_nCurrentJet = 0;
}

void ReadRiser(CReader& rd, const QJsonObject& o, const std::string& path, CBase& r) {
    rd.OnlyKeys(o, path, {"name", "distance_m", "top_radius_m", "bottom_radius_m", "height_m", "visible", "jets"});
    r.m_strName = rd.Text(o, path, "name", r.m_strName);
    r.m_dDistance = rd.Number(o, path, "distance_m");
    r.m_dTopRadius = rd.Number(o, path, "top_radius_m");
    r.m_dBottomRadius = rd.Number(o, path, "bottom_radius_m");
    r.m_dHeight = rd.Number(o, path, "height_m");
    r.m_nVisible = rd.Flag(o, path, "visible", true) ? 1 : 0;
    ReadJets(rd, o, path, r, false);
}

void ReadOutfall(CReader& rd, const QJsonObject& o, const std::string& path, CRiser& out, int index, bool noRiser) {
    rd.OnlyKeys(o, path,
                {"name", "depth_m", "width_m", "length_m", "position_x_m", "jet_spacing_m", "visible", "effluent",
                 noRiser ? "jets" : "risers"});
    out.m_strName = rd.Text(o, path, "name", out.m_strName);
    out.m_dDepth = rd.Number(o, path, "depth_m");
    out.m_dWidth = rd.Number(o, path, "width_m");
    out.m_dLength = rd.Number(o, path, "length_m");
    out.m_dPosition[0] = rd.Number(o, path, "position_x_m", false, 20.0 * index);
    out.m_dJetSpacing = rd.Number(o, path, "jet_spacing_m", false, 10.0);
    out.m_nVisible = rd.Flag(o, path, "visible", true) ? 1 : 0;
    const std::string pe = CReader::Join(path, "effluent");
    const QJsonObject eff = rd.Object(o, path, "effluent", true);
    rd.OnlyKeys(eff, pe, {"temperature_c", "salinity_ppt", "density_g_ml"});
    out.m_dTemperature = rd.Number(eff, pe, "temperature_c");
    const double value = rd.DensityOrSalinity(eff, pe, out.m_dTemperature);
    if (out.m_dTemperature == 0.0) out.m_dDensity = value;
    else out.m_dSalinity = value;

    if (noRiser) {
        // The ports sit on the pipe; a hidden riser holds them.
        auto r = std::make_unique<CBase>();
        r->CopyFrom(nullptr, true);
        r->m_Jets.clear();                   // the defaults bring a jet of their own
        r->m_strName = out.MakeChildName();  // the only riser
        ReadJets(rd, o, path, *r, true);
        out.AppendRiser(std::move(r));
        return;
    }
    const QJsonArray risers = rd.Array(o, path, "risers");
    const std::string pr = CReader::Join(path, "risers");
    CUniqueNamer names(CRiser::kChildNamePattern);
    for (const auto& r : out.m_Risers) names.Take(r->m_strName);
    for (int i = 0; i < risers.size(); ++i) {
        auto r = std::make_unique<CBase>();
        r->m_strName = names.Next();
        ReadRiser(rd, rd.Element(risers, i, CReader::Index(pr, i)), CReader::Index(pr, i), *r);
        names.Take(r->m_strName);
        out.AppendRiser(std::move(r));
    }
}

// Three numbers of a point (m, scene axes: y up).
bool ReadPoint(CReader& rd, const QJsonObject& o, const std::string& path, const char* key, double out[3]) {
    const QJsonArray a = rd.Array(o, path, key);
    if (a.size() != 3) {
        rd.Problem(CReader::Join(path, key), "must be a list of three numbers");
        return false;
    }
    for (int i = 0; i < 3; ++i) {
        if (!a.at(i).isDouble() || !std::isfinite(a.at(i).toDouble())) {
            rd.Problem(CReader::Index(CReader::Join(path, key), i), "must be a number");
            return false;
        }
        out[i] = a.at(i).toDouble();
    }
    return true;
}

// The camera of the 3-D view. Without one, the camera frames the structure.
void ReadView(CReader& rd, const QJsonObject& root, CCase& doc) {
    CViewControl& camera = doc.m_ViewControl;
    if (!root.contains("view")) {
        FrameStructure(doc, camera);
        doc.m_bCameraFramed = true;
        return;
    }
    doc.m_bCameraFramed = false;
    const QJsonObject v = rd.Object(root, "", "view", true);
    rd.OnlyKeys(v, "view", {"eye_m", "target_m", "field_of_view_deg"});
    double eye[3] = {0, 0, 0}, target[3] = {0, 0, 0};
    const bool ok = ReadPoint(rd, v, "view", "eye_m", eye) && ReadPoint(rd, v, "view", "target_m", target);
    const bool same = eye[0] == target[0] && eye[1] == target[1] && eye[2] == target[2];
    if (ok && same) rd.Problem("view.eye_m", "must differ from view.target_m");
    const double fov = rd.Number(v, "view", "field_of_view_deg", false, 40.0);
    if (!(fov > 0.001 && fov <= 70.0)) rd.Problem("view.field_of_view_deg", "must be above 0.001 and at most 70");
    for (int i = 0; i < 3; ++i) {
        camera.m_dEye[i] = eye[i];
        camera.m_dTarget[i] = target[i];
    }
    camera.m_fFieldOfView = camera.m_fInitFieldOfView = static_cast<float>(fov);
    // A view that would draw one colour is refused, not reset behind the
    // user's back.
    if (ok && !same && fov > 0.001 && fov <= 70.0 && !camera.HasUsableView())
        rd.Problem("view.eye_m",
                   "the view must not look straight down or up, and eye and target must lie within 1e+06 m");
}

// The far-field settings; without the object, the defaults. Their ranges
// are checked with the case's values (validation/CaseValidation.h).
void ReadFarField(CReader& rd, const QJsonObject& root, FarFieldSettings& s) {
    s = FarFieldSettings{};
    if (!root.contains("far_field")) return;
    const std::string path = "far_field";
    const QJsonObject f = rd.Object(root, "", "far_field", true);
    rd.OnlyKeys(f, path,
                {"spreading_coefficient_m23_s", "effluent_concentration", "concentration_unit", "t90_h",
                 "mixing_zone_m", "min_dilution", "max_concentration", "points"});
    s.m_dAlpha = rd.Number(f, path, "spreading_coefficient_m23_s", false, s.m_dAlpha);
    s.m_dEffluentConcentration = rd.Number(f, path, "effluent_concentration", false, s.m_dEffluentConcentration);
    s.m_strUnit = rd.Text(f, path, "concentration_unit", s.m_strUnit);
    s.m_dT90Hours = rd.Number(f, path, "t90_h", false, s.m_dT90Hours);
    s.m_dMixingZone = rd.Number(f, path, "mixing_zone_m", false, s.m_dMixingZone);
    const bool dilution = f.contains("min_dilution"), concentration = f.contains("max_concentration");
    if (dilution && concentration)
        rd.Problem("far_field.max_concentration", "give one standard: min_dilution or max_concentration");
    if (concentration) {
        s.m_bStandardIsDilution = false;
        s.m_dStandard = rd.Number(f, path, "max_concentration");
    } else if (dilution) {
        s.m_dStandard = rd.Number(f, path, "min_dilution");
    }
    if (!f.contains("points")) return;
    const QJsonArray points = rd.Array(f, path, "points");
    for (int i = 0; i < points.size(); ++i) {
        const std::string p = CReader::Index("far_field.points", i);
        const QJsonObject o = rd.Element(points, i, p);
        rd.OnlyKeys(o, p, {"name", "distance_m"});
        FarFieldPoint point;
        point.m_strName = rd.Text(o, p, "name", "");
        if (!o.contains("name")) rd.Problem(CReader::Join(p, "name"), "missing (a text is required)");
        point.m_dDistance = rd.Number(o, p, "distance_m");
        s.m_Points.push_back(point);
    }
}

// 1-based line and column of a character offset, for JSON syntax errors.
std::string Where(const std::string& text, int offset) {
    int line = 1, col = 1;
    for (int i = 0; i < offset && i < static_cast<int>(text.size()); ++i) {
        if (text[i] == '\n') {
            ++line;
            col = 1;
        } else {
            ++col;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(col);
}
}  // namespace

bool ReadCaseJson(const std::string& text, CCase& doc, std::vector<CaseJsonProblem>& problems) {
    const std::size_t before = problems.size();
    doc.ResetToNew();
    QJsonParseError err{};
    const QJsonDocument json = QJsonDocument::fromJson(QByteArray::fromStdString(text), &err);
    if (err.error != QJsonParseError::NoError) {
        problems.push_back(
            {"", "not valid JSON at " + Where(text, err.offset) + ": " + err.errorString().toStdString()});
        return false;
    }
    if (!json.isObject()) {
        problems.push_back({"", "the case must be a JSON object"});
        return false;
    }
    // The parser keeps one of two equal keys; which value was meant is unknown.
    const JsonKeyScan scan = ScanJsonKeys(text);
    if (scan.m_bTooDeep) {
        problems.push_back(
            {"", "values nested deeper than " + std::to_string(kMaxJsonNesting) + " levels: this is not a case"});
        return false;
    }
    for (const std::string& path : scan.m_Duplicates) problems.push_back({path, "given more than once"});
    if (!scan.m_Duplicates.empty()) return false;
    CReader rd(problems);
    const QJsonObject root = json.object();
    rd.OnlyKeys(
        root, "",
        {"format", "version", "scenario", "current_angle_deg", "run", "far_field", "ambient", "outfalls", "view"});
    if (rd.Text(root, "", "format", "") != "plumex-case") rd.Problem("format", "must be \"plumex-case\"");
    if (rd.Number(root, "", "version") != 1.0 && root.value("version").isDouble())
        rd.Problem("version", "only version 1 is known");

    const std::string scenario = rd.Text(root, "", "scenario", "");
    bool noRiser = false;
    if (scenario == "without-risers") noRiser = true;
    else if (scenario != "with-risers") rd.Problem("scenario", "must be \"with-risers\" or \"without-risers\"");
    doc.m_bNoRiser = noRiser;

    const double angle = rd.Number(root, "", "current_angle_deg", false, 90.0);
    // The case holds the angle in single precision: a number beyond the
    // limits (9e159 would become infinite) is refused here, not stored.
    if (!(std::fabs(angle) <= CaseLimits::kMaxAngle)) rd.Problem("current_angle_deg", "must lie between -360 and 360");
    const QJsonObject run = rd.Object(root, "", "run", false);
    rd.OnlyKeys(run, "run", {"continuous", "max_time_steps", "merge_plumes"});
    doc.m_RunOptions.m_bContinuous = rd.Flag(run, "run", "continuous", false);
    doc.m_RunOptions.m_bMergePlumes = rd.Flag(run, "run", "merge_plumes", true);
    const double steps = rd.Number(run, "run", "max_time_steps", false, 1500.0);
    if (steps != std::floor(steps) || std::fabs(steps) > 1e9)
        rd.Problem("run.max_time_steps", "must be a whole number");
    else doc.m_RunOptions.m_nMaxTimeSteps = static_cast<int>(steps);
    ReadFarField(rd, root, doc.m_FarField);

    const QJsonObject ambient = rd.Object(root, "", "ambient", true);
    rd.OnlyKeys(ambient, "ambient", {"profile"});
    const QJsonArray profile = rd.Array(ambient, "ambient", "profile");
    std::vector<ProfileRow> rows;
    for (int i = 0; i < profile.size(); ++i) {
        const std::string p = CReader::Index("ambient.profile", i);
        const QJsonObject r = rd.Element(profile, i, p);
        rd.OnlyKeys(r, p, {"depth_m", "density_g_ml", "salinity_ppt", "temperature_c", "current_m_s"});
        ProfileRow row;
        row.m_dDepth = rd.Number(r, p, "depth_m");
        row.m_dTemperature = rd.Number(r, p, "temperature_c");
        row.m_dValue = rd.DensityOrSalinity(r, p, row.m_dTemperature);
        row.m_dCurrent = rd.Number(r, p, "current_m_s");
        rows.push_back(row);
    }
    doc.m_pAmbient->SetRows(rows);
    if (!rows.empty()) {
        doc.m_pAmbient->m_dWaterDepth = rows.back().m_dDepth;
        doc.m_dDisplayLength = rows.back().m_dDepth;
    }

    const QJsonArray outfalls = rd.Array(root, "", "outfalls");
    CUniqueNamer names(CCase::kOutfallNamePattern);
    for (int i = 0; i < outfalls.size(); ++i) {
        const std::string p = CReader::Index("outfalls", i);
        auto o = std::make_unique<CRiser>();
        o->m_strName = names.Next();
        ReadOutfall(rd, rd.Element(outfalls, i, p), p, *o, i, noRiser);
        names.Take(o->m_strName);
        doc.m_Outfalls.push_back(std::move(o));
    }
    // The jets take their outfall's effluent (and, without risers, their
    // port height), and the profile mean as their current speed.
    const double current = doc.m_pAmbient->AverageCurrent();
    for (auto& o : doc.m_Outfalls) {
        doc.PropagateEffluent(*o);
        for (auto& r : o->m_Risers)
            for (auto& j : r->m_Jets) j->m_dCurrent = current;
    }
    doc.m_fCurrentAngle = static_cast<float>(angle);
    doc.PropagateCurrentAngle();
    ReadView(rd, root, doc);

    if (problems.size() != before) {
        doc.ResetToNew();
        return false;
    }
    return true;
}

bool ReadCaseJsonFile(const std::string& path, CCase& doc, std::vector<CaseJsonProblem>& problems) {
    std::vector<unsigned char> bytes;
    std::string error;
    if (!ReadRegularFile(path, kMaxCaseJsonBytes, "a case text", bytes, error)) {
        problems.push_back({std::string(), "cannot be read: " + error});
        return false;
    }
    return ReadCaseJson(std::string(bytes.begin(), bytes.end()), doc, problems);
}
