// hl_plane_test.cpp -- the aircraft file: layout, round trips, the other byte order, damaged files.
#include "hl_plane.h"

#include "hl_file.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "kvtest.h"

#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr size_t REC = sizeof(planestruct);
constexpr size_t HEAD = 5;

std::unique_ptr<planestruct> new_record(void) { return std::make_unique<planestruct>(); }

// Fills a record so that every 4-byte number differs from its own reversal and from every other,
// every text row is printable and terminated, and asi_units is as given.
void fill(planestruct* r, uint32_t seed, int32_t asi_units)
{
    unsigned char* b = reinterpret_cast<unsigned char*>(r);
    for (const pln_field& f : pln_fields) {
        for (int32_t at = f.offset; at < f.offset + f.bytes; at += (f.kind == PLN_TEXT ? 1 : 4)) {
            if (f.kind == PLN_TEXT) {
                bool last = (at - f.offset) % PLN_TEXT_LEN == PLN_TEXT_LEN - 1;
                b[at] = last ? 0 : static_cast<unsigned char>('A' + (at * 7 + seed) % 26);
            } else {
                uint32_t w = 0x10000000u + static_cast<uint32_t>(at) * 16u + (seed & 15u);
                std::memcpy(b + at, &w, 4);
            }
        }
    }
    r->asi_units = asi_units;
}

// The file bytes of a record: the letter, the version in the letter's byte order, and the record as
// this machine holds it or as a big-endian machine would (every swapped field reversed, text and
// unswapped fields as they are).
std::string file_of(const planestruct& r, bool big_endian, char letter)
{
    std::string rec(reinterpret_cast<const char*>(&r), REC);
    if (big_endian) {
        for (const pln_field& f : pln_fields) {
            if (f.kind != PLN_SWAP) continue;
            for (int32_t at = f.offset; at < f.offset + f.bytes; at += 4) {
                std::swap(rec[at], rec[at + 3]);
                std::swap(rec[at + 1], rec[at + 2]);
            }
        }
    }
    std::string head = letter == 'a' ? std::string{letter, 0, 0, 0, 46} : std::string{letter, 46, 0, 0, 0};
    return head + rec;
}

class AircraftFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_recorded_alerts();
        std::memset(pln, 0, sizeof pln);
    }
    TempDir dir;
};

TEST_F(AircraftFile, WrittenReadAndWrittenAgainIsByteIdentical)
{
    auto orig = new_record();
    fill(orig.get(), 3, 1);
    orig->ecam = 0x11223344;
    pln[0] = *orig;
    std::string a = (dir.path() / "a.acf").string(), b = (dir.path() / "b.acf").string();
    ASSERT_EQ(write_plane(0, a.c_str()), 1);
    std::memset(&pln[0], 0, REC);
    ASSERT_EQ(read_plane(0, a.c_str()), 1);
    EXPECT_EQ(std::memcmp(&pln[0], orig.get(), REC), 0);
    ASSERT_EQ(write_plane(0, b.c_str()), 1);

    std::string fa = read_file(a);
    ASSERT_EQ(fa.size(), 189553u);
    EXPECT_EQ(fa, read_file(b));
    EXPECT_EQ(fa.substr(0, 5), std::string("i\x2e\0\0\0", 5));
    EXPECT_EQ(fa.substr(1613, 4), std::string("\1\0\0\0", 4));           // asi_units
    EXPECT_EQ(fa.substr(HEAD + 1672, 4), std::string("\x44\x33\x22\x11"));  // ecam
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(AircraftFile, OtherByteOrderReadsBackFieldForField)
{
    // asi_units 1 and 2, with the true letter "a" and with a header that says "i": the probe decides.
    struct Case {
        int32_t asi;
        char letter;
    } cases[] = {{2, 'a'}, {1, 'a'}, {2, 'i'}};
    for (const Case& c : cases) {
        auto orig = new_record();
        fill(orig.get(), 5, c.asi);
        orig->Vne = 250.5f;
        orig->numen = 4;
        orig->ecam = 0x01020304;
        orig->elev[27][7] = 1;
        orig->dummy3 = 7;
        orig->rudd[0][0] = 1;
        orig->in_downwash[27][27][7] = 0x0A0B0C0D;
        orig->body_Z[27][17][15] = -3.75f;
        orig->ASr2 = 0.125f;
        std::snprintf(orig->Rafl0[27], sizeof orig->Rafl0[27], "NACA 2412.afl");

        std::string file = file_of(*orig, true, c.letter);
        ASSERT_EQ(file.substr(1613, 4), std::string("\0\0\0", 3) + char(c.asi));
        float vne_stored;
        std::memcpy(&vne_stored, file.data() + HEAD + 1628, 4);
        ASSERT_NE(vne_stored, 250.5f);
        std::string path = dir.write("big.acf", file);

        pln[1].Vne = -1;
        ASSERT_EQ(read_plane(0, path.c_str()), 1);
        EXPECT_EQ(std::memcmp(&pln[0], orig.get(), REC), 0) << "asi " << c.asi << " letter " << c.letter;
        EXPECT_EQ(pln[0].asi_units, c.asi);
        EXPECT_EQ(pln[0].Vne, 250.5f);
        EXPECT_EQ(pln[0].numen, 4);
        EXPECT_EQ(pln[0].ecam, 0x01020304);             // not swapped: keeps its stored bytes
        EXPECT_EQ(pln[0].elev[27][7], 1);               // swapped, though it lies between the spares
        EXPECT_EQ(pln[0].dummy3, 7);
        EXPECT_EQ(pln[0].rudd[0][0], 1);
        EXPECT_EQ(pln[0].in_downwash[27][27][7], 0x0A0B0C0D);
        EXPECT_EQ(pln[0].body_Z[27][17][15], -3.75f);
        EXPECT_EQ(pln[0].ASr2, 0.125f);
        EXPECT_STREQ(pln[0].Rafl0[27], "NACA 2412.afl");
        EXPECT_EQ(pln[1].Vne, -1);
    }
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(AircraftFile, UnsetAirspeedUnitsFollowTheHeaderLetter)
{
    // A fresh design holds asi_units 0, which reads the same either way round: a file from this
    // machine is used as stored, one marked big-endian is swapped.
    for (bool big : {false, true}) {
        auto orig = new_record();
        fill(orig.get(), 9, 0);
        orig->Vso = 48.0f;
        std::string path = dir.write("zero.acf", file_of(*orig, big, big ? 'a' : 'i'));
        ASSERT_EQ(read_plane(1, path.c_str()), 1);
        EXPECT_EQ(std::memcmp(&pln[1], orig.get(), REC), 0) << (big ? "big" : "little");
        EXPECT_EQ(pln[1].Vso, 48.0f);
    }
}

TEST_F(AircraftFile, SwapTouchesExactlyTheMarkedValues)
{
    auto orig = new_record();
    fill(orig.get(), 1, 1);
    pln[1] = *orig;
    rev_pln_bytes(1);
    const unsigned char* a = reinterpret_cast<const unsigned char*>(orig.get());
    const unsigned char* b = reinterpret_cast<const unsigned char*>(&pln[1]);
    int changed = 0;
    for (size_t at = 0; at < REC; at += 4) changed += std::memcmp(a + at, b + at, 4) != 0;
    EXPECT_EQ(changed, 26759);  // the values of the 169 swapped fields
    EXPECT_EQ(std::memcmp(orig->C_path, pln[1].C_path, sizeof orig->C_path), 0);
    EXPECT_EQ(std::memcmp(orig->flap_str, pln[1].flap_str, sizeof orig->flap_str), 0);
    rev_pln_bytes(1);
    EXPECT_EQ(std::memcmp(orig.get(), &pln[1], REC), 0);
}

TEST_F(AircraftFile, TextFieldsComeBackTerminated)
{
    auto orig = new_record();
    fill(orig.get(), 2, 1);
    std::string file = file_of(*orig, false, 'i');
    for (const pln_field& f : pln_fields)
        if (f.kind == PLN_TEXT) std::memset(&file[HEAD + f.offset], 'Q', f.bytes);
    std::string path = dir.write("text.acf", file);
    ASSERT_EQ(read_plane(0, path.c_str()), 1);
    EXPECT_EQ(std::strlen(pln[0].C_file), 399u);
    EXPECT_EQ(std::strlen(pln[0].tailnum), 399u);
    EXPECT_EQ(std::strlen(pln[0].flap_str), 399u);
    for (int s = 0; s < 28; s++) {
        EXPECT_EQ(std::strlen(pln[0].Rafl0[s]), 399u);
        EXPECT_EQ(std::strlen(pln[0].Tafl1[s]), 399u);
    }
    EXPECT_EQ(pln[0].asi_units, 1);
}

TEST_F(AircraftFile, DamagedFilesAreRefusedAndTheAircraftKept)
{
    auto good = new_record();
    fill(good.get(), 4, 2);
    const std::string whole = file_of(*good, false, 'i');
    auto loaded = new_record();
    fill(loaded.get(), 8, 1);

    struct Case {
        std::string file;
        const char* first_line;  // the alert expected
        bool fatal;
    } cases[] = {
        {"", "An error occurred during read-in of the aircraft file.", false},
        {"x" + whole.substr(1), "An error occurred during read-in of the aircraft file.", false},
        {"I" + whole.substr(1), "An error occurred during read-in of the aircraft file.", false},
        {whole.substr(0, 3), "File-scanning error!", true},
        {whole.substr(0, 5), "An error occurred during read-in of the aircraft file.", false},
        {whole.substr(0, 1613), "An error occurred during read-in of the aircraft file.", false},
        {whole.substr(0, whole.size() - 1), "An error occurred during read-in of the aircraft file.", false},
        {std::string("i\x2f\0\0\0", 5) + whole.substr(5),
         "The following file is the wrong version for this version of Kestrova:", true},
    };
    for (const Case& c : cases) {
        clear_recorded_alerts();
        pln[0] = *loaded;
        std::string path = dir.write("bad.acf", c.file);
        if (c.fatal) {
            EXPECT_THROW(read_plane(0, path.c_str()), FatalAlert) << c.file.size();
        } else {
            EXPECT_EQ(read_plane(0, path.c_str()), 0) << c.file.size();
        }
        ASSERT_EQ(recorded_alerts().size(), 1u) << c.file.size();
        const RecordedAlert& a = recorded_alerts()[0];
        EXPECT_EQ(a.l1, c.first_line);
        EXPECT_TRUE(a.l2 == path || a.l3 == path || a.l4 == path) << "the alert names the file";
        EXPECT_EQ(a.code, c.fatal ? ALERT_FATAL : ALERT_NOTICE);
        EXPECT_EQ(std::memcmp(&pln[0], loaded.get(), REC), 0) << "the loaded aircraft was touched";
    }

    clear_recorded_alerts();
    EXPECT_EQ(read_plane(0, (dir.path() / "missing.acf").c_str()), 0);
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(AircraftFile, UnwritablePathGetsTheSaveAlert)
{
    std::string path = (dir.path() / "gone" / "x.acf").string();
    EXPECT_EQ(write_plane(0, path.c_str()), 0);
    ASSERT_EQ(recorded_alerts().size(), 1u);
    EXPECT_EQ(recorded_alerts()[0].l2, path);
    EXPECT_EQ(write_plane(0, "/dev/full"), 0);
}

}  // namespace
