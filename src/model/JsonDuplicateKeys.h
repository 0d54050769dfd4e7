#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// Keys given twice in one object of a JSON text. A JSON reader keeps only
// one of them without a word; for a case that would silently drop a value.
#include <string>
#include <vector>

// The paths of the second and later occurrences of every repeated key, in
// the form the case reader reports ("outfalls[0].risers[1].name"). The text
// must be valid JSON (parse it first); an invalid text yields what was
// found before the fault.
std::vector<std::string> FindDuplicateJsonKeys(const std::string& text);
