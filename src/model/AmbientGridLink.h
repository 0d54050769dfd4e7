#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// The input bar's ambient profile grid, as the case model sees it: the
// depth column (rows after the header row). No grid means no link.
#include <vector>

class CAmbientGridLink {
public:
    virtual ~CAmbientGridLink() = default;
    virtual std::vector<double> DepthColumn() const = 0;
};
