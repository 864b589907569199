// gen_airfoils.cpp -- the bundled airfoil and flap part files, made from a readable list of section
// constants.
#include "gen_airfoils.h"

#include "hl_afl.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const foilfield* fields_of(int device) { return device == DEVICE_FLAP ? flp_fields : afl_fields; }
int count_of(int device) { return device == DEVICE_FLAP ? FLP_NUM_FIELDS : AFL_NUM_FIELDS; }

std::string where(const std::string& path, int line) { return path + ":" + std::to_string(line) + ": "; }

// The line without its comment, split into blank-separated words; a quoted text is one word.
// Returns false when a quote is not closed.
bool split_words(const std::string& raw, std::vector<std::string>* words, bool* quoted_second)
{
    words->clear();
    *quoted_second = false;
    size_t i = 0;
    while (i < raw.size()) {
        const char c = raw[i];
        if (c == '#') break;
        if (c == ' ' || c == '\t' || c == '\r') {
            i++;
            continue;
        }
        if (c == '"') {
            const size_t end = raw.find('"', i + 1);
            if (end == std::string::npos) return false;
            if (words->size() == 1) *quoted_second = true;
            words->push_back(raw.substr(i + 1, end - i - 1));
            i = end + 1;
            continue;
        }
        size_t j = i;
        while (j < raw.size() && raw[j] != ' ' && raw[j] != '\t' && raw[j] != '\r' && raw[j] != '#') j++;
        words->push_back(raw.substr(i, j - i));
        i = j;
    }
    return true;
}

bool ends_with(const std::string& s, const char* tail)
{
    const size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

// A part's file name: a plain name (no folder) of the part's extension that fits a path field.
bool good_name(const std::string& name, int device)
{
    if (name.size() <= 4 || name.size() > 200) return false;
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos) return false;
    if (name[0] == '.') return false;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 32) return false;
    return ends_with(name, device == DEVICE_FLAP ? ".flp" : ".afl");
}

// A whole word as a number in the "C" format; no trailing characters.
bool parse_number(const std::string& word, float* v)
{
    const char* first = word.data();
    const char* last = first + word.size();
    if (first != last && *first == '+') first++;
    auto res = std::from_chars(first, last, *v, std::chars_format::general);
    return res.ec == std::errc() && res.ptr == last && std::isfinite(*v);
}

// The checks made when a part's "end" is reached.
bool finish_part(const std::string& path, int line, genpart* part, const bool* seen, std::string* error)
{
    const foilfield* fields = fields_of(part->device);
    const int n = count_of(part->device);
    for (int k = 0; k < n; k++) {
        if (!seen[k]) {
            *error = where(path, line) + part->name + ": " + fields[k].name + " missing";
            return false;
        }
    }
    for (int k = 0; k < n; k++) {
        const float v = part->value[k];
        if (!(v >= fields[k].lo && v <= fields[k].hi)) {
            std::ostringstream m;
            m << where(path, line) << part->name << ": " << fields[k].name << " " << v << " out of range "
              << fields[k].lo << " to " << fields[k].hi;
            *error = m.str();
            return false;
        }
    }
    auto scratch = std::make_unique<airfoilstruct>();
    std::memset(scratch.get(), 0, sizeof(airfoilstruct));
    for (int k = 0; k < n; k++) *fields[k].at(scratch.get()) = part->value[k];
    if (const char* bad = foil_check(scratch.get(), part->device)) {
        *error = where(path, line) + part->name + ": " + bad + " out of range for the other constants";
        return false;
    }
    return true;
}

// The list's parts in order; false at the first fault.
bool read_sections(const std::string& path, std::vector<genpart>* parts, std::string* error)
{
    std::ifstream in(path, std::ios::in | std::ios::binary);
    if (!in) {
        *error = path + ": cannot be read";
        return false;
    }

    std::set<std::string> names;
    genpart cur;
    bool open = false;
    bool seen[AFL_NUM_FIELDS] = {};
    std::string raw;
    std::vector<std::string> words;
    int line = 0;
    while (std::getline(in, raw)) {
        line++;
        bool quoted = false;
        if (!split_words(raw, &words, &quoted)) {
            *error = where(path, line) + "unclosed quote";
            return false;
        }
        if (words.empty()) continue;

        const std::string& key = words[0];
        if (key == "airfoil" || key == "flap") {
            if (open) {
                *error = where(path, line) + cur.name + ": end missing before the next part";
                return false;
            }
            cur = genpart();
            cur.device = key == "flap" ? DEVICE_FLAP : DEVICE_AIRFOIL;
            cur.line = line;
            if (words.size() != 2 || !quoted || !good_name(words[1], cur.device)) {
                *error = where(path, line) + key + " needs one quoted file name ending in " +
                         (cur.device == DEVICE_FLAP ? "\".flp\"" : "\".afl\"") + ", without a folder";
                return false;
            }
            cur.name = words[1];
            if (!names.insert(cur.name).second) {
                *error = where(path, line) + cur.name + ": named twice";
                return false;
            }
            std::memset(seen, 0, sizeof seen);
            open = true;
            continue;
        }
        if (!open) {
            *error = where(path, line) + "\"" + key + "\" outside a part";
            return false;
        }
        if (key == "end") {
            if (words.size() != 1) {
                *error = where(path, line) + cur.name + ": nothing may follow end";
                return false;
            }
            if (!finish_part(path, line, &cur, seen, error)) return false;
            parts->push_back(cur);
            open = false;
            continue;
        }

        const foilfield* fields = fields_of(cur.device);
        int k = 0;
        while (k < count_of(cur.device) && key != fields[k].name) k++;
        if (k == count_of(cur.device)) {
            *error = where(path, line) + cur.name + ": " + key + " is not a constant of " +
                     (cur.device == DEVICE_FLAP ? "a flap" : "an airfoil");
            return false;
        }
        if (seen[k]) {
            *error = where(path, line) + cur.name + ": " + key + " given twice";
            return false;
        }
        if (words.size() != 2 || !parse_number(words[1], &cur.value[k])) {
            *error = where(path, line) + cur.name + ": " + key + " needs one number";
            return false;
        }
        seen[k] = true;
    }
    if (open) {
        *error = where(path, line) + cur.name + ": end missing";
        return false;
    }
    if (parts->empty()) {
        *error = path + ": no parts";
        return false;
    }
    return true;
}

}  // namespace

bool gen_read_sections(const std::string& path, std::vector<genpart>* parts, std::string* error)
{
    parts->clear();
    if (read_sections(path, parts, error)) return true;
    parts->clear();
    return false;
}

bool gen_write_parts(const std::vector<genpart>& parts, const std::string& afl_dir, const std::string& flp_dir,
                     std::string* error)
{
    std::error_code ec;
    for (const std::string* d : {&afl_dir, &flp_dir}) {
        fs::create_directories(*d, ec);
        if (ec) {
            *error = *d + ": cannot be made (" + ec.message() + ")";
            return false;
        }
    }

    auto scratch = std::make_unique<airfoilstruct>();
    auto curves = std::make_unique<foilcurvestruct>();
    std::vector<std::pair<std::string, std::string>> written;  // temporary name, final name
    auto discard = [&written] {
        std::error_code ignore;
        for (auto& w : written) fs::remove(w.first, ignore);
    };
    for (const genpart& part : parts) {
        const std::string dir = part.device == DEVICE_FLAP ? flp_dir : afl_dir;
        const std::string final_path = (fs::path(dir) / part.name).string();
        const std::string temp_path = final_path + ".tmp";
        std::memset(scratch.get(), 0, sizeof(airfoilstruct));
        const foilfield* fields = fields_of(part.device);
        for (int k = 0; k < count_of(part.device); k++) *fields[k].at(scratch.get()) = part.value[k];
        foil_generate(scratch.get(), part.device, curves.get());
        if (!afl_write_part(temp_path.c_str(), part.device, scratch.get(), curves.get())) {
            if (fs::is_regular_file(temp_path, ec)) fs::remove(temp_path, ec);  // a half-written file
            discard();
            *error = final_path + ": could not be written";
            return false;
        }
        written.emplace_back(temp_path, final_path);
    }
    for (auto& w : written) {
        fs::rename(w.first, w.second, ec);
        if (ec) {
            discard();
            *error = w.second + ": could not be put in place (" + ec.message() + ")";
            return false;
        }
    }
    // Parts an earlier list made and this one no longer does: a folder an older build filled loses
    // them, so it holds what the list makes and nothing that no aircraft flies with.
    static const char* const retired_airfoils[] = {"NACA 63-215 (laminar).afl"};
    for (const char* name : retired_airfoils) {
        const fs::path old = fs::path(afl_dir) / name;
        if (fs::is_regular_file(old, ec)) fs::remove(old, ec);
    }
    return true;
}
