#include "SuspendWriter.h"

#include "Constants.h"
#include "NumberFormat.h"

#include <algorithm>
#include <cstdio>

namespace mardex {

namespace {

const char* const kEol = "\r\n";
const char* const kTitle = "1  MARDEX2K  BUOYANT JET MODEL RESULTS";

std::string padRight(const std::string& s, std::size_t width)
{
  return s.size() >= width ? s : s + std::string(width - s.size(), ' ');
}

void line(std::string& out, const std::string& text)
{
  out += text + kEol;
}

// A fixed-point number with `decimals` decimals, never "-0.000".
std::string fixed(double v, int decimals)
{
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  std::string s = buf;
  if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos)
    s.erase(0, 1);
  return s;
}

// The free lines of a row of ports: the row, where its plumes first merge
// (the first row with b > a), and the merged field at the end.
void appendRowLines(std::string& out, const JetInput& jet, const JetResult& r)
{
  const PortRow& row = r.setting.row;
  line(out, " PORT ROW: N = " + std::to_string(row.ports) + ", SPACING = " +
                fixed(jet.portSpacing, 4) + " M, AXIS = " + fixed(jet.rowAxis, 2) + " DEG");
  const auto& points = r.trajectory.points;
  std::size_t first = 0;
  while (first < points.size() && !points[first].derived.row.merged)
    ++first;
  if (first == points.size()) {
    line(out, " PLUMES DO NOT MERGE");
    return;
  }
  const State& s = points[first].state;
  line(out, " PLUMES MERGE AT S = " + fixed(s[State::Arc], 4) + " M, X = " + fixed(s[State::X], 4) +
                " M, Z = " + fixed(s[State::Z], 4) +
                " M, DILUTION = " + fixed(points[first].derived.dilution, 3));
  const double b = r.rows.back()[OutputRow::Radius];
  line(out, " MERGED FIELD AT END: HALF WIDTH ACROSS = " + fixed(b, 4) +
                " M, HALF LENGTH ALONG THE ROW = " +
                fixed(0.5 * (row.ports - 1) * row.spacing + b, 4) + " M");
}

}  // namespace

std::string printableName(const std::string& name)
{
  std::size_t n = std::min(name.size(), kMaxNameOutput);
  // Do not cut a UTF-8 sequence: back off over continuation bytes.
  if (n < name.size())
    while (n > 0 && (static_cast<unsigned char>(name[n]) & 0xC0) == 0x80)
      --n;
  std::string out = name.substr(0, n);
  for (char& c : out) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7f)
      c = ' ';
  }
  return out;
}

std::string tableRow(const std::string& leftLabel, const std::string& leftValue,
                     const std::string& rightLabel, const std::string& rightValue)
{
  return " " + padRight(leftLabel, 10) + "= " + padRight(leftValue, 18) + " " +
         padRight(rightLabel, 11) + "= " + rightValue;
}

void appendSuspendPage(std::string& out, int jetNumber, const JetInput& jet, const JetResult& r)
{
  const std::string number = std::to_string(jetNumber);
  if (r.rejected()) {
    // Plumex's reader looks for "COMPUTATIONS CEASE FOR:" on the page-start
    // line itself and takes the jet number from the next line, the reason
    // from the one after. The mark therefore stands on the page start; on a
    // line of its own the reader would take this page for a computed one
    // and swallow the next jet's page.
    line(out, std::string(kTitle) + "   COMPUTATIONS CEASE FOR:");
    line(out, " JET NUMBER    " + number);
    line(out, " " + r.rejection);
    return;
  }
  line(out, kTitle);
  line(out, " ");
  line(out, " ");
  line(out, " JET NO.    " + number);
  line(out, " JET NAME:  " + printableName(jet.name));
  line(out, " ");

  const SourceQuantities& q = r.source;
  const auto v = [](double x) { return formatValue(x); };
  const std::string ports = std::to_string(static_cast<long long>(jet.ports));
  line(out, tableRow("Total Q", v(jet.ports * jet.flow), "Qj", v(jet.flow)));
  line(out, tableRow("N. Ports", ports, "Mj", v(q.momentumFlux)));
  line(out, tableRow("Depth", v(jet.depth), "Bj", v(q.buoyancyFlux)));
  line(out, tableRow("Diameter", v(jet.diameter), "lQ", v(q.lQ)));
  line(out, tableRow("Uj", v(q.jetVelocity), "lm", v(q.lm)));
  line(out, tableRow("Ua", v(jet.currentSpeed), "lb", v(q.lb)));
  line(out, tableRow("dp/pa", v((r.ambientDensity - r.effluentDensity) / r.ambientDensity), "lM",
                     v(q.lM)));
  line(out, tableRow("po", v(r.effluentDensity / 1000.0), "Sm", v(r.centrelineDilution())));
  line(out, tableRow("pa", v(r.ambientDensity / 1000.0), "Sb", v(r.averageDilution())));
  line(out, tableRow("V. angle", v(jet.verticalAngle), "lQ/lm", v(q.lQ_lm)));
  line(out, tableRow("H. angle", v(jet.horizontalAngle), "lQ/lM", v(q.lQ_lM)));
  line(out, tableRow("Fd", v(q.densimetricFroude), "lm/lb", v(q.lm_lb)));
  line(out, tableRow("Uj/Ua", v(q.velocityRatio), "lM/lb", v(q.lM_lb)));
  line(out, " ");
  line(out, " NUMBER OF STEPS = " + std::to_string(r.rows.size()));
  line(out, std::string(" COMPUTATIONS CEASE: ") + stopText(r.trajectory.reason));

  // Free lines (each begins with a blank).
  double x = 0, y = 0, z = 0, t = 0;
  if (!r.rows.empty()) {
    const OutputRow& last = r.rows.back();
    x = last[OutputRow::X];
    y = last[OutputRow::Y];
    z = last[OutputRow::Z];
    t = last[OutputRow::Time];
  }
  line(out, " FINAL X (M)             = " + v(x));
  line(out, " FINAL Y (M)             = " + v(y));
  line(out, " FINAL Z (M)             = " + v(z));
  line(out, " CENTRELINE DILUTION     = " + v(r.centrelineDilution()));
  line(out, " AVERAGE DILUTION        = " + v(r.averageDilution()));
  line(out, " RISE HEIGHT (M)         = " + v(r.trajectory.riseHeight));
  line(out, " TRAVEL TIME (S)         = " + v(t));
  if (r.setting.row.active() && !r.rows.empty())
    appendRowLines(out, jet, r);
  line(out, " ");
}

}  // namespace mardex
