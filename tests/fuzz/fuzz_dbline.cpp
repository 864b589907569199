// fuzz_dbline.cpp -- the airport, runway, navaid and fix line readers on any bytes, read as each of
// the three databases the way the loaders read them. What they read is in range and terminated,
// and written, read and written again it comes out the same on the second round trip.
#include "fuzz_support.h"

#include "hl_dbline.h"
#include "hl_file.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// One line of any of the databases, in file order.
struct Line {
    int code;  // 1 airport, 10 runway, else a navaid's kind; -1 a fix
    float a, b, c;
    int i1, i2, i3, i4, i5, i6;
    char letter;
    char id[DB_FIX_ID_LEN];
    char name[DB_NAME_LEN];
};

enum { APT, NAV, FIX };
constexpr int MAX_LINES = 400;

// Reads the lines the way the loaders do, up to the end code.
void read_lines(std::vector<Line>& lines, int kind)
{
    while (lines.size() < MAX_LINES) {
        Line l{};
        if (kind == FIX) {
            l.code = -1;
            if (!fio_fix_line(&l.a, &l.b, l.id, 1)) break;
            FUZZ_CHECK(fuzz_terminated(l.id, DB_FIX_ID_LEN));
            lines.push_back(l);
            continue;
        }
        l.code = intscan("code");
        if (l.code == DB_CODE_END) break;
        if (kind == APT && l.code == DB_CODE_AIRPORT) {
            fio_apt_line(&l.a, &l.i1, &l.i2, l.id, l.name, 1);
            FUZZ_CHECK((l.i1 == 0 || l.i1 == 1) && (l.i2 == 0 || l.i2 == 1));
        } else if (kind == APT && l.code == DB_CODE_RUNWAY) {
            fio_rwy_line(&l.a, &l.b, &l.i1, &l.letter, &l.i2, &l.i3, &l.i4, &l.i5, 1);
            FUZZ_CHECK(l.i2 >= 0 && l.i2 <= 359);
        } else if (kind == NAV) {
            fio_nav_line(&l.code, &l.a, &l.b, &l.c, &l.i1, &l.i2, l.id, l.name, 1);
            FUZZ_CHECK(l.i2 >= 0 && l.i2 <= 359);
        } else {
            continue;  // another code: nothing more is read for it
        }
        FUZZ_CHECK(fuzz_terminated(l.id, DB_ID_LEN) && fuzz_terminated(l.name, DB_NAME_LEN));
        lines.push_back(l);
    }
}

std::vector<Line> read_db(const std::string& path, int kind)
{
    std::vector<Line> lines;
    try {
        if (!inf_open(path.c_str(), DB_FILE_TYPE, DB_VERSION, 1)) return lines;
        read_lines(lines, kind);
    } catch (const FuzzFatal&) {
        // A field that could not be read: the program would end here; keep what was read.
    }
    inf1.close();
    inf1.clear();
    return lines;
}

std::string write_db(std::vector<Line>& lines, int kind, const char* name)
{
    std::string path = fuzz_path(name);
    FUZZ_CHECK(ouf_open(path.c_str(), DB_FILE_TYPE, DB_VERSION) == 1);
    for (Line& l : lines) {
        if (kind == FIX)
            fio_fix_line(&l.a, &l.b, l.id, 0);
        else if (kind == NAV)
            fio_nav_line(&l.code, &l.a, &l.b, &l.c, &l.i1, &l.i2, l.id, l.name, 0);
        else if (l.code == DB_CODE_AIRPORT)
            fio_apt_line(&l.a, &l.i1, &l.i2, l.id, l.name, 0);
        else
            fio_rwy_line(&l.a, &l.b, &l.i1, &l.letter, &l.i2, &l.i3, &l.i4, &l.i5, 0);
    }
    ouf << DB_CODE_END << '\n';
    FUZZ_CHECK(ouf_close(path.c_str()) == 1);
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz_begin();
    std::string in = fuzz_file("in.dat", data, size);
    for (int kind : {APT, NAV, FIX}) {
        std::vector<Line> first = read_db(in, kind);
        if (first.empty()) continue;
        int before = fuzz_alerts();
        write_db(first, kind, "w1.dat");
        std::vector<Line> second = read_db(fuzz_path("w1.dat"), kind);
        FUZZ_CHECK(second.size() == first.size());
        std::string w2 = write_db(second, kind, "w2.dat");
        std::vector<Line> third = read_db(w2, kind);
        FUZZ_CHECK(third.size() == first.size());
        std::string w3 = write_db(third, kind, "w3.dat");
        FUZZ_CHECK(fuzz_read(w2) == fuzz_read(w3));
        FUZZ_CHECK(fuzz_alerts() == before);
    }
    return 0;
}
