#include "Ambient.h"

#include "Density.h"

#include <algorithm>

namespace mardex {

Ambient::Ambient(const std::vector<ProfileRow>& rows)
{
  depth_.reserve(rows.size());
  rho_.reserve(rows.size());
  u_.reserve(rows.size());
  for (const ProfileRow& r : rows) {
    depth_.push_back(r.depth);
    rho_.push_back(densityKgM3(r.value, r.temperature));
    u_.push_back(r.current);
  }
}

double Ambient::interpolate(const std::vector<double>& v, double depth) const
{
  if (v.empty())
    return 0.0;
  // Not "depth <= front": a NaN depth falls through to the first row too.
  if (!(depth > depth_.front()))
    return v.front();
  if (depth >= depth_.back())
    return v.back();
  // First row strictly deeper than depth; the one before is at or above it.
  const auto it = std::upper_bound(depth_.begin(), depth_.end(), depth);
  const std::size_t i = static_cast<std::size_t>(it - depth_.begin());
  const double d0 = depth_[i - 1], d1 = depth_[i];
  if (!(d1 > d0))
    return v[i];
  const double f = (depth - d0) / (d1 - d0);
  return v[i - 1] + f * (v[i] - v[i - 1]);
}

}  // namespace mardex
