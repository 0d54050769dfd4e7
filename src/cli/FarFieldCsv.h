#pragma once
#ifndef PLUMEX_LAYER_CLI
#error "a header of plumex_cli, included by a library that does not link it"
#endif
// farfield.csv: for every outfall with a far field, its values at the edge
// of the mixing zone, at each point of interest and along a grid of
// distances from the diffuser.
#include <string>
#include <vector>

#include "farfield/OutfallFarField.h"

// The file's text (header line first).
std::string FarFieldCsvText(const std::vector<OutfallFarField>& fields, const FarFieldSettings& settings);
// Writes DIR/farfield.csv; false with a reason.
bool WriteFarFieldCsv(const std::vector<OutfallFarField>& fields, const FarFieldSettings& settings,
                      const std::string& dir, std::string& error);
