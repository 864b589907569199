// acf_build.cpp -- applies a description's statements and directives to an aircraft record, and
// writes the aircraft file whole or not at all.
#include "acf_build.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "acf_parts.h"
#include "hl_design.h"
#include "tool_common.h"

namespace {

// Fields the loader recomputes, or the tool itself sets, although the file keeps them: a
// description may not give them.
const char* const k_tool_set[] = {"C_file", "C_name", "C_path", "sweepnow", "puffEQ", "fbrkEQ",
                                  "chuteEQ", "jatoEQ", "collectEQ", "jettisonEQ"};
// Fields the loader leaves as read although the byte-order rule keeps them: real inputs.
const char* const k_kept_inputs[] = {"ADFtype", "TStype", "h_eqlbm"};

bool in_list(const char* name, const char* const* list, size_t n)
{
    for (size_t i = 0; i < n; i++)
        if (std::strcmp(name, list[i]) == 0) return true;
    return false;
}

bool settable(const AcfField& f)
{
    if (in_list(f.name, k_tool_set, std::size(k_tool_set))) return false;
    if (f.kind == PLN_KEEP) return in_list(f.name, k_kept_inputs, std::size(k_kept_inputs));
    return true;
}

std::string at_line(const std::string& file, int line)
{
    return file + ":" + std::to_string(line) + ": ";
}

unsigned char* bytes(AcfBuild* b) { return reinterpret_cast<unsigned char*>(b->rec.get()); }

// Stores one value into the element at off, marking it given. Returns "" or the problem.
std::string store(AcfBuild* b, const AcfField& f, int off, const DescValue& v, int line)
{
    if (b->given(off))
        return acf_element_name(f, off) + ": already given on line " + std::to_string(b->given_at(off));
    unsigned char* p = bytes(b) + off;
    if (f.elem == ACF_TEXT) {
        if (!v.is_text) return acf_element_name(f, off) + ": a quoted text is expected";
        if (static_cast<int>(v.text.size()) >= f.elem_bytes)
            return acf_element_name(f, off) + ": text longer than " + std::to_string(f.elem_bytes - 1) + " characters";
        std::memset(p, 0, f.elem_bytes);
        std::memcpy(p, v.text.data(), v.text.size());
        for (int w = 0; w < f.elem_bytes; w += 4) b->line_of[(off + w) / 4] = line;
        return "";
    }
    if (v.is_text) return acf_element_name(f, off) + ": a number is expected, not a text";
    if (f.elem == ACF_INT) {
        if (v.num != std::floor(v.num) || std::fabs(v.num) > 2147483647.0)
            return acf_element_name(f, off) + ": a whole number is expected";
        int32_t i = static_cast<int32_t>(v.num);
        std::memcpy(p, &i, 4);
    } else {
        if (!(std::fabs(v.num) < 1e30)) return acf_element_name(f, off) + ": value out of range";
        float x = static_cast<float>(v.num);
        std::memcpy(p, &x, 4);
    }
    b->line_of[off / 4] = line;
    return "";
}

bool apply_field(const DescStatement& st, AcfBuild* b, std::string* err)
{
    const AcfField* f = acf_field(st.word);
    if (!f) {
        *err = at_line(b->file, st.line) + st.word + ": not a field of the aircraft record";
        return false;
    }
    if (!settable(*f)) {
        *err = at_line(b->file, st.line) + st.word + ": computed when the aircraft is built or loaded; it cannot be given";
        return false;
    }
    int n = static_cast<int>(st.index.size());
    int off = acf_element_offset(*f, st.index.data(), n);
    if (off < 0) {
        std::string written = st.word;
        for (int i : st.index) written += "[" + std::to_string(i) + "]";
        *err = at_line(b->file, st.line) + written + ": index out of range (the field is " + st.word;
        for (int k = 0; k < f->rank; k++) *err += "[" + std::to_string(f->dim[k]) + "]";
        *err += ")";
        return false;
    }
    // The values fill the addressed element, or the addressed row in record order.
    int room = 1;
    for (int k = n; k < f->rank; k++) room *= f->dim[k];
    if (static_cast<int>(st.values.size()) > room) {
        *err = at_line(b->file, st.line) + acf_element_name(*f, off) + ": " + std::to_string(st.values.size()) +
               " values given, room for " + std::to_string(room);
        return false;
    }
    for (size_t k = 0; k < st.values.size(); k++) {
        std::string what = store(b, *f, off + static_cast<int>(k) * f->elem_bytes, st.values[k], st.line);
        if (!what.empty()) {
            *err = at_line(b->file, st.line) + what;
            return false;
        }
    }
    return true;
}

// Claims part c's rows of the named per-part fields for a copy of part a's made by the directive
// on `line`: none of them may be given already, and each word of c is marked as set by the
// directive where a's was given (words never given stay unmarked, and zero).
bool claim_rows(AcfBuild* b, const char* const* names, int n, int a, int c, int line, std::string* err)
{
    for (int i = 0; i < n; i++) {
        const AcfField& f = *acf_field(names[i]);
        int row = f.count / f.dim[0] * f.elem_bytes;
        for (int w = 0; w < row; w += 4) {
            int dst = f.offset + c * row + w;
            if (b->given(dst)) {
                *err = at_line(b->file, line) + acf_element_name(f, f.offset + c * row + (w / f.elem_bytes) * f.elem_bytes) +
                       ": already given on line " + std::to_string(b->given_at(dst));
                return false;
            }
        }
    }
    for (int i = 0; i < n; i++) {
        const AcfField& f = *acf_field(names[i]);
        int row = f.count / f.dim[0] * f.elem_bytes;
        for (int w = 0; w < row; w += 4)
            if (b->given(f.offset + a * row + w)) b->line_of[(f.offset + c * row + w) / 4] = line;
    }
    return true;
}

bool directive_output(const DescStatement& st, AcfBuild* b, std::string* err)
{
    const std::string& out = st.values[0].text;
    std::string head = at_line(b->file, st.line) + "output: ";
    if (!b->output.empty()) {
        *err = head + "given twice";
        return false;
    }
    bool ok = out.rfind("planes/", 0) == 0 && out.size() > 11 && out.compare(out.size() - 4, 4, ".acf") == 0 &&
              out.find("..") == std::string::npos && out.find("//") == std::string::npos &&
              out.find('\\') == std::string::npos;
    if (!ok) {
        *err = head + "\"" + out + "\" is not a path \"planes/.../<name>.acf\" below the program folder";
        return false;
    }
    std::string name = out.substr(out.rfind('/') + 1);
    if (out.size() >= PLN_TEXT_LEN || name.size() <= 4) {
        *err = head + "\"" + out + "\" is too long or names no file";
        return false;
    }
    b->output = out;
    return true;
}

bool directive_mirror(const DescStatement& st, AcfBuild* b, std::string* err)
{
    int a = static_cast<int>(st.values[0].num), c = static_cast<int>(st.values[1].num);
    if (a < 4 || a > 17 || c < 4 || c > 17 || a == c) {
        *err = at_line(b->file, st.line) + "mirror: parts " + std::to_string(a) + " and " + std::to_string(c) +
               " are not two lifting parts (4 to 17)";
        return false;
    }
    const char* const* names;
    int n = copy_foil_fields(&names);
    const char* const arm[] = {"Xarm"};
    if (!claim_rows(b, names, n, a, c, st.line, err) || !claim_rows(b, arm, 1, a, c, st.line, err)) return false;
    copy_foil(b->rec.get(), a, c);
    return true;
}

bool directive_copy_body(const DescStatement& st, AcfBuild* b, std::string* err)
{
    int a = static_cast<int>(st.values[0].num), c = static_cast<int>(st.values[1].num);
    if (a < 18 || a > 27 || c < 18 || c > 27 || a == c || body_points(a) != body_points(c)) {
        *err = at_line(b->file, st.line) + "copy_body: bodies " + std::to_string(a) + " and " + std::to_string(c) +
               " are not two bodies (18 to 27) of the same outline size";
        return false;
    }
    const char* const* names;
    int n = copy_body_fields(&names);
    if (!claim_rows(b, names, n, a, c, st.line, err)) return false;
    copy_body(b->rec.get(), a, c);
    return true;
}

bool directive_section(const DescStatement& st, AcfBuild* b, std::string* err)
{
    int body = static_cast<int>(st.values[0].num), station = static_cast<int>(st.values[1].num);
    double z = st.values[2].num, hw = st.values[3].num, top = st.values[4].num, bottom = st.values[5].num;
    std::string head = at_line(b->file, st.line) + "section: ";
    if (body < 18 || body > 27) {
        *err = head + "body " + std::to_string(body) + " is not a body (18 to 27)";
        return false;
    }
    if (station < 0 || station >= body_stations(body)) {
        *err = head + "station " + std::to_string(station) + " is out of range (" + part_label(body) + " has " +
               std::to_string(body_stations(body)) + " stations)";
        return false;
    }
    if (hw < 0 || top < bottom) {
        *err = head + "the half-width must not be negative and the top not below the bottom";
        return false;
    }
    int n = body_points(body);
    float xs[16], ys[16], zs[16];
    elliptic_section(xs, ys, zs, n, z, hw, top, bottom);
    for (int k = 0; k < n; k++) {
        int idx[3] = {body, station, k};
        DescValue vx, vy, vz;
        vx.num = xs[k];
        vy.num = ys[k];
        vz.num = zs[k];
        for (auto [name, v] : {std::pair{"body_X", &vx}, std::pair{"body_Y", &vy}, std::pair{"body_Z", &vz}}) {
            const AcfField& f = *acf_field(name);
            std::string what = store(b, f, acf_element_offset(f, idx, 3), *v, st.line);
            if (!what.empty()) {
                *err = at_line(b->file, st.line) + what;
                return false;
            }
        }
    }
    return true;
}

float read_float(const AcfBuild& b, const char* name, int i)
{
    const AcfField& f = *acf_field(name);
    float x;
    std::memcpy(&x, reinterpret_cast<const unsigned char*>(b.rec.get()) + acf_element_offset(f, &i, 1), 4);
    return x;
}

// Blade angles at zero angle to the helix of the design point: each element at
// atan(V / (omega r)), the design advance ratio J = V / (n D).
bool directive_design_prop(const DescStatement& st, AcfBuild* b, std::string* err)
{
    int i = static_cast<int>(st.values[0].num);
    std::string head = at_line(b->file, st.line) + "design_prop: ";
    if (i < 0 || i > 3) {
        *err = head + "engine " + std::to_string(i) + " is not 0 to 3";
        return false;
    }
    for (const char* name : {"des_vel", "des_rpm", "semilen", "els"}) {
        const AcfField& f = *acf_field(name);
        if (!b->given(acf_element_offset(f, &i, 1))) {
            *err = head + name + "[" + std::to_string(i) + "] must be given for the design";
            return false;
        }
    }
    const AcfField& fe = *acf_field("els");
    int32_t els;
    std::memcpy(&els, bytes(b) + acf_element_offset(fe, &i, 1), 4);
    float angles[8], adv = 0.0f;
    if (!prop_design_angles(read_float(*b, "semilen", i), els, read_float(*b, "des_vel", i),
                            read_float(*b, "des_rpm", i), angles, &adv)) {
        *err = head + "needs els 1 to 8 and a positive design speed, rpm and radius";
        return false;
    }
    const AcfField& fa = *acf_field("anginc");
    for (int e = 0; e < els; e++) {
        int idx[2] = {i, e};
        DescValue a;
        a.num = angles[e];
        std::string what = store(b, fa, acf_element_offset(fa, idx, 2), a, st.line);
        if (!what.empty()) {
            *err = at_line(b->file, st.line) + what;
            return false;
        }
    }
    DescValue j;
    j.num = adv;
    const AcfField& fj = *acf_field("des_adv");
    std::string what = store(b, fj, acf_element_offset(fj, &i, 1), j, st.line);
    if (!what.empty()) {
        *err = at_line(b->file, st.line) + what;
        return false;
    }
    return true;
}

void copy_text(char* dst, const std::string& s)
{
    std::snprintf(dst, PLN_TEXT_LEN, "%s", s.c_str());
}

}  // namespace

AcfBuild::AcfBuild() : rec(std::make_unique<planestruct>()), line_of(sizeof(planestruct) / 4, 0)
{
    std::memset(rec.get(), 0, sizeof(planestruct));
}

bool acf_build(const Description& d, AcfBuild* b, std::string* err)
{
    b->file = d.file;
    for (const DescStatement& st : d.statements)
        if (!st.is_directive && !apply_field(st, b, err)) return false;
    for (const DescStatement& st : d.statements) {
        if (!st.is_directive) continue;
        bool ok = true;
        if (st.word == "output") ok = directive_output(st, b, err);
        else if (st.word == "mirror") ok = directive_mirror(st, b, err);
        else if (st.word == "copy_body") ok = directive_copy_body(st, b, err);
        else if (st.word == "section") ok = directive_section(st, b, err);
        else if (st.word == "design_prop") ok = directive_design_prop(st, b, err);
        if (!ok) return false;
    }
    if (b->output.empty()) {
        *err = b->file + ": output: missing (the aircraft file's path below the program folder)";
        return false;
    }
    // What the tool sets: the file names the designer stores, the current sweep, the gear down.
    planestruct& r = *b->rec;
    std::string name = b->output.substr(b->output.rfind('/') + 1);
    copy_text(r.C_file, name);
    copy_text(r.C_name, name.substr(0, name.size() - 4));
    copy_text(r.C_path, b->output);
    for (int p = 0; p < 28; p++) r.sweepnow[p] = r.sweep1[p];
    if (r.gear_type >= 2)
        for (int k = 0; k < 3; k++) r.gear_stat[k] = 1;
    return true;
}

bool acf_generate(const std::string& desc_path, const std::string& program_dir, std::vector<std::string>* errs)
{
    namespace fs = std::filesystem;
    Description d;
    std::string err;
    if (!desc_read_file(desc_path, &d, &err)) {
        errs->push_back(err);
        return false;
    }
    AcfBuild b;
    if (!acf_build(d, &b, &err)) {
        errs->push_back(err);
        return false;
    }
    std::vector<std::string> problems = acf_check(b);
    if (!problems.empty()) {
        errs->insert(errs->end(), problems.begin(), problems.end());
        return false;
    }
    std::string out = (fs::path(program_dir) / b.output).string();
    pln[0] = *b.rec;
    auto write = [](const std::string& tmp, std::string&) { return write_plane(0, tmp.c_str()) != 0; };
    if (tool_write_with(out, write, err) == 0) return true;
    errs->push_back(err);
    return false;
}
