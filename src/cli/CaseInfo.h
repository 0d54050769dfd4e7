#pragma once
#ifndef PLUMEX_LAYER_CLI
#error "a header of plumex_cli, included by a library that does not link it"
#endif
// A readable summary of a case: version, scenario, profile, the outfall,
// riser and jet tree with their inputs, and per jet its results.
#include <string>

class CPlumexDoc;

std::string DescribeCase(const CPlumexDoc& doc);
