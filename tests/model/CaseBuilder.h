#pragma once
// Builds small cases in code for the model tests.
#include "model/Case.h"

// A case with a profile of two rows, one outfall with two risers of two
// jets each; jets carry a few disks and key parameters when withResults.
void BuildSmallCase(CCase& doc, bool withResults);
