// output.cpp -- the data-output items: their labels, values and cockpit formats, the output file's
// label and value cells, the cockpit rows, the selections and the graph's ring.
#include "output.h"

#include "hl_file.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_types.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr int LABEL_LEN = 40;
constexpr float VALUE_LIMIT = 9.9e9f;
constexpr int COCKPIT_COLOUR = 47;
constexpr float COCKPIT_ADVANCE = 6.0f;

// Each label is four columns of a 4-character name, a blank, a 4-character unit and a blank.
constexpr const char* LABELS[OUT_ITEMS] = {
    "FREQ /sec TIME rtio                     ",
    "TIME  sec                               ",
    "LTIM  hrs ZTIM  hrs                     ",
    "DRAT part                               ",
    " RHO sft3                               ",
    "ALPH  deg BETA  deg                     ",
    "HPTH  deg                               ",
    "VPTH  deg                               ",
    "THT1 part THT2 part THT3 part THT4 part ",
    "PRP1  rpm PRP2  rpm PRP3  rpm PRP4  rpm ",
    "SWP1  deg SWP2  deg HSWP  deg TVEC  deg ",
    "ELEV yoke AILN yoke RUDD yoke           ",
    "ELEV surf AILN surf RUDD surf           ",
    "TRIM unit FLAP part SLAT part           ",
    "GEAR  0/1 LBRK part RBRK part SBRK 1012 ",
    "Vtru ktas Vind kias                     ",
    " VVI  fpm                               ",
    "MACH    #    G unit                     ",
    "   A ktas                               ",
    "   Q  psf                               ",
    "   M ftlb    L ftlb    N ftlb           ",
    "Qdot d/ss Pdot d/ss Rdot d/ss           ",
    "   Q  d/s    P  d/s    R  d/s           ",
    "PTCH  deg ROLL  deg                     ",
    "HDNG true HDNG  mag MVAR  deg           ",
    "dist   ft dist   nm                     ",
    " LAT  deg  LON  deg  ALT   ft           ",
    "   X    m    Y    m    Z    m           ",
    "POWR 1,hp POWR 2,hp POWR 3,hp POWR 4,hp ",
    "THST 1,lb THST 2,lb THST 3,lb THST 4,lb ",
    "NTRQ ftlb NTRQ ftlb NTRQ ftlb NTRQ ftlb ",
    "RPM1  rpm RPM2  rpm RPM3  rpm RPM4  rpm ",
    "PTCH  deg PTCH  deg PTCH  deg PTCH  deg ",
    "PWSH   kt PWSH   kt PWSH   kt PWSH   kt ",
    "MP 1 inhg MP 2 inhg MP 3 inhg MP 4 inhg ",
    "N1 1 pcnt N1 2 pcnt N1 3 pcnt N1 4 pcnt ",
    "FF 1 lb/h FF 2 lb/h FF 3 lb/h FF 4 lb/h ",
    "LIFT   lb DRAG   lb SIDE   lb           ",
    "NORM   lb AXIL   lb SIDE   lb           ",
    "NOSE feet LEFT feet RIGT feet           ",
    " L/D  rat                               ",
    "PEF1  rat PEF2  rat PEF3  rat PEF4  rat ",
    "AILN  deg AILN  deg                     ",
    "SPLR  deg SPLR  deg                     ",
    "ELEV  deg ELEV  deg                     ",
    "RUDD  deg                               ",
    "DRUD  deg DRUD  deg                     ",
    "CYCL  deg CYCL  deg                     ",
    "PALD   lb FUEL   lb JETI   lb           ",
    "EMPTY  lb GROS   lb                     ",
};

constexpr bool labels_are_full_length(void)
{
    for (const char* l : LABELS) {
        int n = 0;
        while (l[n]) n++;
        if (n != LABEL_LEN) return false;
    }
    return true;
}
static_assert(labels_are_full_length(), "every label holds exactly four 10-character columns");

// The columns each item defines a value for, bit k for column k + 1. Item 14 names four columns
// but has values only for the gear handle and the speed brakes.
constexpr unsigned C1 = 1, C2 = 3, C3 = 7, C4 = 15;
const unsigned COLUMNS[OUT_ITEMS] = {
    C2, C1, C2, C1, C1, C2, C1, C1, C4, C4,   //  0..9
    C4, C3, C3, C3, 9u, C2, C1, C2, C1, C1,   // 10..19
    C3, C3, C3, C2, C3, C2, C3, C3, C4, C4,   // 20..29
    C4, C4, C4, C4, C4, C4, C4, C3, C3, C3,   // 30..39
    C1, C4, C2, C2, C2, C1, C2, C2, C3, C2,   // 40..49
};

// Cockpit digit places (decimals included) and decimals of each item's columns.
struct DigDec {
    int dig[4], dec[4];
};
const DigDec FORMATS[OUT_ITEMS] = {
    {{4, 3, 0, 0}, {1, 2, 0, 0}},   // 0
    {{4, 0, 0, 0}, {0, 0, 0, 0}},   // 1
    {{3, 3, 0, 0}, {1, 1, 0, 0}},   // 2
    {{4, 0, 0, 0}, {3, 0, 0, 0}},   // 3
    {{4, 0, 0, 0}, {4, 0, 0, 0}},   // 4
    {{4, 4, 0, 0}, {1, 1, 0, 0}},   // 5
    {{4, 0, 0, 0}, {1, 0, 0, 0}},   // 6
    {{4, 0, 0, 0}, {1, 0, 0, 0}},   // 7
    {{3, 3, 3, 3}, {2, 2, 2, 2}},   // 8
    {{4, 4, 4, 4}, {0, 0, 0, 0}},   // 9
    {{3, 3, 3, 3}, {0, 0, 0, 0}},   // 10
    {{3, 3, 3, 0}, {2, 2, 2, 0}},   // 11
    {{3, 3, 3, 0}, {2, 2, 2, 0}},   // 12
    {{4, 3, 3, 0}, {2, 2, 2, 0}},   // 13
    {{1, 3, 3, 1}, {0, 2, 2, 0}},   // 14
    {{4, 4, 0, 0}, {0, 0, 0, 0}},   // 15
    {{4, 0, 0, 0}, {0, 0, 0, 0}},   // 16
    {{4, 3, 0, 0}, {2, 1, 0, 0}},   // 17
    {{3, 0, 0, 0}, {0, 0, 0, 0}},   // 18
    {{4, 0, 0, 0}, {0, 0, 0, 0}},   // 19
    {{4, 4, 4, 0}, {0, 0, 0, 0}},   // 20
    {{3, 3, 3, 0}, {0, 0, 0, 0}},   // 21
    {{4, 4, 4, 0}, {1, 1, 1, 0}},   // 22
    {{3, 3, 0, 0}, {0, 0, 0, 0}},   // 23
    {{3, 3, 2, 0}, {0, 0, 0, 0}},   // 24
    {{4, 4, 0, 0}, {0, 0, 0, 0}},   // 25
    {{3, 4, 4, 0}, {1, 1, 0, 0}},   // 26
    {{4, 4, 4, 0}, {0, 0, 0, 0}},   // 27
    {{4, 4, 4, 4}, {0, 0, 0, 0}},   // 28
    {{4, 4, 4, 4}, {0, 0, 0, 0}},   // 29
    {{4, 4, 4, 4}, {0, 0, 0, 0}},   // 30
    {{4, 4, 4, 4}, {0, 0, 0, 0}},   // 31
    {{2, 2, 2, 2}, {0, 0, 0, 0}},   // 32
    {{3, 3, 3, 3}, {0, 0, 0, 0}},   // 33
    {{3, 3, 3, 3}, {0, 0, 0, 0}},   // 34
    {{3, 3, 3, 3}, {0, 0, 0, 0}},   // 35
    {{4, 4, 4, 4}, {0, 0, 0, 0}},   // 36
    {{4, 4, 4, 0}, {0, 0, 0, 0}},   // 37
    {{4, 4, 4, 0}, {0, 0, 0, 0}},   // 38
    {{3, 3, 3, 0}, {2, 2, 2, 0}},   // 39
    {{4, 0, 0, 0}, {2, 0, 0, 0}},   // 40
    {{4, 4, 4, 4}, {3, 3, 3, 3}},   // 41
    {{3, 3, 0, 0}, {1, 1, 0, 0}},   // 42
    {{3, 3, 0, 0}, {1, 1, 0, 0}},   // 43
    {{3, 3, 0, 0}, {1, 1, 0, 0}},   // 44
    {{3, 3, 0, 0}, {1, 1, 0, 0}},   // 45
    {{3, 3, 0, 0}, {1, 1, 0, 0}},   // 46
    {{3, 3, 3, 0}, {1, 1, 1, 0}},   // 47
    {{4, 4, 4, 0}, {0, 0, 0, 0}},   // 48
    {{4, 4, 0, 0}, {0, 0, 0, 0}},   // 49
};

bool valid_item(int item) { return item >= 0 && item < OUT_ITEMS; }

// a / b, or no value when b is 0.
float ratio(float a, float b) { return b != 0.0f ? a / b : OUT_NONE; }

// Fills the item's four column values (OUT_NONE where it has none).
void item_values(int item, float v[4])
{
    const planestruct& p = pln[0];
    for (int k = 0; k < 4; k++) v[k] = OUT_NONE;
    switch (item) {
    case 0: v[0] = ratio(1.0f, msc.prd); v[1] = msc.rtrat; break;
    case 1: v[0] = msc.elap_time; break;
    case 2: v[0] = msc.locl_time / 3600.0f; v[1] = msc.zulu_time / 3600.0f; break;
    case 3: v[0] = atm.crtsig; break;
    case 4: v[0] = atm.rho * con.medtoend; break;
    case 5: v[0] = flt.Alph; v[1] = flt.Beta; break;
    case 6: v[0] = flt.hpath; break;
    case 7: v[0] = fltwrap(flt.vpath, -180.0f, 180.0f); break;
    case 8:
        // The half-hundredth makes the cockpit's two decimals round a full throttle up to 1.00.
        for (int k = 0; k < 4; k++) v[k] = flt.thro[k] + 0.005f;
        break;
    case 9: for (int k = 0; k < 4; k++) v[k] = flt.prop[k] * con.rsctorpm; break;
    case 10: v[0] = p.sweepnow[4]; v[1] = p.sweepnow[6]; v[2] = p.sweepnow[10]; v[3] = p.vertcant[0]; break;
    case 11: v[0] = set.YK_ptch; v[1] = set.YK_roll; v[2] = set.YK_hdng; break;
    case 12: v[0] = set.FC_ptch; v[1] = set.FC_roll; v[2] = set.FC_hdng; break;
    case 13: v[0] = flt.elv_trim; v[1] = flt.flap; v[2] = flt.slat; break;
    case 14: v[0] = set.gear_handle ? 1.0f : 0.0f; v[3] = static_cast<float>(flt.sbrk); break;
    case 15: v[0] = flt.av * con.msctokts; v[1] = flt.vind; break;
    case 16: v[0] = static_cast<float>(flt.vY) * con.msctofpm; break;
    case 17:
        v[0] = ratio(flt.av, atm.a);
        v[1] = ratio(pythag3(flt.aX, flt.aZ, flt.aY + con.g), con.g);
        break;
    case 18: v[0] = atm.a * con.msctokts; break;
    case 19: v[0] = flt.Qstatic * con.meptoenp; break;
    case 20: v[0] = flt.M * con.nmtoftlb; v[1] = flt.L * con.nmtoftlb; v[2] = flt.N * con.nmtoftlb; break;
    case 21: v[0] = flt.Qdot; v[1] = flt.Pdot; v[2] = flt.Rdot; break;
    case 22: v[0] = flt.Q; v[1] = flt.P; v[2] = flt.R; break;
    case 23: v[0] = flt.the[0]; v[1] = flt.phi[0]; break;
    case 24: v[0] = flt.psi[0]; v[1] = flt.magpsi; v[2] = env.mvar; break;
    case 25: v[0] = flt.dist * con.mtrstoft; v[1] = flt.dist * con.mtrstonm; break;
    case 26: v[0] = flt.lat; v[1] = flt.lon; v[2] = static_cast<float>(flt.Y[0]) * con.mtrstoft; break;
    case 27:
        v[0] = static_cast<float>(flt.X[0]);
        v[1] = static_cast<float>(flt.Y[0]);
        v[2] = static_cast<float>(flt.Z[0]);
        break;
    case 28: for (int k = 0; k < 4; k++) v[k] = flt.power[k] * con.watttohp; break;
    case 29: for (int k = 0; k < 4; k++) v[k] = flt.thrust[k] * con.ntntolbs; break;
    case 30: for (int k = 0; k < 4; k++) v[k] = flt.trq[k] * con.nmtoftlb; break;
    case 31: for (int k = 0; k < 4; k++) v[k] = flt.tac[k] * con.rsctorpm; break;
    case 32: for (int k = 0; k < 4; k++) v[k] = flt.proppitch[k]; break;
    case 33: for (int k = 0; k < 4; k++) v[k] = flt.DVinc[k] * con.msctokts; break;
    case 34: for (int k = 0; k < 4; k++) v[k] = flt.mpr[k]; break;
    case 35: for (int k = 0; k < 4; k++) v[k] = flt.n1_[k]; break;
    case 36: for (int k = 0; k < 4; k++) v[k] = flt.ff_[k] * con.kgstolbs * 3600.0f; break;
    case 37:
        v[0] = flt.fnrmlaero * con.ntntolbs;
        v[1] = -flt.faxilaero * con.ntntolbs;
        v[2] = flt.fsideaero * con.ntntolbs;
        break;
    case 38:
        v[0] = flt.fnrmlprop * con.ntntolbs;
        v[1] = flt.faxilprop * con.ntntolbs;
        v[2] = flt.fsideprop * con.ntntolbs;
        break;
    case 39: for (int k = 0; k < 3; k++) v[k] = p.condef[k] * con.mtrstoft; break;
    case 40: v[0] = ratio(-flt.fnrmlaero, flt.faxilaero); break;
    case 41: for (int k = 0; k < 4; k++) v[k] = ratio(flt.thrust[k] * flt.av, flt.power[k]); break;
    case 42: v[0] = flt.lailndef; v[1] = flt.railndef; break;
    case 43: v[0] = flt.lsplrdef; v[1] = flt.rsplrdef; break;
    case 44: v[0] = flt.lhstbdef; v[1] = flt.rhstbdef; break;
    case 45: v[0] = flt.ruddef; break;
    case 46: v[0] = flt.ldruddef; v[1] = flt.rdruddef; break;
    case 47: v[0] = p.elevcyclic * set.FC_ptch; v[1] = p.ailncyclic * set.FC_roll; break;
    case 48:
        v[0] = flt.m_fixed * con.kgstolbs;
        v[1] = flt.m_fuel * con.kgstolbs;
        v[2] = flt.m_jettison * con.kgstolbs;
        break;
    case 49: v[0] = p.m_empty * con.kgstolbs; v[1] = flt.m_total * con.kgstolbs; break;
    default: break;
    }
}

// The cockpit row's origin: rows 0..4 down the left edge, 5..9 down the right.
void cockpit_origin(int row, float* x, float* y)
{
    *x = row < 5 ? 0.0f : 665.0f;
    *y = 522.0f - 40.0f * static_cast<float>(row < 5 ? row : row - 5);
}

// Column k's name and unit out of a label, four characters each, terminated.
void split_label(const char* label, int k, char name[5], char unit[5])
{
    std::memcpy(name, label + 10 * k, 4);
    std::memcpy(unit, label + 10 * k + 5, 4);
    name[4] = unit[4] = 0;
}

void blanks_to_underscores(char* s)
{
    for (; *s; s++)
        if (*s == ' ') *s = '_';
}

// The number of engine columns the aircraft fills, 0..4.
int engines(void) { return intlim(pln[0].numen, 0, 4); }

}  // namespace

// ---- the items ----------------------------------------------------------------------------------

const char* out_item_label(int item) { return valid_item(item) ? LABELS[item] : ""; }

int usedat(int item, int column)
{
    if (!valid_item(item) || column < 1 || column > 4) return 0;
    if (!(COLUMNS[item] & (1u << (column - 1)))) return 0;
    switch (item) {
    case 8: case 9: case 28: case 30: case 34: case 35: case 36: case 41:
        return column <= engines() ? 1 : 0;
    case 29: case 31: case 32: case 33:
        // A helicopter's first two columns are its main and tail rotor, whatever its engine count.
        if (pln[0].is_heli) return column <= 2 ? 1 : 0;
        return column <= engines() ? 1 : 0;
    default: return 1;
    }
}

void set_dig_dec(int item, int dig[4], int dec[4])
{
    for (int k = 0; k < 4; k++) {
        dig[k] = valid_item(item) ? FORMATS[item].dig[k] : 0;
        dec[k] = valid_item(item) ? FORMATS[item].dec[k] : 0;
    }
}

void out_dat(int channel, int item, int slot)
{
    if (!valid_item(item)) return;
    float v[4];
    item_values(item, v);
    sub_out_dat(channel, item, slot, v);
}

void out_label(int channel, int item, int slot)
{
    if (!valid_item(item)) return;
    sub_out_label(channel, item, slot, LABELS[item]);
}

void sub_out_dat(int channel, int item, int slot, const float val[4])
{
    if (!valid_item(item) || !val) return;
    float v[4];
    for (int k = 0; k < 4; k++) {
        if (!usedat(item, k + 1) || !std::isfinite(val[k])) v[k] = OUT_NONE;
        else v[k] = fltlim(val[k], -VALUE_LIMIT, VALUE_LIMIT);
    }
    switch (channel) {
    case OUT_FILE: {
        // One cell per column the label row has, so a column without a value keeps its place.
        char cell[40];
        for (int k = 0; k < 4; k++) {
            if (!usedat(item, k + 1)) continue;
            // At most 13 characters of number for a value within the limits: it always fits.
            int n = std::snprintf(cell, sizeof cell, "%11.2f | ", static_cast<double>(v[k]));
            if (n > 0 && n < static_cast<int>(sizeof cell)) trk.write(cell, n);
        }
        break;
    }
    case OUT_GRAPH:
        if (slot < 0 || slot >= GRAPH_SLOTS || grf.cntr < 0 || grf.cntr >= GRAPH_SAMPLES) return;
        for (int k = 0; k < 4; k++) grf.data[slot][k][grf.cntr] = v[k];
        break;
    case OUT_COCKPIT: {
        if (slot < 0 || slot >= OUT_COCKPIT_ROWS) return;
        float x, y;
        cockpit_origin(slot, &x, &y);
        const DigDec& f = FORMATS[item];
        for (int k = 0; k < 4; k++) {
            if (std::fabs(v[k] - OUT_NONE) <= 0.001f) continue;
            OGL_number(COCKPIT_COLOUR, x + 10.0f + 30.0f * k, y, v[k], f.dig[k], f.dec[k], COCKPIT_ADVANCE, 1);
        }
        break;
    }
    default: break;
    }
}

void sub_out_label(int channel, int item, int slot, const char* label)
{
    // The last unit ends at character 38.
    if (!valid_item(item) || !label || std::strlen(label) < LABEL_LEN - 1) return;
    char name[5], unit[5];
    switch (channel) {
    case OUT_FILE: {
        char cell[OUT_CELL + 1];
        for (int k = 0; k < 4; k++) {
            if (!usedat(item, k + 1)) continue;
            split_label(label, k, name, unit);
            blanks_to_underscores(name);
            blanks_to_underscores(unit);
            int n = std::snprintf(cell, sizeof cell, "  %s,%s | ", name, unit);
            if (n == OUT_CELL) trk.write(cell, n);
        }
        break;
    }
    case OUT_GRAPH: {
        // The legend beside the strip: each name left of the numbers (clear of their sign place at
        // x 24), its unit right of them.
        static const float ROW[4] = {33.0f, 12.0f, -9.0f, -30.0f};
        static const int COLOUR[4] = {4, 9, 7, 18};
        if (slot < 0 || slot >= GRAPH_SLOTS) return;
        const float y = 85.0f + 90.0f * static_cast<float>(slot);
        for (int k = 0; k < 4; k++) {
            if (!usedat(item, k + 1)) continue;
            split_label(label, k, name, unit);
            OGL_string(COLOUR[k], 0.0f, y + ROW[k], name, 800.0f, 6.0f);
            OGL_string(COLOUR[k], 74.0f, y + ROW[k], unit, 800.0f, 6.0f);
        }
        break;
    }
    case OUT_COCKPIT: {
        if (slot < 0 || slot >= OUT_COCKPIT_ROWS) return;
        float x, y;
        cockpit_origin(slot, &x, &y);
        for (int k = 0; k < 4; k++) {
            if (!usedat(item, k + 1)) continue;
            split_label(label, k, name, unit);
            OGL_string(COCKPIT_COLOUR, x + 10.0f + 30.0f * k, y + 10.0f, name, 800.0f, COCKPIT_ADVANCE);
            OGL_string(COCKPIT_COLOUR, x + 10.0f + 30.0f * k, y - 10.0f, unit, 800.0f, COCKPIT_ADVANCE);
        }
        break;
    }
    default: break;
    }
}

void out_end_row(void) { trk.put('\n'); }

void plot_cockpit_data(void)
{
    if (!set.rltout) return;
    for (int row = 0; row < OUT_COCKPIT_ROWS; row++) {
        const int item = set.rltsel[row];
        if (!valid_item(item)) continue;
        out_label(OUT_COCKPIT, item, row);
        out_dat(OUT_COCKPIT, item, row);
    }
}

// ---- selections and the graph's ring ------------------------------------------------------------

void set_rlt_grf_choices(void)
{
    for (int& s : set.rltsel) s = -1;
    for (int& s : set.grfsel) s = -1;
    int nr = 0, ng = 0;
    set.dskout = set.rltout = set.grfout = 0;
    for (int i = 0; i < OUT_ITEMS; i++) {
        if (set.Brlt[i] && nr < OUT_COCKPIT_ROWS) set.rltsel[nr++] = i;
        if (set.Bgrf[i] && ng < GRAPH_SLOTS) set.grfsel[ng++] = i;
        if (set.Bdsk[i]) set.dskout = 1;
        if (set.Brlt[i]) set.rltout = 1;
        if (set.Bgrf[i]) set.grfout = 1;
    }
    // The ring's samples belong to the old slots: empty it whole, periods and wrap included.
    clear_graph();
    flt.dist = 0.0f;
}

void clear_graph(void)
{
    for (float& p : grf.period) p = 999.0f;
    for (auto& slot : grf.data)
        for (auto& col : slot)
            for (float& v : col) v = OUT_NONE;
    grf.cntr = -1;
    grf.indexstart = 0;
    grf.graphstruct_full = 0;
}

void update_graph(void)
{
    grf.cntr = grf.cntr < 0 ? 0 : grf.cntr + 1;
    if (grf.cntr >= GRAPH_SAMPLES) {
        grf.cntr = 0;
        grf.graphstruct_full = 1;
    }
    if (grf.graphstruct_full) grf.indexstart = intwrap(grf.cntr + 1, 0, GRAPH_SAMPLES - 1);
    grf.period[grf.cntr] = msc.prd;
    for (int s = 0; s < GRAPH_SLOTS; s++) {
        if (set.grfsel[s] >= 0) out_dat(OUT_GRAPH, set.grfsel[s], s);
        else
            for (int k = 0; k < 4; k++) grf.data[s][k][grf.cntr] = OUT_NONE;
    }
}
