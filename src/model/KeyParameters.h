#pragma once
#ifndef PLUMEX_LAYER_MODEL
#error "a header of plumex_model, included by a library that does not link it"
#endif
// A jet's summary values as the model reported them, with the number of
// computed steps and the merging of its row of ports. The layout of the
// first 344 bytes is fixed because the case stream stores them raw; the
// row's merging follows them and is kept in a stream of its own beside the
// case stream (RowMergingStream.h), so case files keep their layout.
#include <cstddef>
#include <cstdint>

#include "model/RowMerging.h"

// The bytes of the record the case stream holds: everything before m_Row.
constexpr std::size_t kStoredKeyParameterBytes = 344;

#pragma pack(push, 4)
struct CKeyParameters {
    char m_szTitle[128];  // title of the jet's summary page
    double m_dBj;         // buoyancy flux
    double m_dDiameter;
    double m_dDepth;
    double m_dFd;  // densimetric Froude number
    double m_dHAngle;
    double m_dlMlb;  // lM/lb
    double m_dlmlb;  // lm/lb
    double m_dlQlM;  // lQ/lM
    double m_dlQlm;  // lQ/lm
    double m_dlQ;
    double m_dMj;           // momentum flux
    double m_dpa;           // ambient density at the port (g/mL)
    double m_dpo;           // effluent density (g/mL)
    std::int32_t m_nPorts;  // integer of the "N. Ports" row (not displayed)
    std::int32_t m_nPad1;
    double m_dQj;
    double m_dSb;  // average dilution at the last step
    double m_dSm;  // centreline dilution at the last step
    double m_dTotalQ;
    double m_dUa;
    double m_dUj;
    double m_dUjUa;  // Uj/Ua
    double m_dVAngle;
    double m_dlb;
    double m_dlm;
    double m_dlM;
    double m_ddpPa;         // dp/pa
    std::int32_t m_nSteps;  // trajectory lines of the jet
    std::int32_t m_nPad2;
    CRowMerging m_Row;  // not part of the stored record
};
#pragma pack(pop)

static_assert(offsetof(CKeyParameters, m_Row) == kStoredKeyParameterBytes, "stored record must be 344 bytes");
static_assert(offsetof(CKeyParameters, m_dBj) == 128, "layout");
static_assert(offsetof(CKeyParameters, m_nPorts) == 232, "layout");
static_assert(offsetof(CKeyParameters, m_dQj) == 240, "layout");
static_assert(offsetof(CKeyParameters, m_ddpPa) == 328, "layout");
static_assert(offsetof(CKeyParameters, m_nSteps) == 336, "layout");
