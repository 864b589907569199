// acf_check.cpp -- the completeness and range checks of a built aircraft record: everything the
// aircraft has is described, every value is in the range the designer allows, and the design
// passes the checks the simulator makes when it loads the aircraft.
#include <cmath>
#include <cstring>

#include "acf_build.h"
#include "acf_parts.h"

namespace {

constexpr double k_deg = M_PI / 180.0;

bool is_wide(int kind) { return kind == 1 || kind == 2 || kind == 3 || kind == 5 || kind == 6 || kind == 7; }

std::string num_text(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

class Checker {
public:
    explicit Checker(const AcfBuild& b) : b_(b), r_(*b.rec) {}

    std::vector<std::string> run();

private:
    const AcfBuild& b_;
    const planestruct& r_;
    std::vector<std::string> out_;

    void fail(const std::string& field, const std::string& what) { out_.push_back(b_.file + ": " + field + ": " + what); }

    int offset(const char* f, int i, int j) const
    {
        const AcfField& fd = *acf_field(f);
        int idx[2] = {i, j};
        int n = i < 0 ? 0 : (j < 0 ? 1 : 2);
        return acf_element_offset(fd, idx, n);
    }
    static std::string name(const char* f, int i = -1, int j = -1)
    {
        std::string s = f;
        if (i >= 0) s += "[" + std::to_string(i) + "]";
        if (j >= 0) s += "[" + std::to_string(j) + "]";
        return s;
    }
    bool has(const char* f, int i = -1, int j = -1) const { return b_.given(offset(f, i, j)); }
    double val(const char* f, int i = -1, int j = -1) const
    {
        const AcfField& fd = *acf_field(f);
        const unsigned char* p = reinterpret_cast<const unsigned char*>(&r_) + offset(f, i, j);
        if (fd.elem == ACF_INT) {
            int32_t v;
            std::memcpy(&v, p, 4);
            return v;
        }
        float v;
        std::memcpy(&v, p, 4);
        return v;
    }
    const char* text(const char* f, int i = -1) const
    {
        return reinterpret_cast<const char*>(&r_) + offset(f, i, -1);
    }

    // A field the aircraft needs: given, and within lo..hi.
    bool need(const char* f, double lo, double hi, const std::string& why, int i = -1, int j = -1)
    {
        if (!has(f, i, j)) {
            fail(name(f, i, j), "missing (" + why + ")");
            return false;
        }
        return range(f, lo, hi, i, j);
    }
    // A field that may be left out (then 0), but when given lies within lo..hi.
    bool opt(const char* f, double lo, double hi, int i = -1, int j = -1)
    {
        return !has(f, i, j) || range(f, lo, hi, i, j);
    }
    bool range(const char* f, double lo, double hi, int i, int j)
    {
        double v = val(f, i, j);
        if (v < lo || v > hi) {
            fail(name(f, i, j), num_text(v) + " is out of range " + num_text(lo) + " to " + num_text(hi));
            return false;
        }
        return true;
    }
    void need_text(const char* f, int i, const char* ext, const std::string& why)
    {
        const char* t = text(f, i);
        size_t n = std::strlen(t);
        if (!has(f, i) || n == 0)
            fail(name(f, i), "missing (" + why + ")");
        else if (*ext && (n <= 4 || std::strcmp(t + n - 4, ext) != 0))
            fail(name(f, i), "\"" + std::string(t) + "\" does not name a " + ext + " file");
    }
    // Nothing of a field's row p may be given (the part is absent).
    void none_given(const char* f, int p, const std::string& why)
    {
        const AcfField& fd = *acf_field(f);
        int row = fd.count / fd.dim[0] * fd.elem_bytes;
        for (int w = 0; w < row; w += 4)
            if (b_.given(fd.offset + p * row + w)) {
                fail(acf_element_name(fd, fd.offset + p * row + (w / fd.elem_bytes) * fd.elem_bytes), "given, but " + why);
                return;
            }
    }

    bool heli() const { return val("is_heli") == 1; }
    int numen() const { return static_cast<int>(val("numen")); }
    int entype() const { return numen() > 0 ? static_cast<int>(val("entype")) : 0; }
    bool prop_engine() const { return entype() >= 1 && entype() <= 3; }
    bool jet() const { return entype() == 4 || entype() == 5; }
    bool have_part(int p) const;

    void check_general();
    void check_panel();
    void check_engines();
    void check_rotor_or_prop(int i);
    void check_lifting(int p);
    void check_controls();
    void check_bodies();
    void check_body(int body, const std::string& why);
    void check_weights_and_gear();
};

bool Checker::have_part(int p) const
{
    if (p < 4) return (numen() > p && prop_engine()) || (heli() && p < 2);
    if (p < 14) return val("semilen", p) > 0.05;
    if (p < 18) return val("semilen", p) > 0.05 && numen() > p - 14;
    return false;
}

void Checker::check_general()
{
    need("is_heli", 0, 1, "1 for a helicopter, else 0");
    need_text("tailnum", -1, "", "the tail number");
    // The designer's field holds six identifier characters: another would change on viewing it.
    const char* tail = text("tailnum", -1);
    if (std::strlen(tail) != 6 || std::strspn(tail, " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ") != 6)
        fail("tailnum", "not six capitals, digits or blanks");
    need("asi_units", 1, 2, "1 statute miles per hour, 2 knots");
    bool plane = !heli();
    bool vne = need("Vne", 1, 2000, "never-exceed speed");
    if (plane) {
        std::string why = "an aeroplane needs its airspeed-indicator marks";
        bool ok = need("Vso", 1, 2000, why) & need("Vs", 1, 2000, why) & need("Vfe", 1, 2000, why) &
                  need("Vno", 1, 2000, why) & vne;
        if (ok) {
            if (val("Vso") > val("Vs")) fail("Vso", "above the clean stall speed Vs");
            if (val("Vs") >= val("Vno")) fail("Vs", "not below Vno");
            if (val("Vno") > val("Vne")) fail("Vno", "above Vne");
            if (val("Vfe") <= val("Vso") || val("Vfe") > val("Vne")) fail("Vfe", "not between Vso and Vne");
        }
    } else {
        opt("Vso", 0, 2000);
        opt("Vs", 0, 2000);
        opt("Vfe", 0, 2000);
        opt("Vno", 0, 2000);
    }
    if (jet()) need("Mmo", 0.1, 5, "a jet's Mach limit is shown on its airspeed indicator");
    else opt("Mmo", 0, 5);
    need("peX", -999, 999, "the pilot's eye point");
    need("peY", -999, 999, "the pilot's eye point");
    need("peZ", -999, 999, "the pilot's eye point");
    opt("ff_hydraulic", 0, 1);
    opt("ff_stickshaker", 0, 1);
    for (const char* f : {"antiiceEQ", "arrestingEQ", "bitchinbettyEQ", "autosbrkEQ", "autofbrkEQ", "autosweepEQ"})
        opt(f, 0, 1);
    opt("brake_area", 0, 9999);
    opt("chute_area", 0, 9999);
    if (opt("jatodur", 0, 999) && val("jatodur") > 0) {
        need("jatothrust", 1, 1e7, "rocket assist with a duration");
        need("jatoY", -999, 999, "rocket assist with a duration");
        need("jatoZ", -999, 999, "rocket assist with a duration");
    }
    for (const char* f : {"puffL", "puffM", "puffN"}) opt(f, 0, 1e9);
    opt("vectEQ", 0, 1);
    if (val("vectEQ") == 1) fail("vectEQ", "thrust vectoring is not described by this tool");
    if (val("ASloV") < 0 || val("AShiV") < 0) fail("ASloV", "the augmentation speeds must not be negative");
}

void Checker::check_panel()
{
    need("paneltype", 1, 2, "1 round gauges, 2 glass panel");
    need("radiotype", 1, 2, "the radio stack's place");
    need("AStype", 1, 3, "the airspeed dial law");
    need("supptype", 0, 7, "the supplementary instrument");
    need("HUDtype", 1, 3, "1 none, 2 head-up display, 3 with the synthetic display");
    need("VVItype", 1, 2, "the vertical-speed scale");
    need("TStype", 1, 2, "turn coordinator or needle and ball");
    need("ADFtype", 1, 2, "the direction-finder face");
    if (has("ins_of_loc", 0) && val("ins_of_loc", 0) != 0) fail("ins_of_loc[0]", "place 0 is not used; it must be 0");
    int seen[9] = {0};
    int wide[2] = {0, 0};
    bool all = true;
    for (int k = 1; k <= 8; k++) {
        if (!need("ins_of_loc", 0, 8, "the instrument in each of the eight panel places", k)) {
            all = false;
            continue;
        }
        int kind = static_cast<int>(val("ins_of_loc", k));
        if (kind > 0 && seen[kind]++) fail(name("ins_of_loc", k), "instrument " + std::to_string(kind) + " is placed twice");
        if (is_wide(kind)) wide[k <= 4 ? 0 : 1]++;
        opt("has_ins", 0, 1, k);
    }
    if (all) {
        if (wide[0] > 3) fail("ins_of_loc", "four wide instruments in the upper row (places 1 to 4)");
        if (wide[1] > 3) fail("ins_of_loc", "four wide instruments in the lower row (places 5 to 8)");
        if (heli() && (val("ins_of_loc", 4) != 0 || val("ins_of_loc", 8) != 0))
            fail("ins_of_loc", "a helicopter's panel has no places 4 and 8");
    }
    if (val("paneltype") == 2 && (val("supptype") == 3 || val("supptype") == 6))
        fail("supptype", "a glass panel already shows the moving map and the weather radar");
}

void Checker::check_rotor_or_prop(int i)
{
    std::string why = part_label(i) + " is present";
    if (heli()) why = (i == 0 ? std::string("the main rotor") : std::string("the tail rotor")) + " is present";
    need("propdir", 0, 1, why, i);
    need("numblades", 2, 9, why, i);
    need("semilen", 0.1, 99.9, why, i);
    need("Croot", 0.05, 99.9, why, i);
    need("Ctip", 0.05, 99.9, why, i);
    need("Xarm", -999, 999, why, i);
    need("Yarm", -999, 999, why, i);
    need("Zarm", -999, 999, why, i);
    opt("sweep1", -90, 90, i);
    opt("dihed", -135, 135, i);
    opt("sidecant", -180, 180, i);
    opt("vertcant", -180, 180, i);
    if (need("els", 1, 8, why, i)) {
        int els = static_cast<int>(val("els", i));
        for (int e = 0; e < els; e++) need("anginc", -90, 90, "blade angle of each element", i, e);
        for (int e = els; e < 8; e++)
            if (has("anginc", i, e)) fail(name("anginc", i, e), "given, but the blade has " + std::to_string(els) + " elements");
    }
    for (const char* f : {"Rafl0", "Rafl1", "Tafl0", "Tafl1"}) need_text(f, i, ".afl", "airfoils of " + part_label(i));
    bool pitch_moves = (val("varpitchEQ") == 1) || heli();
    opt("minpitch", -90, 90, i);
    opt("maxpitch", 0, 90, i);
    if (pitch_moves) {
        need("minpitch", -90, 90, "the blade pitch range of a variable-pitch propeller or rotor", i);
        need("maxpitch", 0, 90, "the blade pitch range of a variable-pitch propeller or rotor", i);
        if (val("minpitch", i) > val("maxpitch", i)) fail(name("minpitch", i), "above maxpitch");
    }
}

void Checker::check_engines()
{
    bool h = heli();
    if (!need("numen", 0, h ? 2 : 4, h ? "a helicopter has 1 or 2 engines" : "number of engines")) return;
    if (h && numen() < 1) fail("numen", "a helicopter needs an engine");
    if (numen() == 0) {
        opt("fusewash", 0, 0);
        return;
    }
    if (!need("entype", 1, h ? 3 : 5, "1, 2 piston, 3 turboprop or turboshaft, 4, 5 jet")) return;
    opt("revthrustEQ", 0, 1);
    opt("varpitchEQ", 0, 1);
    need("sfc", 0.01, 5, "specific fuel consumption");
    if (prop_engine()) {
        std::string why = "a piston or turbine engine";
        need("pmax", 1, 100000, why);
        need("gearrat", 0.01, 100, why);
        need("critalt", 0, 60000, why);
        bool ok = need("omegamin", 1, 100000, why) & need("omegamax", 1, 100000, why) &
                  need("omegamingreen", 1, 100000, why) & need("omegamaxgreen", 1, 100000, why);
        if (ok) {
            if (val("omegamax") <= val("omegamin")) fail("omegamin", "not below omegamax");
            if (val("omegamingreen") > val("omegamaxgreen")) fail("omegamingreen", "above omegamaxgreen");
            if (val("omegamaxgreen") > 1.2 * val("omegamax")) fail("omegamaxgreen", "far above omegamax");
        }
        if (entype() <= 2) need("mpmax", 0.1, 100, "a piston engine's full-throttle manifold pressure");
        else opt("mpmax", 0, 100);
        if (val("revthrustEQ") == 1 && val("varpitchEQ") != 1) fail("revthrustEQ", "reverse needs variable pitch");
    } else {
        std::string why = "a jet engine";
        need("tmax", 1, 1e7, why);
        need("spooltime", 0.1, 60, why);
        need("facejet", 0, 1000, why);
        opt("burnerinc", 0, 1e7);
        if (val("varpitchEQ") == 1) fail("varpitchEQ", "a jet has no propeller");
        for (int i = 0; i < numen(); i++) {
            std::string w = "engine " + std::to_string(i + 1) + "'s thrust centre";
            need("Xarm", -999, 999, w, i);
            need("Yarm", -999, 999, w, i);
            need("Zarm", -999, 999, w, i);
            opt("vertcant", -180, 180, i);
            opt("sidecant", -180, 180, i);
            for (const char* f : {"semilen", "numblades", "els"})
                if (has(f, i)) fail(name(f, i), "a jet engine has no propeller");
        }
    }
    if (h) need("trotor_rat", 1, 99.9, "tail-rotor speed per main-rotor speed");
    for (int i = 0; i < 4; i++)
        if (have_part(i)) check_rotor_or_prop(i);
    if (val("fusewash") == 1 && !prop_engine()) fail("fusewash", "the fuselage is in propwash but there is no propeller");
    opt("fusewash", 0, 1);
}

void Checker::check_lifting(int p)
{
    std::string why = part_label(p) + " is present";
    need("els", 1, 8, why, p);
    need("Croot", 0.1, 999, why, p);
    need("Ctip", 0.1, 999, why, p);
    need("Xarm", -999, 999, why, p);
    need("Yarm", -999, 999, why, p);
    need("Zarm", -999, 999, why, p);
    need("sweep1", -90, 90, why, p);
    need("dihed", -135, 135, why, p);
    opt("varsweepEQ", 0, 1, p);
    if (val("varsweepEQ", p) == 1) need("sweep2", -90, 90, "a variable-sweep part's second sweep", p);
    for (const char* f : {"Rafl0", "Rafl1", "Tafl0", "Tafl1"}) need_text(f, p, ".afl", "airfoils of " + part_label(p));
    int els = static_cast<int>(val("els", p));
    if (els < 1 || els > 8) return;
    for (int e = 0; e < 8; e++) {
        if (e < els) need("anginc", -45, 45, "incidence of each element", p, e);
        else if (has("anginc", p, e)) fail(name("anginc", p, e), "given, but the part has " + std::to_string(els) + " elements");
        for (const char* f : {"ailn", "splr", "flap", "slat", "sbrk", "drud", "elev", "rudd"}) {
            if (e < els) opt(f, 0, 1, p, e);
            else if (has(f, p, e) && val(f, p, e) != 0)
                fail(name(f, p, e), "given, but the part has " + std::to_string(els) + " elements");
        }
    }
}

void Checker::check_controls()
{
    struct Surface {
        const char* flag;
        const char* crat;
        const char* def1;
        const char* def2;
    };
    static const Surface surfaces[] = {{"ailn", "ailn_crat", "ailn_up", "ailn_dn"},
                                       {"elev", "elev_crat", "elev_up", "elev_dn"},
                                       {"rudd", "rudd_crat", "rudd_def", nullptr},
                                       {"splr", "splr_crat", "splr_def", nullptr},
                                       {"drud", "drud_crat", "drud_def", nullptr},
                                       {"sbrk", "sbrk_crat", "sbrk_def", nullptr}};
    for (const Surface& s : surfaces) {
        bool used = false;
        for (int p = 4; p < 18; p++)
            for (int e = 0; e < 8; e++)
                if (have_part(p) && val(s.flag, p, e) == 1) used = true;
        std::string why = std::string("elements carry ") + s.flag + " surfaces";
        if (used) {
            need(s.crat, 0.01, 0.5, why);
            need(s.def1, 0.1, 90, why);
            if (s.def2) need(s.def2, 0.1, 90, why);
        } else {
            opt(s.crat, 0, 0.5);
            opt(s.def1, 0, 90);
            if (s.def2) opt(s.def2, 0, 90);
        }
    }
    bool flaps = false, slats = false;
    for (int p = 4; p < 18; p++)
        for (int e = 0; e < 8; e++)
            if (have_part(p)) {
                flaps = flaps || val("flap", p, e) == 1;
                slats = slats || val("slat", p, e) == 1;
            }
    if (flaps) need_text("flap_str", -1, ".flp", "elements carry flaps");
    if (slats) need("slat_inc", 0.1, 45, "elements carry slats");
    opt("con_smooth", 0, 3);
    opt("hstabtype", 0, 1);
    opt("hstbtrimmax", 0, 30);
    if (val("hstabtype") == 1) {
        if (val("hstbtrimmax") > 0.01) fail("hstbtrimmax", "a stabilator is trimmed by its own travel; give 0");
        for (int e = 0; e < 8; e++)
            if (val("elev", 10, e) == 1 || val("elev", 11, e) == 1)
                fail("elev", "a stabilator carries no elevators");
    }
    for (const char* f : {"stabroll", "stabhdng", "ailpitch", "ailflaps"}) opt(f, -90, 90);
    if (val("autosweepEQ") == 1) {
        bool any = false;
        for (int p : {4, 6, 8, 10}) any = any || val("varsweepEQ", p) == 1;
        if (!any) fail("autosweepEQ", "automatic sweep without a variable-sweep wing or stabiliser");
    }
}

void Checker::check_body(int body, const std::string& why)
{
    int ns = body_stations(body), np = body_points(body);
    for (int s = 0; s < ns; s++)
        for (int k = 0; k < np; k++) {
            int idx[3] = {body, s, k};
            for (const char* f : {"body_X", "body_Y", "body_Z"}) {
                const AcfField& fd = *acf_field(f);
                if (!b_.given(acf_element_offset(fd, idx, 3))) {
                    fail(acf_element_name(fd, acf_element_offset(fd, idx, 3)), "missing (" + why + ")");
                    return;
                }
            }
        }
    for (int s = 1; s < ns; s++)
        if (!(r_.body_Z[body][s][0] > r_.body_Z[body][s - 1][0]))
            fail(name("body_Z", body, s), "the stations of " + part_label(body) + " must run from front to back");
}

void Checker::check_bodies()
{
    check_body(18, "the fuselage's outline");
    need("fuse_cd", 0.001, 2, "the fuselage's drag coefficient");
    opt("nace_eq", 0, 1);
    opt("misc_eq", 0, 1);
    opt("fair_eq", 0, 1);
    bool nace = val("nace_eq") == 1;
    for (int b = 19; b <= 22; b++) {
        bool present = nace && numen() > b - 19 && (b == 19 || !heli());
        if (present) check_body(b, "nacelles are fitted");
        else for (const char* f : {"body_X", "body_Y", "body_Z"}) none_given(f, b, part_label(b) + " is not fitted");
    }
    if (val("misc_eq") == 1) {
        std::string why = "fuel tanks or floats are fitted";
        need("misc_X", 0, 999, why);
        need("misc_Y", -999, 999, why);
        need("misc_Z", -999, 999, why);
        check_body(23, why);
        if (val("misc_X") > 0.01) check_body(24, "the pair of tanks or floats sits either side of the centreline");
    }
    if (val("fair_eq") == 1) {
        if (val("gear_type") < 2) fail("fair_eq", "wheel fairings without wheels or skids");
        for (int b = 25; b <= 27; b++) check_body(b, "wheel fairings are fitted");
    }
}

void Checker::check_weights_and_gear()
{
    std::string why = "weight and balance";
    bool ok = need("m_empty", 1, 1e7, why) & need("m_max", 1, 1e7, why);
    if (ok && val("m_empty") > val("m_max")) fail("m_empty", "above the maximum weight m_max");
    need("m_fuel", 0, 1e7, why);
    opt("m_jettison", 0, 1e7);
    need("cgZ", -999, 999, why);
    need("cgY", -999, 999, why);
    if (!need("gear_type", 1, 6, "1 none, 2 skids, 3 to 6 wheels")) return;
    int g = static_cast<int>(val("gear_type"));
    opt("gear_retract", 0, 1);
    double cgZ = val("cgZ");
    if (g >= 3) {
        std::string w = "wheeled landing gear";
        bool all = need("ngearZ", -999, 999, w) & need("ngearY", -999, 999, w) & need("mgearZ", -999, 999, w) &
                   need("mgearX", 0.1, 999, w) & need("mgearY", -999, 999, w);
        need("wheelrad", 0.05, 20, w);
        need("nwsteer", -90, 90, w);
        for (const char* f : {"ngearZ_att", "ngearY_att", "mgearZ_att", "mgearX_att", "mgearY_att"}) need(f, -999, 999, w);
        if (all) {
            double nz = val("ngearZ") - cgZ, mz = val("mgearZ") - cgZ;
            if ((nz >= 0 && mz >= 0) || (nz <= 0 && mz <= 0))
                fail("cgZ", "the centre of gravity is not between the nose (or tail) gear and the main gear");
            else {
                double pitch = std::asin(std::fmax(-1.0, std::fmin(1.0, (val("mgearY") - val("ngearY")) / (mz - nz)))) / k_deg;
                if (std::fabs(pitch) > 30) fail("ngearY", "the aircraft would rest " + num_text(pitch) + " degrees nose up");
            }
        }
    } else if (g == 2) {
        std::string w = "skids";
        if (need("skidX", 0.1, 999, w) & need("skidY", -999, 999, w) & need("skidZ", -999, 999, w) &
            need("skidl", 0.5, 999, w)) {
            double z = val("skidZ") - cgZ;
            if (z > 0 || val("skidl") + z < 0) fail("skidZ", "the centre of gravity is not between the skids' ends");
        }
    } else {
        opt("h_eqlbm", 0, 100);
    }
    if (g != 1 && has("h_eqlbm")) fail("h_eqlbm", "computed from the gear when the aircraft has wheels or skids");
}

std::vector<std::string> Checker::run()
{
    check_general();
    check_panel();
    check_engines();
    bool any_surface = false;
    for (int p = 4; p < 18; p++) {
        if (have_part(p)) {
            check_lifting(p);
            if (p < 14) any_surface = true;
        } else if (val("semilen", p) > 0.05) {
            fail(name("semilen", p), part_label(p) + " has no engine to hang from");
        } else {
            std::string why = part_label(p) + " is not present (semilen 0.05 or less)";
            for (const char* f : {"els", "Croot", "Ctip", "Xarm", "Yarm", "Zarm", "anginc", "Rafl0", "ailn", "flap", "elev", "rudd"})
                none_given(f, p, why);
        }
    }
    for (int i = 0; i < 4; i++)
        if (!have_part(i) && !jet())
            for (const char* f : {"semilen", "els", "anginc", "Rafl0", "numblades"})
                none_given(f, i, part_label(i) + " has no engine");
    if (!heli() && !any_surface) fail("semilen", "an aeroplane needs at least a wing or a stabiliser");
    if (!heli()) {
        // The designer keeps the left parts as mirror images of the right ones.
        for (int p : {4, 6, 8, 10})
            if (have_part(p) != have_part(p + 1))
                fail(name("semilen", have_part(p) ? p + 1 : p), part_label(p) + " and " + part_label(p + 1) + " come in pairs");
    } else {
        need("elevcyclic", 0.1, 45, "a helicopter's pitch cyclic");
        need("ailncyclic", 0.1, 45, "a helicopter's roll cyclic");
    }
    check_controls();
    check_bodies();
    check_weights_and_gear();
    return out_;
}

}  // namespace

std::vector<std::string> acf_check(const AcfBuild& b)
{
    Checker c(b);
    return c.run();
}
