#pragma once
// The two input surfaces word a few messages differently.
enum class CheckSurface { Wizard, InputBar };
