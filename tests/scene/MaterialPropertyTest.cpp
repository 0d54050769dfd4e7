#include <gtest/gtest.h>

#include <cstring>

#include "base/AppState.h"
#include "base/Archive.h"
#include "model/MaterialProperty.h"

namespace {
struct Expected {
    float amb[4];
    float dif[4];
    float shin;
};

void ExpectMaterial(const Expected& e, const CMaterialProperty& m) {
    float c[4];
    m.GetColorArray(CMaterialProperty::kAmbient, c);
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(e.amb[i], c[i]) << "ambient " << i;
    m.GetColorArray(CMaterialProperty::kDiffuse, c);
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(e.dif[i], c[i]) << "diffuse " << i;
    m.GetColorArray(CMaterialProperty::kSpecular, c);
    for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(1.0f, c[i]) << "specular " << i;
    EXPECT_FLOAT_EQ(e.shin, m.GetShininess());
}

// Thirteen distinct values, so that a swapped field shows.
CMaterialProperty Distinct() {
    CMaterialProperty m;
    m.SetColor(1, 0.1f, 0.2f, 0.3f, 0.4f);
    m.SetColor(2, 0.5f, 0.6f, 0.7f, 0.8f);
    m.SetColor(3, 0.9f, 0.15f, 0.25f, 0.35f);
    m.SetShininess(77.5f);
    return m;
}

void ExpectSameFloats(const CMaterialProperty& a, const CMaterialProperty& b) {
    EXPECT_EQ(0, std::memcmp(a.m_fAmbient, b.m_fAmbient, sizeof a.m_fAmbient));
    EXPECT_EQ(0, std::memcmp(a.m_fDiffuse, b.m_fDiffuse, sizeof a.m_fDiffuse));
    EXPECT_EQ(0, std::memcmp(a.m_fSpecular, b.m_fSpecular, sizeof a.m_fSpecular));
    EXPECT_EQ(a.m_fShininess, b.m_fShininess);
}
}  // namespace

TEST(MaterialProperty, DefaultsOfTheOwners) {
    const Expected structure{{0.205f, 0.16f, 0.135f, 1}, {0.82f, 0.64f, 0.54f, 1}, 50};
    ExpectMaterial(structure, CMaterialProperty::OutfallDefault());
    ExpectMaterial(structure, CMaterialProperty::RiserDefault());
    ExpectMaterial({{0, 0.2f, 0.2f, 1}, {0.3f, 0.9f, 0, 0.6f}, 100}, CMaterialProperty::JetHighDefault());
    ExpectMaterial({{0, 0.2f, 0.2f, 1}, {0.3f, 0.9f, 1, 0.6f}, 100}, CMaterialProperty::JetLowDefault());
    ExpectMaterial({{0, 0.5f, 0.5f, 1}, {0.6f, 1, 0, 0.6f}, 100}, CMaterialProperty::ParticleADefault());
    ExpectMaterial({{0, 0.5f, 0.5f, 1}, {0.6f, 0.2f, 1, 0.6f}, 100}, CMaterialProperty::ParticleBDefault());
}

TEST(MaterialProperty, ColourKindsOutsideOneToThreeAreIgnored) {
    const CMaterialProperty before = Distinct();
    CMaterialProperty m = Distinct();
    m.SetColor(0, 9, 9, 9, 9);
    m.SetColor(4, 9, 9, 9, 9);
    const float nines[4] = {9, 9, 9, 9};
    m.SetColorArray(-1, nines);
    m.SetColorArray(4, nines);
    ExpectSameFloats(before, m);

    float out[4] = {-1, -2, -3, -4};
    m.GetColorArray(0, out);
    m.GetColorArray(4, out);
    EXPECT_EQ(-1.0f, out[0]);
    EXPECT_EQ(-4.0f, out[3]);

    const float c[4] = {0.25f, 0.5f, 0.75f, 1};
    m.SetColorArray(CMaterialProperty::kSpecular, c);
    m.GetColorArray(CMaterialProperty::kSpecular, out);
    EXPECT_EQ(0, std::memcmp(c, out, sizeof c));
    m.GetColorArray(CMaterialProperty::kDiffuse, out);
    EXPECT_FLOAT_EQ(0.5f, out[0]);
}

TEST(MaterialProperty, CopyFromTakesAllThirteenFloats) {
    CMaterialProperty m = CMaterialProperty::JetLowDefault();
    m.CopyFrom(Distinct());
    ExpectSameFloats(Distinct(), m);
}

TEST(MaterialProperty, SerializesAs52BytesInFieldOrder) {
    CArchive out;
    CMaterialProperty m = Distinct();
    m.Serialize(out);
    ASSERT_EQ(52u, out.Data().size());
    float f[13];
    std::memcpy(f, out.Data().data(), sizeof f);
    EXPECT_EQ(0.1f, f[0]);    // ambient r
    EXPECT_EQ(0.5f, f[4]);    // diffuse r
    EXPECT_EQ(0.35f, f[11]);  // specular a
    EXPECT_EQ(77.5f, f[12]);  // shininess

    CArchive in(out.Data());
    CMaterialProperty back;
    back.Serialize(in);
    EXPECT_EQ(0u, in.Remaining());
    ExpectSameFloats(m, back);
}

TEST(MaterialProperty, ShortStreamThrowsAndLeavesMaterial) {
    CArchive out;
    CMaterialProperty m = Distinct();
    m.Serialize(out);
    std::vector<std::uint8_t> bytes = out.Data();
    bytes.resize(50);
    CArchive in(bytes);
    CMaterialProperty target = CMaterialProperty::RiserDefault();
    EXPECT_THROW(target.Serialize(in), CArchiveException);
    ExpectSameFloats(CMaterialProperty::RiserDefault(), target);
}
