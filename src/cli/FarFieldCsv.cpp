#include "cli/FarFieldCsv.h"

#include <QDir>
#include <sstream>

#include "base/SafeFileWriter.h"
#include "cli/CsvText.h"
#include "farfield/FarFieldModel.h"

namespace {
void Row(std::ostringstream& out, const std::string& outfall, const char* kind, const std::string& name,
         const FarFieldValues& v, const FarFieldSettings& s, const StandardCheck* check) {
    out << CsvQuoted(outfall) << "," << kind << "," << CsvQuoted(name) << "," << CsvNumber(v.m_dDistance) << ","
        << CsvNumber(v.m_dDilution) << "," << CsvNumber(v.m_dConcentration) << "," << CsvQuoted(s.m_strUnit) << ","
        << CsvNumber(v.m_dTime) << "," << CsvNumber(v.m_dTime / 3600.0) << "," << (v.m_bInNearField ? 1 : 0) << ",";
    if (check) out << (check->m_bMeets ? 1 : 0) << "," << CsvNumber(check->m_dMargin);
    else out << ",";
    out << "\n";
}
}  // namespace

std::string FarFieldCsvText(const std::vector<OutfallFarField>& fields, const FarFieldSettings& s) {
    std::ostringstream out;
    out << "outfall,kind,name,distance_m,dilution,concentration,unit,time_s,time_h,near_field,meets_standard,"
           "margin\n";
    const std::vector<double> grid = FarFieldGrid(s);
    for (const OutfallFarField& f : fields) {
        if (f.m_eStatus != FarFieldStatus::Computed) continue;
        Row(out, f.m_strOutfall, "edge", "mixing zone", f.m_Edge, s, &f.m_EdgeCheck);
        for (const FarFieldPointValues& p : f.m_Points)
            Row(out, f.m_strOutfall, "point", p.m_strName, p.m_Values, s, &p.m_Check);
        const CFarFieldModel model(f.m_Start, f.m_dCurrent, s);
        for (double x : grid) Row(out, f.m_strOutfall, "grid", "", model.At(x), s, nullptr);
    }
    return out.str();
}

bool WriteFarFieldCsv(const std::vector<OutfallFarField>& fields, const FarFieldSettings& settings,
                      const std::string& dir, std::string& error) {
    if (!QDir().mkpath(QString::fromStdString(dir))) {
        error = dir + ": the folder cannot be made";
        return false;
    }
    const std::string path = dir + "/farfield.csv";
    const std::string text = FarFieldCsvText(fields, settings);
    std::string reason;
    if (WriteFileSafely(path, text.data(), text.size(), reason)) return true;
    error = path + ": " + reason;
    return false;
}
