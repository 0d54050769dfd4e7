#pragma once
#ifndef PLUMEX_LAYER_CLI
#error "a header of plumex_cli, included by a library that does not link it"
#endif
// The results of a computed case as two CSV files in a folder: "disks.csv"
// (every disk of every jet) and "jets.csv" (every jet's key parameters and
// stop reason). Header rows name the columns with their units.
#include <string>

class CPlumexDoc;

// False with a message in error when the folder or a file cannot be written.
bool WriteResultCsv(const CPlumexDoc& doc, const std::string& dir, std::string& error);
