#pragma once
#ifndef PLUMEX_LAYER_VALIDATION
#error "a header of plumex_validation, included by a library that does not link it"
#endif
// The two input surfaces word a few messages differently.
enum class CheckSurface { Wizard, InputBar };
