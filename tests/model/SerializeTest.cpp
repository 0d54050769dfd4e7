#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "CaseBuilder.h"
#include "base/AppState.h"
#include "base/Archive.h"
#include "model/Case.h"
#include "support/ScriptedPrompt.h"

namespace {

// Writes a case stream by hand, field by field as the file format lays it
// out, for any of the four versions. Independent of the records' own code.
class StreamWriter {
public:
    explicit StreamWriter(std::string tag) : m_tag(std::move(tag)) {}
    bool V2() const { return m_tag == "Plumex2.0" || m_tag == "Plumex2.00"; }
    void I(std::int32_t v) { Raw(&v, 4); }
    void F(float v) { Raw(&v, 4); }
    void D(double v) { Raw(&v, 8); }
    void T(const std::string& s, size_t w) {
        std::vector<unsigned char> f(w, 0);
        std::memcpy(f.data(), s.data(), std::min(s.size(), w - 1));
        Raw(f.data(), w);
    }
    void Range(float v) {
        for (int i = 0; i < 4; ++i) F(v);
        for (int i = 0; i < 4; ++i) I(0);
    }
    void Material(float base) {
        for (int i = 0; i < 13; ++i) F(base + i);
    }
    void Raw(const void* p, size_t n) {
        auto* b = static_cast<const unsigned char*>(p);
        bytes.insert(bytes.end(), b, b + n);
    }

    // One outfall, one riser, one jet with two disks, one profile row.
    void WholeCase(int ringInterval = 25) {
        T(m_tag, 32);
        Range(-1.0f);
        Range(9.0f);
        // camera: width, height, aspect, eye, target, up, fov, fov0, near, far, far, pad
        I(640);
        I(480);
        D(640.0 / 480.0);
        D(1);
        D(2);
        D(3);
        D(0);
        D(0);
        D(0);
        D(0);
        D(1);
        D(0);
        F(30);
        F(40);
        F(0.5f);
        F(123);
        F(123);
        I(0);
        // cut plane
        D(10.5);
        D(45.25);
        D(-3.0);
        if (V2()) {
            I(2);
            I(17);
        }
        // ambient
        D(1.0);
        D(20.0);
        D(2.0);
        D(25.0);
        T("", 64);
        T("SeaBed", 64);
        T("", 64);
        I(1);
        D(0.0);
        D(1.0246);
        D(0.0);
        D(0.07);
        I(1);  // outfalls
        T("Pipe A", 64);
        Material(0.1f);
        D(26.0);
        D(0.05);
        D(7.5);
        I(1);
        Range(0.5f);
        Range(1.5f);
        if (V2()) {
            D(350.0);
            D(12.5);
        }
        I(1);  // risers
        T("Tower", 64);
        Material(0.2f);
        D(15.0);
        D(1.0);
        D(1.5);
        D(2.0);
        I(1);
        Range(0.5f);
        Range(1.5f);
        I(1);  // jets
        T("Port 1", 64);
        Material(0.3f);
        Material(0.4f);
        D(0.07);
        D(0.15);
        D(0.02);
        D(1.8);
        D(30.0);
        D(10.0);
        D(35.0);
        D(16.0);
        std::vector<unsigned char> kp(344, 0);
        std::int32_t steps = 2;
        std::memcpy(kp.data() + 336, &steps, 4);
        double fd = 12.25;
        std::memcpy(kp.data() + 152, &fd, 8);
        std::memcpy(kp.data(), "Port 1 title", 12);
        Raw(kp.data(), kp.size());
        I(1);
        Range(0.5f);
        Range(1.5f);
        I(2);  // disks
        for (int d = 0; d < 2; ++d) {
            D(0.075 + d);
            D(d);
            D(0);
            D(d * 2.0);
            D(1.0 / (d + 1));
            if (m_tag == "Plumex2.00") D(1.0);
            D(1.0 + d);
            D(1.2);
            D(0.5);
            D(0.0);
            D(0.1 * d);
            D(0.03);
        }
        I(32);
        I(ringInterval);
        if (m_tag == "Plumex1.5") I(0);
        if (m_tag == "Plumex1.51") {
            I(0);
            F(60.0f);
        }
        if (V2()) {
            I(1);
            F(75.0f);
        }
    }

    std::vector<unsigned char> bytes;

private:
    std::string m_tag;
};

struct SerializeFixture : ::testing::Test {
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc{app, prompt};

    bool Load(const std::vector<unsigned char>& b) {
        std::string err;
        return doc.LoadFromBytes(b, err);
    }
};

// Expected stream length from the layout of the file format.
size_t ExpectedLength(int profileRows, const std::vector<std::vector<int>>& disksPerJet) {
    size_t n = 32 + 32 + 32 + 112 + 32;  // tag, ranges, camera, cut plane
    n += 4 * 8 + 3 * 64 + 4 + 32 * profileRows;
    n += 4;                                          // outfall count
    n += 64 + 52 + 3 * 8 + 4 + 32 + 32 + 8 + 8 + 4;  // one outfall
    for (const auto& riser : disksPerJet) {
        n += 64 + 52 + 4 * 8 + 4 + 32 + 32 + 4;
        for (int disks : riser) n += 64 + 52 + 52 + 8 * 8 + 344 + 4 + 32 + 32 + 4 + disks * 96 + 4 + 4;
    }
    return n + 8;  // tail
}

}  // namespace

TEST_F(SerializeFixture, WrittenStreamHasTheSpecifiedSizeAndOffsets) {
    BuildSmallCase(doc, true);
    const std::vector<unsigned char> b = doc.SaveToBytes();
    ASSERT_EQ(b.size(), ExpectedLength(2, {{3, 3}, {3, 3}}));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.data())), "Plumex2.00");
    // Camera block at 96: width and height; near at 96+96.
    std::int32_t w;
    std::memcpy(&w, b.data() + 96, 4);
    EXPECT_EQ(w, 1);
    float nearPlane;
    std::memcpy(&nearPlane, b.data() + 96 + 96, 4);
    EXPECT_EQ(nearPlane, 5.0f);
    // Cut plane kind and disk number after its three doubles.
    std::int32_t diskNo;
    std::memcpy(&diskNo, b.data() + 208 + 24 + 4, 4);
    EXPECT_EQ(diskNo, 200);
    // Profile row count right after the ambient's fixed part.
    std::int32_t rows;
    std::memcpy(&rows, b.data() + 240 + 32 + 192, 4);
    EXPECT_EQ(rows, 2);
    // The tail: no-riser flag and the current angle.
    float angle;
    std::memcpy(&angle, b.data() + b.size() - 4, 4);
    EXPECT_EQ(angle, 90.0f);
}

TEST_F(SerializeFixture, RoundTripKeepsEveryField) {
    BuildSmallCase(doc, true);
    doc.m_ViewControl.SetWindowSize(800, 600);
    doc.m_ViewControl.Dolly(0.5);
    doc.SetCutPlane(12.349, 33.3, 7.777, 44, CutPlaneKind::CrossSection, false);
    doc.GetOutfall(0)->m_Material.SetColor(2, 0.1f, 0.2f, 0.3f, 0.4f);
    doc.SetCurrentAngle(60.0f);
    doc.SetNoRiser(true);
    const std::vector<unsigned char> first = doc.SaveToBytes();

    CAppState app2;
    CCase copy(app2, prompt);
    std::string err;
    ASSERT_TRUE(copy.LoadFromBytes(first, err)) << err;
    EXPECT_TRUE(copy.IsNoRiser());
    EXPECT_EQ(copy.CurrentAngle(), 60.0f);
    EXPECT_EQ(copy.m_ViewControl.m_nWidth, 800);
    EXPECT_EQ(copy.m_ViewControl.m_dEye[2], doc.m_ViewControl.m_dEye[2]);
    EXPECT_EQ(copy.m_CutPlane.m_dHAngle, 12.34);
    EXPECT_EQ(copy.m_CutPlane.m_eKind, CutPlaneKind::CrossSection);
    EXPECT_EQ(copy.m_CutPlane.m_nDiskNo, 44);
    ASSERT_EQ(copy.GetJetCount(), 4);
    ASSERT_EQ(copy.Ambient()->Rows(), doc.Ambient()->Rows());
    const CRiser* a = doc.GetOutfall(0);
    const CRiser* b = copy.GetOutfall(0);
    EXPECT_EQ(b->m_strName, a->m_strName);
    EXPECT_EQ(b->m_dDepth, a->m_dDepth);
    EXPECT_EQ(b->m_dPosition[0], 5.5);
    EXPECT_EQ(b->m_Material.m_fDiffuse[3], 0.4f);
    EXPECT_EQ(b->m_dTemperature, 18.0) << "effluent follows the first jet";
    EXPECT_EQ(b->m_dSalinity, 0.5);
    for (int r = 0; r < 2; ++r) {
        EXPECT_EQ(b->m_Risers[r]->m_strName, a->m_Risers[r]->m_strName);
        EXPECT_EQ(b->m_Risers[r]->m_dDistance, a->m_Risers[r]->m_dDistance);
        EXPECT_DOUBLE_EQ(b->m_Risers[r]->m_dTotalFlow, a->m_Risers[r]->SumOfJetFlows());
        for (int j = 0; j < 2; ++j) {
            const CJet& x = *a->m_Risers[r]->m_Jets[j];
            const CJet& y = *b->m_Risers[r]->m_Jets[j];
            EXPECT_EQ(y.m_strName, x.m_strName);
            EXPECT_EQ(y.m_dFlow, x.m_dFlow);
            EXPECT_EQ(y.m_dDiameter, x.m_dDiameter);
            EXPECT_EQ(y.m_dHAngle, x.m_dHAngle);
            EXPECT_EQ(0, std::memcmp(&y.m_KeyParams, &x.m_KeyParams, kStoredKeyParameterBytes));
            EXPECT_EQ(y.m_pDisplay->m_Disks, x.m_pDisplay->m_Disks);
            EXPECT_EQ(y.m_RangeMax, x.m_RangeMax);
            EXPECT_EQ(y.m_dCurrentAngle, 60.0);
        }
    }
    // Written again, the bytes are the same.
    EXPECT_EQ(copy.SaveToBytes(), first);
}

TEST_F(SerializeFixture, Version15LoadsWithDefaults) {
    StreamWriter w("Plumex1.5");
    w.WholeCase(5);
    doc.SetNoRiser(true);
    ASSERT_TRUE(Load(w.bytes));
    EXPECT_FALSE(doc.IsNoRiser());
    EXPECT_EQ(doc.Version(), "Plumex2.00");
    EXPECT_EQ(doc.CurrentAngle(), 90.0f);
    EXPECT_EQ(doc.m_CutPlane.m_eKind, CutPlaneKind::Horizontal);
    EXPECT_EQ(doc.m_CutPlane.m_nDiskNo, 200);
    EXPECT_EQ(doc.m_CutPlane.m_dVAngle, 45.25);
    const CRiser* o = doc.GetOutfall(0);
    EXPECT_EQ(o->m_dLength, 200.0);
    EXPECT_EQ(o->m_dJetSpacing, 10.0);
    EXPECT_EQ(o->m_dWidth, 4.0) << "a width below 0.1 becomes 4";
    EXPECT_EQ(o->m_dTemperature, 16.0);
    EXPECT_EQ(o->m_dSalinity, 35.0);
    const CJet* j = o->m_Risers[0]->m_Jets[0].get();
    ASSERT_EQ(j->GetDiskCount(), 2);
    EXPECT_EQ(j->m_pDisplay->m_Disks[1].m_dMaxConc, 0.0);
    EXPECT_EQ(j->m_pDisplay->m_Disks[1].m_dDilution, 2.0);
    EXPECT_EQ(j->m_pDisplay->m_nRingInterval, 20) << "a stored interval of 5 reads as 20";
    EXPECT_EQ(j->m_KeyParams.m_dFd, 12.25);
    EXPECT_STREQ(j->m_KeyParams.m_szTitle, "Port 1 title");
    EXPECT_EQ(doc.m_ViewControl.m_fNear, 5.0f);
    EXPECT_EQ(doc.m_ViewControl.m_fFar, 5000.0f);
    EXPECT_EQ(doc.Ambient()->m_dHalfExtentX, 800.0);
    EXPECT_EQ(doc.Ambient()->m_dHalfExtentZ, 800.0);
    EXPECT_EQ(doc.Ambient()->m_dWaterDepth, 25.0);

    // Saving writes the newest version with every field.
    const std::vector<unsigned char> saved = doc.SaveToBytes();
    EXPECT_EQ(saved.size(), ExpectedLength(1, {{2}}));
}

TEST_F(SerializeFixture, Version151CarriesTheAngle) {
    StreamWriter w("Plumex1.51");
    w.WholeCase();
    ASSERT_TRUE(Load(w.bytes));
    EXPECT_EQ(doc.CurrentAngle(), 60.0f);
    EXPECT_EQ(doc.GetOutfall(0)->m_Risers[0]->m_Jets[0]->m_dCurrentAngle, 60.0);
    EXPECT_EQ(doc.GetOutfall(0)->m_dLength, 200.0);
    EXPECT_FALSE(doc.IsNoRiser());
}

TEST_F(SerializeFixture, Version20HasLengthsAndTailButNoMaximumConcentration) {
    StreamWriter w("Plumex2.0");
    w.WholeCase();
    ASSERT_TRUE(Load(w.bytes));
    EXPECT_TRUE(doc.IsNoRiser());
    EXPECT_EQ(doc.CurrentAngle(), 75.0f);
    EXPECT_EQ(doc.m_CutPlane.m_eKind, CutPlaneKind::CrossSection);
    EXPECT_EQ(doc.m_CutPlane.m_nDiskNo, 17);
    EXPECT_EQ(doc.GetOutfall(0)->m_dLength, 350.0);
    EXPECT_EQ(doc.GetOutfall(0)->m_dJetSpacing, 12.5);
    const CJet* j = doc.GetOutfall(0)->m_Risers[0]->m_Jets[0].get();
    EXPECT_EQ(j->m_pDisplay->m_Disks[0].m_dMaxConc, 0.0);
    EXPECT_EQ(j->m_pDisplay->m_Disks[1].m_dThickness, 0.03);
    EXPECT_EQ(j->m_pDisplay->m_nRingInterval, 25);
}

TEST_F(SerializeFixture, Version200ReadsTheMaximumConcentration) {
    StreamWriter w("Plumex2.00");
    w.WholeCase();
    ASSERT_TRUE(Load(w.bytes));
    const CJet* j = doc.GetOutfall(0)->m_Risers[0]->m_Jets[0].get();
    EXPECT_EQ(j->m_pDisplay->m_Disks[0].m_dMaxConc, 1.0);
    EXPECT_EQ(j->m_pDisplay->m_Disks[1].m_dRadius, 1.075);
    EXPECT_EQ(j->m_strName, "Port 1");
    EXPECT_EQ(doc.GetOutfall(0)->m_Risers[0]->m_dTotalFlow, 0.02);
}

TEST_F(SerializeFixture, EveryTruncationFailsCleanlyAndKeepsThePreviousCase) {
    StreamWriter w("Plumex2.00");
    w.WholeCase();
    BuildSmallCase(doc, true);
    doc.SetNoRiser(true);
    doc.GetOutfall(0)->m_nCurrentRiser = 1;
    doc.SetModifiedFlag(true);
    const std::vector<unsigned char> before = doc.SaveToBytes();
    for (size_t cut = 0; cut < w.bytes.size(); ++cut) {
        std::vector<unsigned char> part(w.bytes.begin(), w.bytes.begin() + cut);
        std::string err;
        ASSERT_FALSE(doc.LoadFromBytes(part, err)) << "cut at " << cut;
        ASSERT_FALSE(err.empty());
        ASSERT_EQ(doc.SaveToBytes(), before) << "cut at " << cut;
    }
    EXPECT_TRUE(doc.IsNoRiser());
    EXPECT_EQ(doc.GetCurrentRiser(), doc.GetOutfall(0)->m_Risers[1].get());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(Load(w.bytes));
}

TEST_F(SerializeFixture, TwoCasesKeepTheirOwnScenarioThroughAlternateLoadsAndSaves) {
    // Both cases live in one application, as the windows of one program do.
    CCase other(app, prompt);
    BuildSmallCase(doc, true);
    BuildSmallCase(other, true);
    doc.SetNoRiser(true);
    const std::vector<unsigned char> withoutRisers = doc.SaveToBytes();
    const std::vector<unsigned char> withRisers = other.SaveToBytes();
    // The scenario is the int before the closing angle.
    ASSERT_EQ(withoutRisers[withoutRisers.size() - 8], 1);
    ASSERT_EQ(withRisers[withRisers.size() - 8], 0);
    for (int round = 0; round < 2; ++round) {
        std::string err;
        ASSERT_TRUE(other.LoadFromBytes(withRisers, err)) << err;
        ASSERT_TRUE(doc.LoadFromBytes(withoutRisers, err)) << err;
        EXPECT_TRUE(doc.IsNoRiser());
        EXPECT_FALSE(other.IsNoRiser());
        EXPECT_EQ(other.SaveToBytes(), withRisers);
        EXPECT_EQ(doc.SaveToBytes(), withoutRisers);
    }
}

TEST_F(SerializeFixture, AnOldFileReadBesideANewestOneKeepsEachVersionsFields) {
    StreamWriter newest("Plumex2.00");
    newest.WholeCase();
    StreamWriter oldest("Plumex1.5");
    oldest.WholeCase();
    ASSERT_TRUE(Load(newest.bytes));
    const std::vector<unsigned char> newestSaved = doc.SaveToBytes();

    // A new case starts with the application's scenario setting.
    CAppState withoutRisers;
    withoutRisers.m_bNewCaseNoRiser = true;
    CCase old(withoutRisers, prompt);
    EXPECT_TRUE(old.IsNoRiser());
    std::string err;
    ASSERT_TRUE(old.LoadFromBytes(oldest.bytes, err)) << err;
    EXPECT_FALSE(old.IsNoRiser()) << "files before version 2 have risers";
    EXPECT_EQ(old.GetOutfall(0)->m_dLength, 200.0);
    EXPECT_EQ(old.GetOutfall(0)->m_Risers[0]->m_Jets[0]->m_pDisplay->m_Disks[1].m_dMaxConc, 0.0);

    // The newest case still reads and writes as it did.
    EXPECT_TRUE(doc.IsNoRiser());
    EXPECT_EQ(doc.GetOutfall(0)->m_dLength, 350.0);
    EXPECT_EQ(doc.SaveToBytes(), newestSaved);
    ASSERT_TRUE(Load(newestSaved));
    EXPECT_EQ(doc.GetOutfall(0)->m_Risers[0]->m_Jets[0]->m_pDisplay->m_Disks[1].m_dMaxConc, 1.0);
    EXPECT_EQ(doc.SaveToBytes(), newestSaved);
}

TEST_F(SerializeFixture, ACutPlaneKindIsWrittenBackAsReadAndOneThatNamesNoKindIsRefused) {
    BuildSmallCase(doc, true);
    const std::vector<unsigned char> saved = doc.SaveToBytes();
    const size_t kindAt = 208 + 24;
    for (std::int32_t kind : {0, 4}) {
        std::vector<unsigned char> b = saved;
        std::memcpy(b.data() + kindAt, &kind, 4);
        ASSERT_TRUE(Load(b)) << kind;
        EXPECT_EQ(doc.SaveToBytes(), b) << kind;
    }
    for (std::int32_t kind : {7, -1}) {
        std::vector<unsigned char> b = saved;
        std::memcpy(b.data() + kindAt, &kind, 4);
        EXPECT_FALSE(Load(b)) << kind;
    }
}

TEST_F(SerializeFixture, HugeCountsAreRefused) {
    StreamWriter w("Plumex2.00");
    w.WholeCase();
    // Offsets of the counts in the hand-built stream.
    const size_t rowCount = 240 + 32 + 192;
    const size_t outfallCount = rowCount + 4 + 32;
    const size_t riserCount = outfallCount + 4 + 64 + 52 + 24 + 4 + 64 + 16;
    const size_t jetCount = riserCount + 4 + 64 + 52 + 32 + 4 + 64;
    const size_t diskCount = jetCount + 4 + 64 + 104 + 64 + 344 + 4 + 64;
    for (size_t at : {rowCount, outfallCount, riserCount, jetCount, diskCount}) {
        for (std::int32_t bad : {std::numeric_limits<std::int32_t>::max(), -1, 1000}) {
            std::vector<unsigned char> b = w.bytes;
            std::memcpy(b.data() + at, &bad, 4);
            std::string err;
            EXPECT_FALSE(doc.LoadFromBytes(b, err)) << "count at " << at << " = " << bad;
            EXPECT_EQ(doc.GetOutfallCount(), 0);
        }
    }
}

TEST_F(SerializeFixture, NameFilledToItsWidthLoadsWithSixtyFourCharacters) {
    StreamWriter w("Plumex2.00");
    w.WholeCase();
    const size_t outfallName = 240 + 32 + 192 + 4 + 32 + 4;
    std::vector<unsigned char> b = w.bytes;
    std::memset(b.data() + outfallName, 'x', 64);
    std::string err;
    ASSERT_TRUE(doc.LoadFromBytes(b, err)) << err;
    EXPECT_EQ(doc.GetOutfall(0)->m_strName, std::string(64, 'x'));
    EXPECT_EQ(doc.GetOutfall(0)->m_dDepth, 26.0) << "the fields after the name keep their places";
    EXPECT_EQ(doc.GetOutfall(0)->m_Risers[0]->m_strName, "Tower");
}

TEST_F(SerializeFixture, NonFiniteSizesAreRefused) {
    StreamWriter w("Plumex2.00");
    w.WholeCase();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    std::vector<unsigned char> b = w.bytes;
    std::memcpy(b.data() + 240 + 24, &nan, 8);  // water depth
    std::string err;
    EXPECT_FALSE(doc.LoadFromBytes(b, err));
    EXPECT_EQ(doc.GetOutfallCount(), 0);
}

TEST_F(SerializeFixture, ASeaBedNameThatIsAPathFallsBackToTheDefault) {
    StreamWriter w("Plumex2.00");
    w.WholeCase();
    std::vector<unsigned char> b = w.bytes;
    const size_t bedName = 240 + 32 + 64;
    std::memset(b.data() + bedName, 0, 64);
    std::memcpy(b.data() + bedName, "../../secret", 12);
    ASSERT_TRUE(Load(b));
    EXPECT_EQ(doc.Ambient()->m_strFaceNames[0], "SeaBed");
}
