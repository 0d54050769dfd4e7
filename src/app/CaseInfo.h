#pragma once
// A readable summary of a case: version, scenario, profile, the outfall,
// riser and jet tree with their inputs, and per jet its results.
#include <string>

class CPlumexDoc;

std::string DescribeCase(const CPlumexDoc& doc);
