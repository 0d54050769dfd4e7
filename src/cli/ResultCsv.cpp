#include "cli/ResultCsv.h"

#include <QDir>
#include <sstream>

#include "base/SafeFileWriter.h"
#include "base/SystemPath.h"
#include "cli/CsvText.h"
#include "document/PlumexDoc.h"
#include "run/ClassicNumericScope.h"

namespace {
bool Save(const QString& path, const std::string& text, std::string& error) {
    std::string reason;
    if (WriteFileSafely(SystemPath(path), text.data(), text.size(), reason)) return true;
    error = SystemPath(path) + ": " + reason;
    return false;
}

// The row of ports the jet was computed in and where its plume first merged:
// the port count 0 and empty cells for a jet computed alone, empty merge
// cells for plumes that did not merge.
std::string RowCells(const CRowMerging& row) {
    if (!row.HasRow()) return ",0,,,,,,,,,";
    std::string cells = "," + std::to_string(row.m_nPorts) + "," + CsvNumber(row.m_dSpacing) + "," +
                        CsvNumber(row.m_dAxisDeg) + "," + (row.m_bMerged ? "1" : "0");
    if (!row.m_bMerged) return cells + ",,,,,,";
    for (double v : {row.m_dArc, row.m_dX, row.m_dZ, row.m_dDilution, row.m_dHalfWidth, row.m_dHalfLength})
        cells += "," + CsvNumber(v);
    return cells;
}

std::string JetKey(const CRiser& o, const CBase& r, const CJet& j) {
    return CsvQuoted(o.m_strName) + "," + CsvQuoted(r.m_strName) + "," + CsvQuoted(j.m_strName);
}
}  // namespace

bool WriteResultCsv(const CPlumexDoc& doc, const std::string& dir, std::string& error) {
    // A decimal comma would split every number into two CSV cells.
    const CClassicNumericScope classicNumbers;
    const QString folder = PathFromSystem(dir);
    if (!QDir().mkpath(folder)) {
        error = dir + ": the folder cannot be made";
        return false;
    }
    std::ostringstream disks;
    disks << "outfall,riser,jet,step,x_m,y_m,z_m,half_width_m,thickness_m,horizontal_angle_deg,"
             "vertical_angle_deg,velocity_m_s,travel_time_s,max_concentration,mean_concentration,dilution\n";
    std::ostringstream jets;
    jets << "outfall,riser,jet,steps,disks,stop_reason,total_q_m3_s,ports,qj_m3_s,depth_m,diameter_m,uj_m_s,"
            "ua_m_s,dp_pa,po_g_ml,pa_g_ml,v_angle_deg,h_angle_deg,fd,uj_ua,mj_m4_s2,bj_m4_s3,lq_m,lm_m,lb_m,lM_m,"
            "sm_centreline_dilution,sb_average_dilution,lq_lm,lq_lM,lm_lb,lM_lb,row_ports,row_spacing_m,row_axis_deg,"
            "plumes_merge,merge_arc_m,merge_x_m,merge_z_m,merge_dilution,merged_half_width_m,merged_half_length_m\n";
    doc.ForEachJet([&](int, int, int, CRiser& o, CBase& r, CJet& j) {
        const std::string key = JetKey(o, r, j);
        const auto& d = j.m_pDisplay->m_Disks;
        for (std::size_t i = 0; i < d.size(); ++i) {
            const CJetDisk& k = d[i];
            disks << key << "," << i << "," << CsvNumber(k.m_dX) << "," << CsvNumber(k.m_dY) << "," << CsvNumber(k.m_dZ)
                  << "," << CsvNumber(k.m_dRadius) << "," << CsvNumber(k.m_dThickness) << ","
                  << CsvNumber(k.m_dHAngle / kTrajectoryDegToRad) << "," << CsvNumber(k.m_dVAngle / kTrajectoryDegToRad)
                  << "," << CsvNumber(k.m_dVelocity) << "," << CsvNumber(k.m_dUnnamed) << "," << CsvNumber(k.m_dMaxConc)
                  << "," << CsvNumber(k.m_dMeanConc) << "," << CsvNumber(k.m_dDilution) << "\n";
        }
        const CKeyParameters& p = j.m_KeyParams;
        jets << key << "," << p.m_nSteps << "," << d.size() << "," << CsvQuoted(j.m_strStatus);
        for (double v : {p.m_dTotalQ,   static_cast<double>(p.m_nPorts),
                         p.m_dQj,       p.m_dDepth,
                         p.m_dDiameter, p.m_dUj,
                         p.m_dUa,       p.m_ddpPa,
                         p.m_dpo,       p.m_dpa,
                         p.m_dVAngle,   p.m_dHAngle,
                         p.m_dFd,       p.m_dUjUa,
                         p.m_dMj,       p.m_dBj,
                         p.m_dlQ,       p.m_dlm,
                         p.m_dlb,       p.m_dlM,
                         p.m_dSm,       p.m_dSb,
                         p.m_dlQlm,     p.m_dlQlM,
                         p.m_dlmlb,     p.m_dlMlb})
            jets << "," << CsvNumber(v);
        jets << RowCells(p.m_Row) << "\n";
    });
    return Save(folder + "/disks.csv", disks.str(), error) && Save(folder + "/jets.csv", jets.str(), error);
}
