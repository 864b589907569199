// gen_aircraft_desc_test.cpp -- the aircraft description reader and the builder that maps named
// fields onto the record.
#include "acf_build.h"
#include "acf_desc.h"
#include "acf_fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>

namespace {

Description parse_ok(const std::string& text)
{
    Description d;
    std::string err;
    EXPECT_TRUE(desc_parse(text, "t.acd", &d, &err)) << err;
    return d;
}

// Builds text into b; returns the error ("" when it built).
std::string build(const std::string& text, AcfBuild* b)
{
    Description d;
    std::string err;
    if (!desc_parse(text, "t.acd", &d, &err)) return err;
    if (!acf_build(d, b, &err)) return err;
    return "";
}

const std::string k_out = "output \"planes/Test/T/T.acf\"\n";

}  // namespace

TEST(AircraftDescription, ReadsFieldsIndicesTextsAndDirectives)
{
    Description d = parse_ok(
        "# a comment line\n"
        "\n"
        "Vne = 163   # trailing comment\n"
        "anginc[5] = 1.5 -0.25 3e-1\n"
        "body_X[18][3][4] = 2\n"
        "Rafl0[5] = \"NACA 2412 (popular).afl\"  # text with a # after it\n"
        "mirror 5 -> 4\n"
        "section 18 0 -3.45 0.05 4.12 4.02\n"
        "output \"planes/System Planes (don't move)/Husky/Husky.acf\"\n");
    ASSERT_EQ(d.statements.size(), 7u);
    const DescStatement& vne = d.statements[0];
    EXPECT_EQ(vne.line, 3);
    EXPECT_EQ(vne.word, "Vne");
    EXPECT_FALSE(vne.is_directive);
    ASSERT_EQ(vne.values.size(), 1u);
    EXPECT_DOUBLE_EQ(vne.values[0].num, 163.0);

    const DescStatement& inc = d.statements[1];
    ASSERT_EQ(inc.index, std::vector<int>({5}));
    ASSERT_EQ(inc.values.size(), 3u);
    EXPECT_DOUBLE_EQ(inc.values[1].num, -0.25);
    EXPECT_DOUBLE_EQ(inc.values[2].num, 0.3);

    EXPECT_EQ(d.statements[2].index, std::vector<int>({18, 3, 4}));
    EXPECT_TRUE(d.statements[3].values[0].is_text);
    EXPECT_EQ(d.statements[3].values[0].text, "NACA 2412 (popular).afl");

    const DescStatement& mirror = d.statements[4];
    EXPECT_TRUE(mirror.is_directive);
    ASSERT_EQ(mirror.values.size(), 2u);
    EXPECT_EQ(mirror.values[0].num, 5);
    EXPECT_EQ(mirror.values[1].num, 4);
    EXPECT_EQ(d.statements[5].values.size(), 6u);
    EXPECT_EQ(d.statements[6].values[0].text, "planes/System Planes (don't move)/Husky/Husky.acf");
}

TEST(AircraftDescription, SyntaxErrorsNameTheFileLineAndField)
{
    struct Case {
        const char* text;
        const char* expect;  // part of the message
    };
    const Case cases[] = {
        {"Vne 163\n", "t.acd:1: Vne: not a directive"},
        {"Vne =\n", "t.acd:1: Vne: no value"},
        {"\n\nVne = 16x3\n", "t.acd:3: \"16x3\" is not a number"},
        {"anginc[5 = 1\n", "t.acd:1: anginc: an index must be a whole number"},
        {"anginc[1.5] = 1\n", "t.acd:1: anginc: index 1.5 is not a whole number"},
        {"tailnum = \"N172\n", "t.acd:1: quoted text is not closed"},
        {"= 5\n", "t.acd:1: a statement starts with a field name"},
        {"mirror 5 4\n", "t.acd:1: mirror: \"->\" expected"},
        {"mirror 5 -> \n", "t.acd:1: mirror: too few arguments"},
        {"section 18 0 1 2 3\n", "t.acd:1: section: too few arguments"},
        {"design_prop 0 1\n", "t.acd:1: design_prop: too many arguments"},
        {"output planes\n", "t.acd:1: output: quoted text expected"},
        {"Vne = 1 = 2\n", "t.acd:1: Vne: unexpected \"=\""},
        {"Vne = 1e999\n", "t.acd:1: \"1e999\" is not a number"},
    };
    for (const Case& c : cases) {
        Description d;
        std::string err;
        EXPECT_FALSE(desc_parse(c.text, "t.acd", &d, &err)) << c.text;
        EXPECT_NE(err.find(c.expect), std::string::npos) << "got: " << err;
    }
}

TEST(AircraftFieldTable, EveryRecordFieldIsFoundWhereTheRecordHasIt)
{
    EXPECT_EQ(acf_num_fields(), PLN_NUM_FIELDS);
    int words = 0;
    for (int i = 0; i < acf_num_fields(); i++) {
        const AcfField& f = acf_field_at(i);
        EXPECT_EQ(acf_field(f.name), &f);
        EXPECT_EQ(f.offset, pln_fields[i].offset) << f.name;
        EXPECT_EQ(f.count * f.elem_bytes, pln_fields[i].bytes) << f.name;
        words += f.count * f.elem_bytes / 4;
    }
    EXPECT_EQ(words * 4, static_cast<int>(sizeof(planestruct)));  // the fields tile the record

    const AcfField& body = *acf_field("body_Y");
    EXPECT_EQ(body.rank, 3);
    EXPECT_EQ(body.elem, ACF_FLOAT);
    int idx[3] = {18, 10, 15};
    EXPECT_EQ(acf_element_offset(body, idx, 3), static_cast<int>(offsetof(planestruct, body_Y)) +
                                                     ((18 * 18 + 10) * 16 + 15) * 4);
    EXPECT_EQ(acf_element_name(body, acf_element_offset(body, idx, 3)), "body_Y[18][10][15]");
    int bad[3] = {28, 0, 0};
    EXPECT_EQ(acf_element_offset(body, bad, 3), -1);

    const AcfField& afl = *acf_field("Tafl1");
    EXPECT_EQ(afl.elem, ACF_TEXT);
    EXPECT_EQ(afl.rank, 1);
    EXPECT_EQ(afl.elem_bytes, 400);
    EXPECT_EQ(acf_field("els")->elem, ACF_INT);
    EXPECT_EQ(acf_field("nosuchfield"), nullptr);
}

TEST(AircraftBuild, NamedFieldsLandInTheRecord)
{
    AcfBuild b;
    ASSERT_EQ(build(k_out +
                        "Vne = 163\n"
                        "els[5] = 3\n"
                        "anginc[5] = 1.5 1.2 0.9\n"
                        "anginc[7][3] = -1.125\n"
                        "ins_of_loc = 0 1 2 3 4 5 6 7 8\n"
                        "body_Z[18][10][15] = 23.1\n"
                        "Rafl0[5] = \"NACA 2412 (popular).afl\"\n"
                        "tailnum = \"N172KV\"\n",
                    &b),
              "");
    const planestruct& r = *b.rec;
    EXPECT_EQ(r.Vne, 163.0f);
    EXPECT_EQ(r.els[5], 3);
    EXPECT_EQ(r.anginc[5][0], 1.5f);
    EXPECT_EQ(r.anginc[5][2], 0.9f);
    EXPECT_EQ(r.anginc[5][3], 0.0f);
    EXPECT_EQ(r.anginc[7][3], -1.125f);
    EXPECT_EQ(r.ins_of_loc[8], 8);
    EXPECT_EQ(r.body_Z[18][10][15], 23.1f);
    EXPECT_STREQ(r.Rafl0[5], "NACA 2412 (popular).afl");
    EXPECT_STREQ(r.Rafl0[4], "");
    EXPECT_STREQ(r.tailnum, "N172KV");
    // The file names come from the output line.
    EXPECT_STREQ(r.C_file, "T.acf");
    EXPECT_STREQ(r.C_name, "T");
    EXPECT_STREQ(r.C_path, "planes/Test/T/T.acf");
    EXPECT_EQ(b.output, "planes/Test/T/T.acf");
    EXPECT_TRUE(b.given(offsetof(planestruct, Vne)));
    EXPECT_FALSE(b.given(offsetof(planestruct, Vno)));
}

TEST(AircraftBuild, BadAssignmentsAreRefusedNamingTheField)
{
    struct Case {
        const char* text;
        const char* expect;
    };
    const Case cases[] = {
        {"Vnoo = 129\n", "t.acd:1: Vnoo: not a field of the aircraft record"},
        {"AR[5] = 7\n", "t.acd:1: AR: computed when the aircraft is built or loaded"},
        {"C_file = \"x.acf\"\n", "C_file: computed"},
        {"collectEQ = 1\n", "collectEQ: computed"},
        {"els[28] = 3\n", "t.acd:1: els[28]: index out of range (the field is els[28])"},
        {"els[5][0] = 3\n", "els[5][0]: index out of range"},
        {"anginc[5] = 1 2 3 4 5 6 7 8 9\n", "anginc[5][0]: 9 values given, room for 8"},
        {"Vne = 1 2\n", "Vne: 2 values given, room for 1"},
        {"els[5] = 2.5\n", "els[5]: a whole number is expected"},
        {"Vne = \"fast\"\n", "Vne: a number is expected"},
        {"tailnum = 5\n", "tailnum: a quoted text is expected"},
        {"Vne = 163\nVne = 170\n", "t.acd:2: Vne: already given on line 1"},
        {"anginc[5] = 1 2\nanginc[5][1] = 3\n", "t.acd:2: anginc[5][1]: already given on line 1"},
        {"Vne = 163\n", "output: missing"},
    };
    for (const Case& c : cases) {
        AcfBuild b;
        std::string text = c.text;
        if (std::string(c.expect).find("output") == std::string::npos) text += k_out;
        std::string err = build(text, &b);
        EXPECT_NE(err.find(c.expect), std::string::npos) << c.text << "got: " << err;
    }
}

TEST(AircraftBuild, OutputMustBeAnAircraftFileBelowThePlanesFolder)
{
    for (const char* bad : {"/planes/A/A.acf", "planes/A/A.txt", "planes/../A.acf", "other/A/A.acf",
                            "planes\\A\\A.acf"}) {
        AcfBuild b;
        std::string err = build(std::string("output \"") + bad + "\"\n", &b);
        EXPECT_NE(err.find("output:"), std::string::npos) << bad << " gave: " << err;
    }
    AcfBuild twice;
    EXPECT_NE(build(k_out + k_out, &twice).find("given twice"), std::string::npos);
}

TEST(AircraftBuild, MirrorCopiesARightPartToTheLeftWithTheLateralArmNegated)
{
    AcfBuild b;
    ASSERT_EQ(build(k_out +
                        "els[7] = 4\nsemilen[7] = 9.5\nXarm[7] = 8.5\nYarm[7] = 6.9\nZarm[7] = 3.5\n"
                        "Croot[7] = 5.4\nCtip[7] = 3.3\nsweep1[7] = -3\ndihed[7] = 1.7\n"
                        "anginc[7] = 1 0.5 0 -0.5\nailn[7] = 0 1 1 1\nflap[7] = 1 0 0 0\n"
                        "Rafl0[7] = \"NACA 2412 (popular).afl\"\nTafl1[7] = \"NACA 0009 (symmetrical).afl\"\n"
                        "mirror 7 -> 6\n",
                    &b),
              "");
    const planestruct& r = *b.rec;
    EXPECT_EQ(r.Xarm[6], -8.5f);
    EXPECT_EQ(r.Yarm[6], 6.9f);
    EXPECT_EQ(r.semilen[6], 9.5f);
    EXPECT_EQ(r.sweep1[6], -3.0f);
    EXPECT_EQ(r.dihed[6], 1.7f);
    EXPECT_EQ(r.els[6], 4);
    EXPECT_EQ(r.anginc[6][3], -0.5f);
    EXPECT_EQ(r.ailn[6][1], 1);
    EXPECT_EQ(r.flap[6][0], 1);
    EXPECT_STREQ(r.Rafl0[6], "NACA 2412 (popular).afl");
    EXPECT_STREQ(r.Tafl1[6], "NACA 0009 (symmetrical).afl");
    // What the source had given counts as given on the left; what it lacked does not.
    EXPECT_TRUE(b.given(offsetof(planestruct, Xarm) + 6 * 4));
    EXPECT_FALSE(b.given(offsetof(planestruct, varsweepEQ) + 6 * 4));

    AcfBuild clash;
    EXPECT_NE(build(k_out + "els[7] = 4\nels[6] = 3\nmirror 7 -> 6\n", &clash).find("els[6]: already given"),
              std::string::npos);
    AcfBuild wrong;
    EXPECT_NE(build(k_out + "mirror 2 -> 3\n", &wrong).find("not two lifting parts"), std::string::npos);
}

TEST(AircraftBuild, SectionDrawsAnEllipseRoundTheStation)
{
    AcfBuild b;
    ASSERT_EQ(build(k_out + "section 18 4  3.2 1.9 7.1 2.3\nsection 25 6 1.1 0.04 0.85 0.65\n", &b), "");
    const planestruct& r = *b.rec;
    // Point 0 on top, 4 at the right side, 8 at the bottom, 12 at the left; all at the station's z.
    EXPECT_FLOAT_EQ(r.body_Y[18][4][0], 7.1f);
    EXPECT_FLOAT_EQ(r.body_X[18][4][0], 0.0f);
    EXPECT_FLOAT_EQ(r.body_X[18][4][4], 1.9f);
    EXPECT_FLOAT_EQ(r.body_Y[18][4][4], 4.7f);
    EXPECT_FLOAT_EQ(r.body_Y[18][4][8], 2.3f);
    EXPECT_FLOAT_EQ(r.body_X[18][4][12], -1.9f);
    for (int k = 0; k < 16; k++) EXPECT_FLOAT_EQ(r.body_Z[18][4][k], 3.2f);
    // Every point lies on the ellipse.
    for (int k = 0; k < 16; k++) {
        double x = r.body_X[18][4][k] / 1.9, y = (r.body_Y[18][4][k] - 4.7) / 2.4;
        EXPECT_NEAR(x * x + y * y, 1.0, 1e-5) << k;
    }
    // A wheel fairing has eight points round a station: point 2 is its side.
    EXPECT_NEAR(r.body_X[25][6][2], 0.04f, 1e-6);
    EXPECT_FALSE(b.given(offsetof(planestruct, body_X) + ((25 * 18 + 6) * 16 + 8) * 4));

    for (const char* bad : {"section 17 0 0 1 1 0\n", "section 18 11 0 1 1 0\n", "section 23 7 0 1 1 0\n",
                            "section 18 0 0 -1 1 0\n", "section 18 0 0 1 0 1\n"}) {
        AcfBuild e;
        EXPECT_NE(build(k_out + bad, &e).find("section:"), std::string::npos) << bad;
    }
}

TEST(AircraftBuild, CopyBodyRepeatsAnOutline)
{
    AcfBuild b;
    ASSERT_EQ(build(k_out + "section 23 2 -4.5 1.3 1.35 -1.2\ncopy_body 23 -> 24\n", &b), "");
    EXPECT_EQ(b.rec->body_Y[24][2][8], b.rec->body_Y[23][2][8]);
    EXPECT_FLOAT_EQ(b.rec->body_Y[24][2][8], -1.2f);
    AcfBuild mismatch;
    EXPECT_NE(build(k_out + "copy_body 23 -> 25\n", &mismatch).find("copy_body:"), std::string::npos);
}

TEST(AircraftBuild, DesignPropSetsBladeAnglesOnTheDesignHelix)
{
    AcfBuild b;
    ASSERT_EQ(build(k_out + "els[0] = 5\nsemilen[0] = 3.125\ndes_rpm[0] = 2400\ndes_vel[0] = 140\ndesign_prop 0\n", &b),
              "");
    // At 140 kt (236.3 ft/s) and 2400 rpm (251.3 rad/s): the element at 0.9 of the 3.125 ft radius
    // advances 236.3 ft/s against 706.9 ft/s of blade speed, a helix of 18.49 deg; the element at
    // 0.1 radius, 71.61 deg. Advance ratio 236.3 / (40 rev/s x 6.25 ft) = 0.945.
    EXPECT_NEAR(b.rec->anginc[0][4], 18.49, 0.01);
    EXPECT_NEAR(b.rec->anginc[0][0], 71.61, 0.01);
    for (int e = 1; e < 5; e++) EXPECT_LT(b.rec->anginc[0][e], b.rec->anginc[0][e - 1]);
    EXPECT_NEAR(b.rec->des_adv[0], 0.945, 0.001);
    EXPECT_EQ(b.rec->anginc[0][5], 0.0f);

    AcfBuild missing;
    EXPECT_NE(build(k_out + "els[0] = 5\nsemilen[0] = 3\ndesign_prop 0\n", &missing).find("des_vel[0] must be given"),
              std::string::npos);
}
