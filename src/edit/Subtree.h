#pragma once
#ifndef PLUMEX_LAYER_EDIT
#error "a header of plumex_edit, included by a library that does not link it"
#endif
// An outfall, riser or jet with everything below it (jets with their
// results), kept as the bytes the case file holds for it: what a deleted
// item needs to come back exactly, and a new item to come back after its
// creation was taken back.
#include <cstdint>
#include <vector>

#include "edit/ItemPath.h"
#include "edit/ScopeInputs.h"
#include "model/RowMerging.h"

class CCase;

struct Subtree {
    std::vector<std::uint8_t> m_Bytes;
    // The input values the file does not hold as they were (an outfall's
    // effluent fields, a riser's total flow): of an outfall or a riser.
    ScopeInputs m_Inputs;
    // The merging of each jet's row of ports, which the bytes do not hold,
    // in the order of the item's jets.
    std::vector<CRowMerging> m_Rows;
    bool m_bTaken = false;

    // Takes the item the path names (which must exist).
    static Subtree Take(CCase& doc, const ItemPath& path);
    // Puts the item back where the path says (its index may be one past
    // the last); places the jets that carry results for the views. False
    // when the parent is missing or the bytes cannot be read.
    bool Insert(CCase& doc, const ItemPath& path) const;
};
