// model_bundled_test.cpp -- the 3-D models of the bundled aircraft held against their records:
// lifting parts reach their semi-length, left and right halves mirror each other, bodies stand on
// the record's outline points, and every point and normal is a finite number.
#include "flight_harness.h"
#include "hl_drplane.h"
#include "hl_model.h"
#include "hl_types.h"

#include <kvtest.h>

#include <cmath>

namespace {

constexpr float DEG = 3.14159265358979f / 180.0f;

const char* const BUNDLED[] = {
    FH_TRAINER,
    "planes/System Planes (don't move)/Husky/Husky.acf",
    "planes/System Planes (don't move)/B-52H Stratofortress/B-52H Stratofortress.acf",
    FH_GLIDER,
    FH_HELI,
    FH_JET,
    FH_FLOATPLANE,
};

void load(const char* rel)
{
    fh_world();
    ASSERT_EQ(fh_load(fh_bundled(rel)), 1) << rel;
    load_plane_geo(0, 0, 0);
}

// The chord of lifting part p at section l.
float chord_at(int p, int l)
{
    const int els = f_body_s_dim(p, 0) - 1;
    return pln[0].Croot[p] + (pln[0].Ctip[p] - pln[0].Croot[p]) * (float)l / (float)els;
}

}  // namespace

TEST(BundledModel, LiftingPartsReachTheirSemiLength)
{
    for (const char* rel : BUNDLED) {
        SCOPED_TRACE(rel);
        load(rel);
        int parts = 0;
        for (int p = 4; p <= 17; p++) {
            if (!have_this_part(p, 0)) continue;
            SCOPED_TRACE(p);
            parts++;
            const planestruct& pl = pln[0];
            const int els = f_body_s_dim(p, 0) - 1;
            // The quarter-chord points of root and tip lie a semi-length apart, and the root's
            // sits on the part's arm.
            const float* r = mdl[0].a_xyz[p][0][0];
            const float* t = mdl[0].a_xyz[p][els][0];
            const float rq[3] = {r[0], r[1], r[2] + 0.25f * chord_at(p, 0)};
            const float tq[3] = {t[0], t[1], t[2] + 0.25f * chord_at(p, els)};
            EXPECT_NEAR(rq[0], pl.Xarm[p], 1e-3f);
            EXPECT_NEAR(rq[1], pl.Yarm[p], 1e-3f);
            EXPECT_NEAR(rq[2], pl.Zarm[p], 1e-3f);
            const float d = std::sqrt((tq[0] - rq[0]) * (tq[0] - rq[0]) + (tq[1] - rq[1]) * (tq[1] - rq[1]) +
                                      (tq[2] - rq[2]) * (tq[2] - rq[2]));
            EXPECT_NEAR(d, pl.semilen[p], 1e-3f * (1.0f + pl.semilen[p]));
            // Outward on its own side: the span's lateral part follows dihedral and sweep.
            EXPECT_NEAR(std::fabs(tq[0] - rq[0]), pl.semilen[p] * std::fabs(std::cos(pl.dihed[p] * DEG)) *
                                                     std::cos(pl.sweep1[p] * DEG),
                        1e-3f * (1.0f + pl.semilen[p]));
            // The trailing edge is a chord behind the leading edge at every section.
            for (int l = 0; l <= els; l++)
                EXPECT_NEAR(mdl[0].a_xyz[p][l][6][2] - mdl[0].a_xyz[p][l][0][2], chord_at(p, l), 1e-3f);
        }
        // Every aircraft here but the helicopter has wings and a tail.
        if (!pln[0].is_heli) {
            EXPECT_GE(parts, 4);
        }
    }
}

TEST(BundledModel, LeftAndRightHalvesMirror)
{
    for (const char* rel : BUNDLED) {
        SCOPED_TRACE(rel);
        load(rel);
        const planestruct& pl = pln[0];
        for (int left = 4; left <= 10; left += 2) {
            const int right = left + 1;
            if (!have_this_part(left, 0) || !have_this_part(right, 0)) continue;
            // Only pairs the record itself describes as mirror images.
            if (std::fabs(pl.Xarm[left] + pl.Xarm[right]) > 1e-4f || pl.semilen[left] != pl.semilen[right] ||
                pl.dihed[left] != pl.dihed[right] || pl.sweep1[left] != pl.sweep1[right] ||
                pl.els[left] != pl.els[right] || pl.Croot[left] != pl.Croot[right] ||
                afl[0].trat[left][0] != afl[0].trat[right][0] || afl[0].trat[left][1] != afl[0].trat[right][1])
                continue;
            SCOPED_TRACE(left);
            const int ns = f_body_s_dim(left, 0);
            for (int s = 0; s < ns; s++)
                for (int k = 0; k < 12; k++) {
                    const float* a = mdl[0].a_xyz[left][s][k];
                    const float* b = mdl[0].a_xyz[right][s][k];
                    const float* na = mdl[0].n_xyz[left][s][k];
                    const float* nb = mdl[0].n_xyz[right][s][k];
                    EXPECT_NEAR(a[0], -b[0], 1e-4f);
                    EXPECT_NEAR(a[1], b[1], 1e-4f);
                    EXPECT_NEAR(a[2], b[2], 1e-4f);
                    EXPECT_NEAR(na[0], -nb[0], 1e-3f);
                    EXPECT_NEAR(na[1], nb[1], 1e-3f);
                }
        }
    }
}

TEST(BundledModel, PointsAndNormalsAreSound)
{
    for (const char* rel : BUNDLED) {
        SCOPED_TRACE(rel);
        load(rel);
        int bodies = 0;
        for (int p = 0; p < MDL_PARTS; p++) {
            if (!have_this_part(p, 0)) continue;
            SCOPED_TRACE(p);
            const int ns = f_body_s_dim(p, 0), nr = f_body_r_dim(p);
            ASSERT_LE(ns, MDL_SECTIONS);
            for (int s = 0; s < ns; s++)
                for (int k = 0; k < nr; k++) {
                    const float* a = mdl[0].a_xyz[p][s][k];
                    const float* n = mdl[0].n_xyz[p][s][k];
                    for (int i = 0; i < 3; i++) {
                        ASSERT_TRUE(std::isfinite(a[i]));
                        ASSERT_TRUE(std::isfinite(n[i]));
                    }
                    EXPECT_NEAR(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1.0f, 1e-4f);
                    for (int i = 0; i < 2; i++) {
                        EXPECT_GE(mdl[0].st[p][s][k][i], 0.0f);
                        EXPECT_LE(mdl[0].st[p][s][k][i], 1.0f);
                    }
                    // Bodies stand on their record's stations.
                    if (p >= 18) {
                        EXPECT_EQ(a[0], pln[0].body_X[p][s][k]);
                        EXPECT_EQ(a[1], pln[0].body_Y[p][s][k]);
                        EXPECT_EQ(a[2], pln[0].body_Z[p][s][k]);
                    }
                }
            bodies += p >= 18;
            // The upper surface of a wing or stabiliser that is not steeply tilted faces up.
            if (p >= 4 && p <= 11 && std::fabs(pln[0].dihed[p]) < 45.0f && afl[0].trat[p][0] > 0.0f) {
                for (int s = 0; s < ns; s++) {
                    EXPECT_GT(mdl[0].n_xyz[p][s][3][1], 0.5f) << "section " << s;
                    EXPECT_LT(mdl[0].n_xyz[p][s][9][1], -0.5f) << "section " << s;
                }
            }
        }
        EXPECT_GE(bodies, 1);
    }
}
