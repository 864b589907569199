// model_test.cpp -- the aircraft model's mesh, normals and texture coordinates worked out by hand
// for a small aircraft, and the paint templates read back through the bitmap loader.
#include "hl_model.h"

#include "hl_drplane.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "kvtest.h"
#include "model_aircraft.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr float DEG = 3.14159265358979f / 180.0f;

class Model : public ::testing::Test {
protected:
    TempDir dir;
    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        ogl_ready = 0;
        mdl_aircraft((dir.str() + "/Test.acf").c_str());
    }
    static const float* P(int p, int s, int k) { return mdl[0].a_xyz[p][s][k]; }
    static const float* N(int p, int s, int k) { return mdl[0].n_xyz[p][s][k]; }
};

// Runs the body with the current folder set to `folder`, and puts the old one back.
struct InFolder {
    std::filesystem::path old = std::filesystem::current_path();
    explicit InFolder(const std::string& folder) { std::filesystem::current_path(folder); }
    ~InFolder() { std::filesystem::current_path(old); }
};

std::vector<uint8_t> file_bytes(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

uint32_t le32(const std::vector<uint8_t>& b, int at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | ((uint32_t)b[at + 3] << 24);
}

}  // namespace

TEST_F(Model, WingPointsLieOnTheirChordAndSpan)
{
    load_plane_geo(0, 0, 0);
    struct Case {
        int p;
        float side;   // +1 right, -1 left
    };
    for (Case c : {Case{5, 1.0f}, Case{4, -1.0f}}) {
        SCOPED_TRACE(c.p);
        const int els = 4;
        for (int l = 0; l <= els; l++) {
            const float f = (float)l / (float)els;
            const float chord = 1.6f + (1.0f - 1.6f) * f;
            // Leading and trailing edge: on the chord line, a quarter chord ahead and three quarters behind.
            EXPECT_NEAR(P(c.p, l, 0)[0], c.side * (0.5f + 5.0f * f), 1e-5f);
            EXPECT_NEAR(P(c.p, l, 0)[1], 0.5f, 1e-6f);
            EXPECT_NEAR(P(c.p, l, 0)[2], -0.5f - 0.25f * chord, 1e-5f);
            EXPECT_NEAR(P(c.p, l, 6)[2], -0.5f + 0.75f * chord, 1e-5f);
            // The thickest point: half the thickness above the chord line, 0.11 chords behind the quarter chord.
            EXPECT_NEAR(P(c.p, l, 4)[1], 0.5f + 0.5f * 0.12f * chord, 1e-5f);
            EXPECT_NEAR(P(c.p, l, 8)[1], 0.5f - 0.5f * 0.12f * chord, 1e-5f);
            EXPECT_NEAR(P(c.p, l, 4)[2], -0.5f + 0.11f * chord, 1e-5f);
            // The aileron hinge (ratio 0.3) at 0.45 chords, 0.234375 of the thickness above and below.
            EXPECT_NEAR(P(c.p, l, 5)[2], -0.5f + 0.45f * chord, 1e-5f);
            EXPECT_NEAR(P(c.p, l, 5)[1] - 0.5f, 0.234375f * 0.12f * chord, 1e-5f);
            EXPECT_NEAR(P(c.p, l, 7)[1] - 0.5f, -0.234375f * 0.12f * chord, 1e-5f);
        }
        // Root and tip references are the hinge midpoints.
        EXPECT_NEAR(mdl[0].co_xyz[c.p][0], c.side * 0.5f, 1e-5f);
        EXPECT_NEAR(mdl[0].ca_xyz[c.p][0], c.side * 5.5f, 1e-5f);
        EXPECT_NEAR(mdl[0].ca_xyz[c.p][2], -0.5f + 0.45f * 1.0f, 1e-5f);
    }
}

TEST_F(Model, DihedralAndSweepMoveTheTip)
{
    struct Case {
        float dihed, sweep;
    };
    for (Case c : {Case{0, 0}, Case{7, 0}, Case{0, 35}, Case{-5, 20}}) {
        SCOPED_TRACE(c.dihed);
        pln[0].dihed[5] = c.dihed;
        pln[0].sweep1[5] = c.sweep;
        load_plane_geo(0, 0, 0);
        // The tip's leading edge: the span turned by dihedral and sweep from the root, one tip
        // chord quarter ahead.
        const float span = 5.0f;
        const float tx = 0.5f + span * std::cos(c.dihed * DEG) * std::cos(c.sweep * DEG);
        const float ty = 0.5f + span * std::sin(c.dihed * DEG) * std::cos(c.sweep * DEG);
        const float tz = -0.5f + span * std::sin(c.sweep * DEG) - 0.25f;
        EXPECT_NEAR(P(5, 4, 0)[0], tx, 1e-4f);
        EXPECT_NEAR(P(5, 4, 0)[1], ty, 1e-4f);
        EXPECT_NEAR(P(5, 4, 0)[2], tz, 1e-4f);
        // The distance from root to tip leading edge ignoring the chord offset is the semi-length.
        const float dx = P(5, 4, 0)[0] - P(5, 0, 0)[0], dy = P(5, 4, 0)[1] - P(5, 0, 0)[1];
        const float dz = (P(5, 4, 0)[2] + 0.25f) - (P(5, 0, 0)[2] + 0.4f);
        EXPECT_NEAR(std::sqrt(dx * dx + dy * dy + dz * dz), span, 1e-4f);
        // Thickness stands square to the dihedral: the top point moves along (-sin, cos).
        const float tx4 = P(5, 0, 4)[0] - P(5, 0, 0)[0], ty4 = P(5, 0, 4)[1] - P(5, 0, 0)[1];
        EXPECT_NEAR(tx4, -std::sin(c.dihed * DEG) * 0.5f * 0.12f * 1.6f, 1e-5f);
        EXPECT_NEAR(ty4, std::cos(c.dihed * DEG) * 0.5f * 0.12f * 1.6f, 1e-5f);
    }
}

TEST_F(Model, HingeFollowsTheControlOfThePart)
{
    load_plane_geo(0, 0, 0);
    struct Case {
        int p;
        float ratio;
        float chord;   // root chord
        float trat;
    };
    // Wing with ailerons 0.3, elevator 0.4, rudder 0.35; a pylon with no control keeps 0.25.
    pln[0].numen = 1;
    mdl_wing(pln[0], 14, 1, 0.0f, -0.5f, -3.0f, 1.0f, 1.0f, 0.5f, 0.0f, -90.0f, 0.1f);
    load_plane_geo(0, 0, 0);
    for (Case c : {Case{5, 0.3f, 1.6f, 0.12f}, Case{11, 0.4f, 1.0f, 0.09f}, Case{12, 0.35f, 1.2f, 0.09f},
                   Case{14, 0.25f, 1.0f, 0.1f}}) {
        SCOPED_TRACE(c.p);
        const float cf = 0.75f - c.ratio;
        const float d = 0.5f * (0.75f - cf) / 0.64f;
        const float* h = P(c.p, 0, 5);
        const float* le = P(c.p, 0, 0);
        EXPECT_NEAR(h[2] - le[2], (cf + 0.25f) * c.chord, 1e-5f);
        const float dx = h[0] - le[0], dy = h[1] - le[1];
        EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), d * c.chord * c.trat, 1e-5f);
    }
    // A wing with no aileron anywhere keeps its hinge at half chord.
    for (int e = 0; e < 8; e++) pln[0].ailn[5][e] = 0;
    load_plane_geo(0, 0, 0);
    EXPECT_NEAR(P(5, 0, 5)[2] - P(5, 0, 0)[2], 0.75f * 1.6f, 1e-5f);
}

TEST_F(Model, NormalsAreUnitAndPointOut)
{
    pln[0].dihed[5] = 6.0f;
    pln[0].dihed[4] = 6.0f;
    load_plane_geo(0, 0, 0);
    for (int p = 0; p < MDL_PARTS; p++) {
        if (!have_this_part(p, 0)) continue;
        SCOPED_TRACE(p);
        for (int s = 0; s < f_body_s_dim(p, 0); s++)
            for (int k = 0; k < f_body_r_dim(p); k++) {
                const float* n = N(p, s, k);
                ASSERT_TRUE(std::isfinite(n[0]) && std::isfinite(n[1]) && std::isfinite(n[2]));
                EXPECT_NEAR(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1.0f, 1e-4f);
            }
    }
    // The top of both wings and stabilisers faces up, the bottom down.
    for (int p : {4, 5, 10, 11}) {
        SCOPED_TRACE(p);
        EXPECT_GT(N(p, 1, 3)[1], 0.9f);
        EXPECT_LT(N(p, 1, 9)[1], -0.9f);
    }
    // The fin's sides face sideways: the side of its upper surface (points 1..4) faces left.
    EXPECT_LT(N(12, 1, 3)[0], -0.9f);
    EXPECT_GT(N(12, 1, 9)[0], 0.9f);
    // The fuselage's top faces up and its right side right.
    EXPECT_GT(N(18, 5, 0)[1], 0.9f);
    EXPECT_GT(N(18, 5, 4)[0], 0.9f);
    EXPECT_LT(N(18, 5, 12)[0], -0.9f);
}

TEST_F(Model, FlatPartsFaceUpOnBothSides)
{
    // No airfoil thickness: upper and lower points coincide, the trailing edge has no neighbours
    // apart; both halves still face up and down alike, mirrored.
    afl[0].trat[10][0] = afl[0].trat[10][1] = afl[0].trat[11][0] = afl[0].trat[11][1] = 0.0f;
    load_plane_geo(0, 0, 0);
    for (int s = 0; s < 3; s++)
        for (int k = 0; k < 12; k++) {
            SCOPED_TRACE(s * 100 + k);
            const float* l = N(10, s, k);
            const float* r = N(11, s, k);
            EXPECT_NEAR(l[0], -r[0], 1e-5f);
            EXPECT_NEAR(l[1], r[1], 1e-5f);
            EXPECT_NEAR(l[2], r[2], 1e-5f);
            EXPECT_NEAR(std::fabs(l[1]), 1.0f, 1e-5f);
        }
    EXPECT_GT(N(11, 1, 3)[1], 0.0f);
    EXPECT_GT(N(11, 1, 6)[1], 0.0f);
}

TEST_F(Model, PropellerBladesAndDisc)
{
    struct Case {
        int blades;
        int sections;
    };
    for (Case c : {Case{2, 4}, Case{3, 6}, Case{7, 14}, Case{9, 18}}) {
        SCOPED_TRACE(c.blades);
        pln[0].numblades[0] = (float)c.blades;
        load_plane_geo(0, 0, 0);
        ASSERT_EQ(f_body_s_dim(0, 0), c.sections);
        for (int e = 0; e < c.blades; e++) {
            const float* root = P(0, 2 * e, 0);
            const float* tip = P(0, 2 * e, 1);
            const float* root2 = P(0, 2 * e + 1, 0);
            const float* tip2 = P(0, 2 * e + 1, 1);
            // Root corners a half root chord from the hub, tip corners at the radius and a half tip chord off it.
            EXPECT_NEAR(std::hypot(root[0], root[1]), 0.1f, 1e-5f);
            EXPECT_NEAR(std::hypot(tip[0], tip[1]), std::hypot(1.0f, 0.05f), 1e-5f);
            // The blade's middle line points at e + 1 turns of 360 / blades from straight up, clockwise.
            const float mx = 0.5f * (tip[0] + tip2[0]), my = 0.5f * (tip[1] + tip2[1]);
            const float a = (float)(e + 1) * 360.0f / (float)c.blades * DEG;
            EXPECT_NEAR(mx, std::sin(a), 1e-4f);
            EXPECT_NEAR(my, std::cos(a), 1e-4f);
            EXPECT_NEAR(root[0] + root2[0], 0.0f, 1e-5f);
            EXPECT_EQ(tip[2], 0.0f);
        }
    }
}

TEST_F(Model, BodiesKeepTheRecordsPoints)
{
    load_plane_geo(0, 0, 0);
    for (int b : {18, 25, 26, 27}) {
        SCOPED_TRACE(b);
        for (int s = 0; s < f_body_s_dim(b, 0); s++)
            for (int k = 0; k < f_body_r_dim(b); k++) {
                EXPECT_EQ(P(b, s, k)[0], pln[0].body_X[b][s][k]);
                EXPECT_EQ(P(b, s, k)[1], pln[0].body_Y[b][s][k]);
                EXPECT_EQ(P(b, s, k)[2], pln[0].body_Z[b][s][k]);
            }
    }
}

TEST_F(Model, TextureCoordinatesSpanThePicture)
{
    load_plane_geo(0, 0, 0);
    // Wing: the root leading edge is foremost, the root trailing edge rearmost; t is the span fraction.
    EXPECT_NEAR(mdl[0].st[5][0][0][0], 0.0f, 1e-6f);
    EXPECT_NEAR(mdl[0].st[5][0][6][0], 1.0f, 1e-6f);
    EXPECT_NEAR(mdl[0].st[5][4][0][0], (0.4f - 0.25f) / 1.6f, 1e-5f);
    for (int l = 0; l <= 4; l++) EXPECT_FLOAT_EQ(mdl[0].st[5][l][3][1], (float)l / 4.0f);
    // Fuselage: s runs nose to tail, t from the bottom (0) over the mean height (0.5) to the top
    // (1), the left side mirroring the right.
    const auto& st = mdl[0].st[18];
    EXPECT_NEAR(st[0][0][0], 0.0f, 1e-6f);
    EXPECT_NEAR(st[10][0][0], 1.0f, 1e-6f);
    EXPECT_NEAR(st[5][0][1], 1.0f, 1e-5f);
    EXPECT_NEAR(st[5][8][1], 0.0f, 1e-5f);
    EXPECT_NEAR(st[5][4][1], 0.5f, 1e-5f);
    for (int k = 1; k < 8; k++) EXPECT_FLOAT_EQ(st[5][k][1], st[5][16 - k][1]);
    for (int p = 0; p < MDL_PARTS; p++)
        for (int s = 0; s < 18; s++)
            for (int k = 0; k < 16; k++)
                for (int i = 0; i < 2; i++) {
                    EXPECT_GE(mdl[0].st[p][s][k][i], 0.0f);
                    EXPECT_LE(mdl[0].st[p][s][k][i], 1.0f);
                }
}

TEST_F(Model, MissingPartsAreLeftEmpty)
{
    // A semi-length of 0.05 is no part; 0.06 is one.
    pln[0].semilen[11] = 0.05f;
    load_plane_geo(0, 0, 0);
    EXPECT_EQ(P(11, 0, 0)[0], 0.0f);
    EXPECT_EQ(mdl[0].ca_xyz[11][0], 0.0f);
    pln[0].semilen[11] = 0.06f;
    load_plane_geo(0, 0, 0);
    EXPECT_NEAR(mdl[0].ca_xyz[11][0], 0.2f + 0.06f, 1e-5f);
    // Elements out of range are held inside the grid.
    pln[0].els[5] = 0;
    load_plane_geo(0, 0, 0);
    EXPECT_EQ(f_body_s_dim(5, 0), 2);
    EXPECT_NEAR(P(5, 1, 0)[0], 5.5f, 1e-5f);
    pln[0].els[5] = 40;
    load_plane_geo(0, 0, 0);
    EXPECT_NEAR(P(5, 8, 0)[0], 5.5f, 1e-5f);
    for (int p = 0; p < MDL_PARTS; p++)
        for (int s = 0; s < 18; s++)
            for (int k = 0; k < 16; k++)
                for (int i = 0; i < 3; i++) ASSERT_TRUE(std::isfinite(P(p, s, k)[i]));
}

TEST_F(Model, PaintNamesDropTheFileExtension)
{
    char name[STR_LEN];
    std::snprintf(pln[0].C_path, STR_LEN, "/x/planes/Trainer.acf");
    paint_path(0, " wng1", name, sizeof name);
    EXPECT_STREQ(name, "/x/planes/Trainer wng1");
    std::snprintf(pln[1].C_path, STR_LEN, "abc");
    paint_path(1, " fuseR", name, sizeof name);
    EXPECT_STREQ(name, " fuseR");
}

// ---- paint templates ----------------------------------------------------------------------------

TEST_F(Model, TemplatesAreWrittenForThePartsThereAre)
{
    InFolder in(dir.str());
    load_plane_geo(0, 1, 0);
    EXPECT_TRUE(recorded_alerts().empty());
    for (const char* n : {"start wng1.bmp", "start hstb.bmp", "start vst1.bmp", "start fuse.bmp", "start fair.bmp"})
        EXPECT_TRUE(std::filesystem::exists(n)) << n;
    // No second wing pair, second fin, nacelle, body or pylon here; nothing half-written is left.
    for (const char* n : {"start wng2.bmp", "start wng3.bmp", "start vst2.bmp", "start nace.bmp", "start misc.bmp",
                          "start pyln.bmp"})
        EXPECT_FALSE(std::filesystem::exists(n)) << n;
    for (const auto& e : std::filesystem::directory_iterator(dir.str()))
        EXPECT_EQ(e.path().extension(), ".bmp") << e.path();
}

TEST_F(Model, TemplateHeaderAndSize)
{
    InFolder in(dir.str());
    load_plane_geo(0, 1, 0);
    struct Case {
        const char* name;
        int part;
    };
    for (Case c : {Case{"start wng1.bmp", 5}, Case{"start hstb.bmp", 11}, Case{"start fuse.bmp", 18},
                   Case{"start fair.bmp", 25}}) {
        SCOPED_TRACE(c.name);
        const std::vector<uint8_t> b = file_bytes(c.name);
        ASSERT_GE(b.size(), 54u);
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(le32(b, 2), b.size());
        EXPECT_EQ(le32(b, 10), 54u);
        EXPECT_EQ(le32(b, 14), 40u);
        EXPECT_EQ(b[26] | (b[27] << 8), 1);
        EXPECT_EQ(b[28] | (b[29] << 8), 24);
        const uint32_t w = le32(b, 18), h = le32(b, 22);
        EXPECT_EQ(b.size(), 54u + 3u * w * h);
        // Powers of two, none above 512 and never both 512.
        EXPECT_EQ(w & (w - 1), 0u);
        EXPECT_EQ(h & (h - 1), 0u);
        EXPECT_LE(w, 512u);
        EXPECT_LE(h, 512u);
        EXPECT_FALSE(w == 512 && h == 512);
        int tw = 0, th = 0;
        template_size(c.part, 0, &tw, &th);
        EXPECT_EQ((int)w, tw);
        EXPECT_EQ((int)h, th);
    }
    // The wing is 512 high; its width follows its chord over its span (1.6 m over 5 m).
    const std::vector<uint8_t> b = file_bytes("start wng1.bmp");
    EXPECT_EQ(le32(b, 22), 512u);
    EXPECT_EQ(le32(b, 18), 128u);
    // The stabiliser is 256 high, the fuselage 64.
    EXPECT_EQ(le32(file_bytes("start hstb.bmp"), 22), 256u);
    EXPECT_EQ(le32(file_bytes("start fuse.bmp"), 22), 64u);
}

TEST_F(Model, TemplatePixelsShowTheMeshAndTheControls)
{
    InFolder in(dir.str());
    load_plane_geo(0, 1, 0);
    // Read back through the bitmap loader.
    ASSERT_EQ(OGL_texbmp(TEXBMP_PATH, 40, 0, (dir.str() + "/start wng1").c_str()), 1);
    int w = 0, h = 0, c = 0;
    const uint8_t* px = texbmp_last(&w, &h, &c);
    ASSERT_EQ(w, 128);
    ASSERT_EQ(h, 512);
    ASSERT_EQ(c, 3);
    auto at = [&](float s, float t) {
        const int x = (int)std::lround(s * (float)(w - 1)), y = (int)std::lround(t * (float)(h - 1));
        return px[((size_t)y * w + x) * 3];
    };
    auto grey = [&](float s, float t) {
        const int x = (int)std::lround(s * (float)(w - 1)), y = (int)std::lround(t * (float)(h - 1));
        const uint8_t* q = &px[((size_t)y * w + x) * 3];
        return q[0] == q[1] && q[1] == q[2];
    };
    // Section lines at the element boundaries, the leading-edge line at s = 0.
    EXPECT_EQ(at(0.3f, 0.25f), 250);
    EXPECT_EQ(at(0.3f, 0.5f), 250);
    EXPECT_EQ(at(0.0f, 0.05f), 250);
    // Element 3 (t 0.75..1) carries an aileron: behind the hinge 150, ahead of it between lines 0.
    // At t = 0.875 the chord runs from s 0.1125 (LE) to 0.8625 (TE), the hinge at 0.5625.
    EXPECT_EQ(at(0.70f, 0.875f), 150);
    EXPECT_EQ(at(0.40f, 0.875f), 0);
    // Element 0 carries a flap as well.
    EXPECT_EQ(at(0.78f, 0.125f), 150);
    // Beyond the trailing edge at the tip nothing is drawn.
    EXPECT_EQ(at(0.97f, 0.9f), 0);
    for (float s = 0; s <= 1.0f; s += 0.1f)
        for (float t = 0; t <= 1.0f; t += 0.1f) {
            EXPECT_TRUE(grey(s, t));
            const int g = at(s, t);
            EXPECT_TRUE(g == 0 || g == 150 || g == 250) << g;
        }
}

TEST_F(Model, TemplateWriteIsWholeOrNothing)
{
    InFolder in(dir.str());
    load_plane_geo(0, 0, 0);
    // An earlier template stays as it was when the new one cannot be written.
    {
        std::ofstream f("start fuse.bmp", std::ios::binary);
        f << "earlier picture";
    }
    with_no_room_for_files([] { EXPECT_EQ(write_paint_template(18, 0, "start fuse.bmp"), 0); });
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].code, 2002);
    EXPECT_EQ(recorded_alerts()[0].l2, "start fuse.bmp");
    const std::vector<uint8_t> b = file_bytes("start fuse.bmp");
    EXPECT_EQ(std::string(b.begin(), b.end()), "earlier picture");
    EXPECT_FALSE(std::filesystem::exists("start fuse.bmp.new"));
    // A name that cannot be replaced (a folder) leaves no temporary file behind.
    clear_recorded_alerts();
    std::filesystem::create_directory("start wng1.bmp");
    {
        std::ofstream f("start wng1.bmp/keep");
        f << "x";
    }
    EXPECT_EQ(write_paint_template(5, 0, "start wng1.bmp"), 0);
    EXPECT_EQ(recorded_alerts().size(), 1u);
    EXPECT_FALSE(std::filesystem::exists("start wng1.bmp.new"));
    EXPECT_TRUE(std::filesystem::exists("start wng1.bmp/keep"));
    // And a good write replaces the earlier file, with its permissions, passing over a person's own
    // file named as its temporary, which it keeps as it was.
    std::ofstream("start fuse.bmp.new") << "mine";
    std::filesystem::permissions("start fuse.bmp", std::filesystem::perms(0640));
    EXPECT_EQ(write_paint_template(18, 0, "start fuse.bmp"), 1);
    EXPECT_EQ(file_bytes("start fuse.bmp")[0], 'B');
    EXPECT_EQ(std::filesystem::status("start fuse.bmp").permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(file_bytes("start fuse.bmp.new"), std::vector<uint8_t>({'m', 'i', 'n', 'e'}));
    EXPECT_FALSE(std::filesystem::exists("start fuse.bmp.new1"));
}
