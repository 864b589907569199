// convert_test.cpp -- the converter on earlier-layout files from the test generator: every field of
// the earlier layout lands in its place in the current record, the conversions and defaults, the
// body stations' new order, the written file as the simulator's reader takes it, and the refusals
// of damaged or wrong files, which leave the file as it was.
#include "hl_file.h"
#include "hl_plane.h"
#include "hl_types.h"
#include "hullconvert.h"
#include "kvtest.h"
#include "v35_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <csignal>

namespace {

namespace fs = std::filesystem;

class Convert : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        clear_recorded_alerts();
        inf_use = 1;
    }
    void TearDown() override
    {
        inf1.close();
        inf1.clear();
        ouf.close();
        ouf.clear();
    }

    // Writes the plane as an earlier-layout file and converts it; the converted record is then read
    // back from the written file with the simulator's reader into pln[1].
    void convert(const v35::Plane& p, const v35::Options& o = {})
    {
        path_ = dir_.write("plane.acf", v35::write_text(p, o));
        ASSERT_EQ(convert_file(path_.c_str()), 1);
        std::memset(&pln[1], 0, sizeof pln[1]);
        ASSERT_EQ(read_plane(1, path_.c_str()), 1);
    }

    // Converts a file the converter must refuse with a fatal alert; returns that alert. The file
    // must be left byte for byte as it was, with nothing written beside it.
    RecordedAlert refuse(const std::string& text)
    {
        path_ = dir_.write("plane.acf", text);
        RecordedAlert got{"", "", "", "", 0};
        bool fatal = false;
        try {
            convert_file(path_.c_str());
        } catch (const FatalAlert& a) {
            fatal = true;
            got = a.alert;
        }
        EXPECT_TRUE(fatal) << "the file was not refused";
        EXPECT_EQ(read_file(path_), text) << "a refused file changed";
        EXPECT_EQ(files_in_folder(), 1) << "something was written beside the refused file";
        return got;
    }

    int files_in_folder() const
    {
        int n = 0;
        for (const auto& e : fs::directory_iterator(dir_.path())) n += e.is_regular_file() ? 1 : 0;
        return n;
    }

    TempDir dir_;
    std::string path_;
};

// One field of the earlier layout: what the generator wrote and where the record must hold it.
struct FieldCheck {
    const char* name;
    std::function<double(const v35::Plane&)> wrote;
    std::function<double(const planestruct&)> holds;
};

#define F(field, old_expr) \
    FieldCheck { #field, []([[maybe_unused]] const v35::Plane& o) { return static_cast<double>(old_expr); }, \
                 [](const planestruct& r) { return static_cast<double>(r.field); } }

const std::vector<FieldCheck>& scalar_fields()
{
    static const std::vector<FieldCheck> t = {
        F(is_heli, o.is_heli), F(asi_units, o.asi_units), F(Vso, o.Vso), F(Vs, o.Vs), F(Vfe, o.Vfe),
        F(Vno, o.Vno), F(Vne, o.Vne), F(Mmo, o.Mmo), F(peZ, o.peZ), F(peX, o.peX), F(peY, o.peY),
        F(paneltype, o.paneltype), F(radiotype, o.radiotype), F(AStype, o.AStype), F(supptype, o.supptype),
        F(HUDtype, o.HUDtype), F(VVItype, o.VVItype), F(ins_of_loc[1], o.ins[1]), F(ins_of_loc[2], o.ins[2]),
        F(ins_of_loc[3], o.ins[3]), F(ins_of_loc[4], o.ins[4]), F(ins_of_loc[5], o.ins[5]),
        F(ins_of_loc[6], o.ins[6]), F(ins_of_loc[7], o.ins[7]), F(ins_of_loc[8], o.ins[8]),
        F(ff_hydraulic, o.ff_hydraulic), F(ff_stickshaker, o.ff_stickshaker),
        F(numen, o.numen), F(pmax, o.pmax), F(critalt, o.critalt), F(omegamin, o.omegamin),
        F(omegamax, o.omegamax), F(omegamingreen, o.omegamingreen), F(omegamaxgreen, o.omegamaxgreen),
        F(tmax, o.tmax), F(spooltime, o.spooltime), F(facejet, o.facejet), F(burnerinc, o.burnerinc),
        F(revthrustEQ, o.revthrustEQ), F(vertcant[0], o.vertcant0), F(sidecant[0], o.sidecant0),
        F(vertcant[1], o.vertcant1), F(sidecant[1], o.sidecant1), F(trotor_rat, o.trotor_rat),
        F(varpitchEQ, o.varpitchEQ),
        F(hstabtype, o.hstabtype), F(hstbtrimmax, o.hstbtrimmax),
        F(ailn_crat, o.surfaces115[0]), F(elev_crat, o.surfaces115[1]), F(rudd_crat, o.surfaces115[2]),
        F(splr_crat, o.surfaces115[3]), F(drud_crat, o.surfaces115[4]), F(sbrk_crat, o.surfaces115[5]),
        F(ailn_up, o.surfaces115[6]), F(ailn_dn, o.surfaces115[7]), F(elev_up, o.surfaces115[8]),
        F(elev_dn, o.surfaces115[9]), F(rudd_def, o.surfaces115[10]), F(splr_def, o.surfaces115[11]),
        F(drud_def, o.surfaces115[12]), F(sbrk_def, o.surfaces115[13]), F(slat_inc, o.surfaces115[14]),
        F(con_smooth, o.con_smooth),
        F(fuse_cd, o.fuse_cd), F(fusewash, o.fusewash), F(nace_eq, o.nace_eq), F(misc_eq, o.misc_eq),
        F(misc_Z, o.misc_Z), F(misc_X, o.misc_X), F(misc_Y, o.misc_Y), F(body_r[18], o.body_r18),
        F(body_r[19], o.body_r19), F(body_r[23], o.body_r23),
        F(cgZ, o.cgZ), F(cgY, o.cgY), F(m_empty, o.m_empty), F(m_max, o.m_max), F(m_fuel, o.m_fuel),
        F(m_jettison, o.m_jettison),
        F(gear_retract, o.gear_retract), F(nwsteer, o.nwsteer), F(ngearZ, o.ngearZ), F(ngearY, o.ngearY),
        F(mgearZ, o.mgearZ), F(mgearX, o.mgearX), F(mgearY, o.mgearY), F(skidZ, o.skidZ), F(skidX, o.skidX),
        F(skidY, o.skidY), F(skidl, o.skidl),
        F(jatoZ, o.jato[0]), F(jatoY, o.jato[1]), F(jatotheta, o.jato[2]), F(jatothrust, o.jato[3]),
        F(jatodur, o.jato[4]), F(stabroll, o.jato[5]), F(ailpitch, o.jato[6]), F(ailflaps, o.jato[7]),
        F(antiiceEQ, o.equip[0]), F(arrestingEQ, o.equip[1]), F(bitchinbettyEQ, o.equip[2]),
        F(autosbrkEQ, o.equip[3]), F(autofbrkEQ, o.equip[4]), F(autosweepEQ, o.equip[5]),
        F(brake_area, o.brake_area), F(chute_area, o.chute_area),
        F(elevcyclic, o.cyclic[0]), F(ailncyclic, o.cyclic[1]), F(puffL, o.cyclic[2]), F(puffM, o.cyclic[3]),
        F(puffN, o.cyclic[4]), F(ASloV, o.ASloV), F(AShiV, o.AShiV),
        // What the earlier layout lacks stays empty rather than taking the skipped values.
        F(ASmaxp1, 0), F(ASp1, 0), F(ASr2, 0), F(stabhdng, 0),
    };
    return t;
}
#undef F

// Per surface s: what the generator wrote and where the record holds it.
struct SurfaceCheck {
    const char* name;
    bool props_only;
    std::function<double(const v35::Surface&)> wrote;
    std::function<double(const planestruct&, int)> holds;
};

#define S(field, old_expr, props) \
    SurfaceCheck { #field, props, [](const v35::Surface& u) { return static_cast<double>(old_expr); }, \
                   [](const planestruct& r, int s) { return static_cast<double>(r.field[s]); } }

const std::vector<SurfaceCheck>& surface_fields()
{
    static const std::vector<SurfaceCheck> t = {
        S(propdir, u.propdir, true),   S(numblades, u.numblades, true), S(des_adv, u.des_adv, true),
        S(des_rpm, u.des_rpm, true),   S(des_vel, u.des_vel, true),     S(minpitch, u.minpitch, true),
        S(maxpitch, u.maxpitch, true), S(sweep1, u.sweep1, false),      S(sweep2, u.sweep2, false),
        S(dihed, u.dihed, false),      S(semilen, u.semilen, false),    S(Croot, u.Croot, false),
        S(Ctip, u.Ctip, false),        S(Zarm, u.Zarm, false),          S(Xarm, u.Xarm, false),
        S(Yarm, u.Yarm, false),        S(varsweepEQ, u.varsweepEQ, false), S(els, u.els, false),
    };
    return t;
}
#undef S

TEST_F(Convert, EveryFieldOfTheEarlierLayoutLandsInItsPlace)
{
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const v35::Plane p = v35::make_plane(seed);
        convert(p);
        const planestruct& r = pln[1];
        for (const FieldCheck& c : scalar_fields()) EXPECT_FLOAT_EQ(c.holds(r), c.wrote(p)) << c.name;

        for (int s : v35::SURFACES) {
            const v35::Surface& u = p.surf[s];
            SCOPED_TRACE("surface " + std::to_string(s));
            for (const SurfaceCheck& c : surface_fields())
                if (!c.props_only || s <= 3) {
                    EXPECT_FLOAT_EQ(c.holds(r, s), c.wrote(u)) << c.name;
                }
            EXPECT_STREQ(r.Rafl0[s], u.names[0].c_str());
            EXPECT_STREQ(r.Rafl1[s], u.names[1].c_str());
            EXPECT_STREQ(r.Tafl0[s], u.names[2].c_str());
            EXPECT_STREQ(r.Tafl1[s], u.names[3].c_str());
            for (int e = 0; e < 8; e++)
                EXPECT_FLOAT_EQ(r.anginc[s][e], e < u.els ? u.anginc[e] : 0.0f) << "element " << e;

            // The control rows in the order the section holds them.
            std::vector<const int32_t*> rows;
            if (s >= 4 && s <= 7) rows = {r.ailn[s], r.splr[s], r.flap[s], r.slat[s], r.sbrk[s], r.drud[s]};
            else if (s == 10 || s == 11) rows = {r.elev[s], r.flap[s], r.slat[s]};
            else if (s == 12 || s == 13) rows = {r.rudd[s]};
            ASSERT_EQ(static_cast<int>(rows.size()), v35::control_rows(s));
            for (size_t k = 0; k < rows.size(); k++)
                for (int e = 0; e < 8; e++)
                    EXPECT_EQ(rows[k][e], e < u.els ? u.rows[k][e] : 0) << "row " << k << " element " << e;
        }
    }
}

TEST_F(Convert, EngineGearAndVectoringValuesAreConverted)
{
    struct Case {
        int engine, flag, entype;
        int gear, skid, gear_type;
        float vector;
        int vectEQ;
        float vectarm;
    };
    const Case cases[] = {
        {1, 0, 1, 0, 0, 1, 0.0f, 0, 0},     {2, 0, 3, 1, 0, 3, 1.0f, 1, 0},
        {3, 0, 5, 0, 1, 2, 1.5f, 1, 50},    {3, 1, 4, 1, 1, 2, 2.25f, 1, 125},
        {2, 1, 3, 0, 7, 2, -1.0f, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("engine " + std::to_string(c.engine) + " gear " + std::to_string(c.gear));
        v35::Plane p = v35::make_plane(7);
        p.engine_type = c.engine;
        p.engine_flag = c.flag;
        p.gear_type = c.gear;
        p.skid = c.skid;
        p.vector = c.vector;
        convert(p);
        EXPECT_EQ(pln[1].entype, c.entype);
        EXPECT_EQ(pln[1].gear_type, c.gear_type);
        EXPECT_EQ(pln[1].vectEQ, c.vectEQ);
        EXPECT_FLOAT_EQ(pln[1].vectarm, c.vectarm);
    }
}

TEST_F(Convert, DefaultsFillWhatTheEarlierLayoutLacks)
{
    // Fuel consumption by the converted engine type: piston, turboprop (old 2 -> 3), jets.
    const struct { int engine, flag; float sfc; } engines[] = {{1, 0, 0.43f}, {2, 0, 0.55f}, {3, 1, 0.85f},
                                                               {3, 0, 0.55f}};
    for (const auto& e : engines) {
        v35::Plane p = v35::make_plane(11);
        p.engine_type = e.engine;
        p.engine_flag = e.flag;
        p.surf[4].sweep1 = 200;    // wraps to -160
        p.surf[5].dihed = -190;    // wraps to 170
        convert(p);
        const planestruct& r = pln[1];
        EXPECT_FLOAT_EQ(r.sfc, e.sfc);
        EXPECT_FLOAT_EQ(r.mpmax, 29.9f);
        EXPECT_FLOAT_EQ(r.gearrat, 1.0f);
        for (int k = 0; k < 3; k++) EXPECT_EQ(r.gear_stat[k], 1);
        EXPECT_FLOAT_EQ(r.ngearZ_att, p.ngearZ);
        EXPECT_FLOAT_EQ(r.mgearZ_att, p.mgearZ);
        EXPECT_FLOAT_EQ(r.mgearX_att, p.mgearX);
        EXPECT_FLOAT_EQ(r.sweep1[4], -160.0f);
        EXPECT_FLOAT_EQ(r.dihed[5], 170.0f);
        for (int s = 14; s <= 17; s++) {
            EXPECT_EQ(r.els[s], 4);
            EXPECT_FLOAT_EQ(r.dihed[s], 90.0f);
        }
        for (int s : {8, 9, 14, 15, 16, 17}) {
            EXPECT_STREQ(r.Rafl0[s], "NACA 0009 (symmetrical).afl");
            EXPECT_STREQ(r.Tafl1[s], "NACA 0009 (symmetrical).afl");
        }
        // Body 25: a round body of radius 1, 7 stations half a unit apart from z = -1.5, 8 points.
        EXPECT_FLOAT_EQ(r.body_r[25], 1.0f);
        for (int i = 0; i < 7; i++) {
            EXPECT_FLOAT_EQ(r.body_Z[25][i][0], 0.5f * i - 1.5f);
            EXPECT_NEAR(r.body_X[25][i][0], 0.0f, 1e-6);   // straight up
            EXPECT_NEAR(r.body_Y[25][i][0], 1.0f, 1e-6);
            EXPECT_NEAR(r.body_X[25][i][2], 1.0f, 1e-6);   // a quarter round: to the side
            EXPECT_NEAR(r.body_Y[25][i][2], 0.0f, 1e-6);
            EXPECT_NEAR(r.body_Y[25][i][4], -1.0f, 1e-6);  // straight down
            for (int j = 0; j < 8; j++)
                EXPECT_NEAR(std::hypot(r.body_X[25][i][j], r.body_Y[25][i][j]), 1.0, 1e-6);
        }
    }
}

// The body point the converted record holds, and the stored old point: z, x, y.
struct Pt {
    float z, x, y;
};
Pt rec_pt(const planestruct& r, int b, int i, int j) { return {r.body_Z[b][i][j], r.body_X[b][i][j], r.body_Y[b][i][j]}; }
Pt old_pt(const v35::Plane& p, int b, int i, int j)
{
    const float* v = p.pts[b - 18][i][j];
    return {v[0], v[1], v[2]};
}
Pt mid(Pt a, Pt b) { return {0.5f * (a.z + b.z), 0.5f * (a.x + b.x), 0.5f * (a.y + b.y)}; }
// An old station with its 16 points filled in: old points at even places, midpoints between.
Pt old16(const v35::Plane& p, int b, int i, int j)
{
    if (j % 2 == 0) return old_pt(p, b, i, j / 2);
    return mid(old_pt(p, b, i, j / 2), old_pt(p, b, i, ((j + 1) % 16) / 2));
}

TEST_F(Convert, BodyStationsMoveToTheirNewPlacesWithTheGapsAveraged)
{
    const v35::Plane p = v35::make_plane(5);
    convert(p);
    const planestruct& r = pln[1];
    auto expect_pt = [](Pt got, Pt want, const std::string& what) {
        EXPECT_NEAR(got.z, want.z, 1e-5) << what;
        EXPECT_NEAR(got.x, want.x, 1e-5) << what;
        EXPECT_NEAR(got.y, want.y, 1e-5) << what;
    };
    // Where each new station comes from: an old station, or (-1) the average of its new neighbours.
    const int fuselage[11] = {0, -1, 1, 2, 3, 4, 5, 6, 7, -1, 8};
    const int short_body[7] = {0, -1, 1, 2, 3, -1, 4};
    for (int b = 18; b <= 24; b++) {
        const int* from = b == 18 ? fuselage : short_body;
        const int n = b == 18 ? 11 : 7;
        for (int i = 0; i < n; i++)
            for (int j = 0; j < 16; j++) {
                const std::string what = "body " + std::to_string(b) + " station " + std::to_string(i) +
                                         " point " + std::to_string(j);
                if (from[i] >= 0) {
                    expect_pt(rec_pt(r, b, i, j), old16(p, b, from[i], j), what);
                } else {
                    expect_pt(rec_pt(r, b, i, j),
                              mid(old16(p, b, from[i - 1], j), old16(p, b, from[i + 1], j)), what);
                }
            }
    }
}

TEST_F(Convert, WritesTheCurrentFileHeaderAndWholeRecord)
{
    convert(v35::make_plane(3));
    const std::string bytes = read_file(path_);
    ASSERT_EQ(bytes.size(), 189553u);
    EXPECT_EQ(bytes[0], 'i');
    int32_t version = 0;
    std::memcpy(&version, bytes.data() + 1, 4);
    EXPECT_EQ(version, 46);
    EXPECT_EQ(std::memcmp(bytes.data() + 5, &pln[0], sizeof(planestruct)), 0);
    EXPECT_EQ(files_in_folder(), 1) << "the temporary file was left behind";
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(Convert, ReadsCrlfLinesAndValuesWithoutComments)
{
    const v35::Plane p = v35::make_plane(9);
    v35::Options o;
    o.eol = "\r\n";
    o.comments = false;
    convert(p, o);
    EXPECT_FLOAT_EQ(pln[1].AShiV, p.AShiV);
    EXPECT_STREQ(pln[1].Tafl1[13], p.surf[13].names[3].c_str());
    EXPECT_EQ(pln[1].rudd[13][p.surf[13].els - 1], p.surf[13].rows[0][p.surf[13].els - 1]);
}

TEST_F(Convert, RefusesFilesItCannotTakeAndLeavesThemAsTheyWere)
{
    const v35::Plane p = v35::make_plane(4);

    // A file already converted: its first byte is "i", not a text header.
    std::string current("i", 1);
    int32_t v46 = 46;
    current.append(reinterpret_cast<const char*>(&v46), 4);
    current.append(std::string(sizeof(planestruct), '\0'));
    RecordedAlert a = refuse(current);
    EXPECT_EQ(a.l1, "File-opening failed!");

    // Another version of the text layout.
    v35::Options wrong;
    wrong.version = 34;
    a = refuse(v35::write_text(p, wrong));
    EXPECT_EQ(a.l1, "The following file is the wrong version for this version of Kestrova:");

    // Surface sections out of order stop at the first misplaced checkpoint.
    v35::Options swapped;
    swapped.order = {100, 101, 102, 104, 103, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114,
                     115, 116, 117, 118, 119, 120, 121};
    a = refuse(v35::write_text(p, swapped));
    EXPECT_EQ(a.l1, "An error occurred during read-in of the aircraft file.");
    EXPECT_EQ(a.l2, "Either the file has been corrupted,or it is not really an aircraft file.");
    EXPECT_EQ(a.l3, "Wanted checkpoint 103, but got point 104");

    // A file cut short in the body points.
    v35::Options cut;
    const std::string whole = v35::write_text(p);
    cut.cut_at = whole.find("section 117");
    a = refuse(v35::write_text(p, cut));
    EXPECT_EQ(a.l1, "File-scanning error!");
    EXPECT_EQ(a.l4, path_) << "the alert does not name the file";

    // More elements than the record holds.
    v35::Plane many = p;
    many.surf[6].els = 9;
    a = refuse(v35::write_text(many));
    EXPECT_EQ(a.l1, "An error occurred during read-in of the aircraft file.");
    EXPECT_NE(a.l3.find("9 elements"), std::string::npos) << a.l3;

    // Not there at all.
    path_ = (dir_.path() / "missing.acf").string();
    EXPECT_THROW(convert_file(path_.c_str()), FatalAlert);
    EXPECT_EQ(recorded_alerts().back().l1, "File-opening failed!");
    EXPECT_FALSE(fs::exists(path_));
}

TEST_F(Convert, AWriteThatFailsLeavesTheOldFileAndNoPartialFile)
{
    const std::string text = v35::write_text(v35::make_plane(6));
    path_ = dir_.write("plane.acf", text);
    const std::string report = (dir_.path() / "report.txt").string();
    ASSERT_LT(text.size(), 150000u);
    // A file-size limit below the record's size makes the write fail part-way, whoever runs the test.
    const int ended = run_in_child_process(
        [&] {
            struct rlimit lim = {150000, 150000};
            std::signal(SIGXFSZ, SIG_IGN);
            setrlimit(RLIMIT_FSIZE, &lim);
            const int r = convert_file(path_.c_str());
            FILE* f = std::fopen(report.c_str(), "w");
            if (f) {
                std::fprintf(f, "%d %d", r, static_cast<int>(recorded_alerts().size()));
                std::fclose(f);
            }
        },
        60);
    ASSERT_EQ(ended, 1);
    EXPECT_EQ(read_file(report), "0 1") << "the failed write was not reported as one save alert";
    EXPECT_EQ(read_file(path_), text) << "the old file was touched";
    EXPECT_EQ(files_in_folder(), 2) << "a partial file was left beside the old one";
}

}  // namespace
