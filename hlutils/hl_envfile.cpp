// hl_envfile.cpp -- reading and writing the scenery square file in its binary and text forms.
#include "hl_envfile.h"

#include "hl_file.h"
#include "hl_string.h"
#include "plt_files.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

// A square file larger than this is not a square: 60000 custom objects take 3.4 MB.
constexpr std::streamoff MAX_FILE_BYTES = 8 * 1024 * 1024;
// Heights beyond these are no terrain of this planet.
constexpr float MIN_HEIGHT = -12000.0f, MAX_HEIGHT = 12000.0f;
// How far a point may lie outside its square, degrees.
constexpr float EDGE_SLACK = 0.01f;

// ---- the rest of the open input ----------------------------------------------------------------

// Everything of inf1 after its header; 0 when it is too long to be a square.
int slurp_rest(std::vector<char>* out)
{
    out->clear();
    const std::streamoff at = inf1.tellg();
    inf1.seekg(0, std::ios::end);
    const std::streamoff end = inf1.tellg();
    if (at < 0 || end < at || end - at > MAX_FILE_BYTES) return 0;
    inf1.seekg(at);
    out->resize(static_cast<size_t>(end - at));
    if (!out->empty()) inf1.read(out->data(), static_cast<std::streamsize>(out->size()));
    return inf1.gcount() == static_cast<std::streamsize>(out->size()) ? 1 : 0;
}

// A cursor over the binary body, reversing each 4-byte value when the file has the other order.
struct BinCursor {
    const char* p;
    size_t left;
    int swap;

    bool raw4(void* v)
    {
        if (left < 4) return false;
        std::memcpy(v, p, 4);
        if (swap) rev_byte_order4(v);
        p += 4;
        left -= 4;
        return true;
    }
    bool i32(int32_t* v) { return raw4(v); }
    bool f32(float* v) { return raw4(v) && std::isfinite(*v); }
    // A 40-byte name, cut at its first NUL and always terminated.
    bool name_field(char out[ENV_NAME_LEN + 1])
    {
        if (left < static_cast<size_t>(ENV_NAME_LEN)) return false;
        std::memcpy(out, p, ENV_NAME_LEN);
        out[ENV_NAME_LEN] = 0;
        p += ENV_NAME_LEN;
        left -= ENV_NAME_LEN;
        return true;
    }
};

// A cursor over the text body: numbers separated by blanks and line ends.
struct TextCursor {
    const char* p;
    const char* end;

    void blanks()
    {
        while (p < end && (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n')) p++;
    }
    void skip_line()
    {
        while (p < end && *p != '\n' && *p != '\r') p++;
        if (p < end && *p == '\r') p++;
        if (p < end && *p == '\n') p++;
    }
    bool f32(float* v)
    {
        blanks();
        auto r = std::from_chars(p, end, *v);
        if (r.ec != std::errc() || !std::isfinite(*v)) return false;
        p = r.ptr;
        return true;
    }
    bool i32(int32_t* v)
    {
        blanks();
        auto r = std::from_chars(p, end, *v);
        if (r.ec != std::errc()) return false;
        p = r.ptr;
        return true;
    }
    bool name_field(char out[ENV_NAME_LEN + 1])
    {
        blanks();
        int n = 0;
        while (p < end && *p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') {
            if (n < ENV_NAME_LEN) out[n++] = *p;
            p++;
        }
        out[n] = 0;
        return n > 0;
    }
};

bool point_in_square(float plat, float plon, int lat, int lon)
{
    return plat >= static_cast<float>(lat) - EDGE_SLACK && plat <= static_cast<float>(lat + 1) + EDGE_SLACK &&
           plon >= static_cast<float>(lon) - EDGE_SLACK && plon <= static_cast<float>(lon + 1) + EDGE_SLACK;
}

bool height_ok(float h) { return h >= MIN_HEIGHT && h <= MAX_HEIGHT; }

// An object record after its type; false when the record is short or holds impossible values.
template <class Cursor>
bool object_body(Cursor* in, int32_t type, env_object* o)
{
    o->type = type;
    o->name[0] = 0;
    if (!in->f32(&o->lat) || !in->f32(&o->lon) || !in->f32(&o->value)) return false;
    if (std::fabs(o->lat) > 90.0f || std::fabs(o->lon) > 360.0f) return false;
    if (type == ENV_OBJ_CUSTOM) {
        if (!in->name_field(o->name)) return false;
        if (!env_name_is_safe(o->name)) o->name[0] = 0;   // kept, but never placed
        return true;
    }
    int32_t pad0, pad1;
    return in->i32(&pad0) && in->i32(&pad1);
}

// The object list up to its end marker; false on a damaged entry or more than ENV_MAX_OBJECTS.
template <class Cursor>
bool object_list(Cursor* in, env_square* sq)
{
    sq->nobj = 0;
    for (;;) {
        int32_t type;
        if (!in->i32(&type)) return false;
        if (type == ENV_OBJ_END) return true;
        if (!((type >= 1 && type <= 6) || type == ENV_OBJ_CUSTOM)) return false;
        if (sq->nobj >= ENV_MAX_OBJECTS) return false;
        if (!object_body(in, type, &sq->obj[sq->nobj])) return false;
        sq->nobj++;
    }
}

int body_binary(const std::vector<char>& buf, int lat, int lon, env_square* sq)
{
    BinCursor in{buf.data(), buf.size(), rev_inf_bin};
    for (int r = 0; r < ENV_ROWS; r++) {
        for (int c = 0; c < ENV_COLS; c++) {
            if (!in.f32(&sq->lat[r][c]) || !in.f32(&sq->lon[r][c]) || !in.f32(&sq->h[r][c]) ||
                !in.i32(&sq->word[r][c]))
                return ENV_DAMAGED;
            if (!point_in_square(sq->lat[r][c], sq->lon[r][c], lat, lon) || !height_ok(sq->h[r][c]))
                return ENV_DAMAGED;
        }
    }
    if (!object_list(&in, sq)) return ENV_DAMAGED;
    for (int k = 0; k < ENV_TEXTURES; k++) {
        if (!in.name_field(sq->tex[k])) return ENV_DAMAGED;
        if (!env_name_is_safe(sq->tex[k])) sq->tex[k][0] = 0;
    }
    return ENV_READ_OK;
}

int body_text(const std::vector<char>& buf, int lat, int lon, env_square* sq)
{
    TextCursor in{buf.data(), buf.data() + buf.size()};
    for (int k = 0; k < 3; k++) in.skip_line();
    for (int r = 0; r < ENV_ROWS; r++) {
        for (int c = 0; c < ENV_COLS; c++) {
            int32_t f[5];
            if (!in.f32(&sq->lat[r][c]) || !in.f32(&sq->lon[r][c]) || !in.f32(&sq->h[r][c])) return ENV_DAMAGED;
            for (int32_t& b : f)
                if (!in.i32(&b)) return ENV_DAMAGED;
            if (!point_in_square(sq->lat[r][c], sq->lon[r][c], lat, lon) || !height_ok(sq->h[r][c]))
                return ENV_DAMAGED;
            // The text form has no corner pattern or custom texture: the plain orientation.
            float st[2][2][2];
            std::memcpy(st, ST_ORIENT_A, sizeof st);
            sq->word[r][c] = bol_to_int(f[0] == 1, f[1] == 1, f[2] == 1, f[3] == 1, f[4] == 1, st, 0);
        }
    }
    int32_t check;
    if (!in.i32(&check) || check != 1) return ENV_DAMAGED;
    in.skip_line();
    if (!object_list(&in, sq)) return ENV_DAMAGED;
    in.skip_line();
    // The names are raw bytes; a hand-made file that ends early leaves the rest free.
    for (int k = 0; k < ENV_TEXTURES; k++) {
        char raw[ENV_NAME_LEN + 1] = {};
        size_t n = static_cast<size_t>(in.end - in.p);
        if (n > static_cast<size_t>(ENV_NAME_LEN)) n = ENV_NAME_LEN;
        std::memcpy(raw, in.p, n);
        in.p += n;
        // Cut at the first NUL or line end: a text editor may have put one inside the field.
        for (int i = 0; i < ENV_NAME_LEN; i++)
            if (raw[i] == 0 || raw[i] == '\r' || raw[i] == '\n') {
                raw[i] = 0;
                break;
            }
        std::memcpy(sq->tex[k], raw, sizeof raw);
        if (!env_name_is_safe(sq->tex[k])) sq->tex[k][0] = 0;
    }
    return ENV_READ_OK;
}

// Why a file that exists was refused by the header check.
int classify_refused(const char* path)
{
    if (PLT_names_a_pipe(path)) return ENV_MISSING;
    std::ifstream f(path, std::ios::in | std::ios::binary);
    if (!f.is_open()) return ENV_MISSING;
    char head[5];
    f.read(head, 5);
    if (f.gcount() < 5) return ENV_DAMAGED;
    if (head[0] == 'i' || head[0] == 'a' || head[0] == 'I' || head[0] == 'A') return ENV_WRONG_VERSION;
    return ENV_DAMAGED;
}

void put4(const void* v) { ouf.write(static_cast<const char*>(v), 4); }

void put_name(const char* name)
{
    char raw[ENV_NAME_LEN] = {};
    size_t n = std::strlen(name);
    if (n > static_cast<size_t>(ENV_NAME_LEN)) n = ENV_NAME_LEN;
    std::memcpy(raw, name, n);
    ouf.write(raw, ENV_NAME_LEN);
}

}  // namespace

void env_flat_water(int lat, int lon, env_square* sq)
{
    // Water in the second and third flags, as the scenery editor writes it, plain orientation.
    const int water = (1 << 1) | (1 << 2) | (1 << 5);
    for (int r = 0; r < ENV_ROWS; r++) {
        for (int c = 0; c < ENV_COLS; c++) {
            sq->lat[r][c] = static_cast<float>(lat + r / 79.0);
            sq->lon[r][c] = static_cast<float>(lon + c / 59.0);
            sq->h[r][c] = 0.0f;
            sq->word[r][c] = water;
        }
    }
    sq->nobj = 0;
    std::memset(sq->tex, 0, sizeof sq->tex);
}

int env_write_square(const char* path, const env_square* sq)
{
    if (!ouf_open(path, FILE_TYPE_SQUARE, ENV_VERSION)) return 0;
    for (int r = 0; r < ENV_ROWS; r++) {
        for (int c = 0; c < ENV_COLS; c++) {
            put4(&sq->lat[r][c]);
            put4(&sq->lon[r][c]);
            put4(&sq->h[r][c]);
            put4(&sq->word[r][c]);
        }
    }
    const int32_t zero = 0, end = ENV_OBJ_END;
    const int n = sq->nobj < 0 ? 0 : (sq->nobj > ENV_MAX_OBJECTS ? ENV_MAX_OBJECTS : sq->nobj);
    for (int k = 0; k < n; k++) {
        const env_object& o = sq->obj[k];
        if (!((o.type >= 1 && o.type <= 6) || o.type == ENV_OBJ_CUSTOM)) continue;   // no layout
        put4(&o.type);
        put4(&o.lat);
        put4(&o.lon);
        put4(&o.value);
        if (o.type == ENV_OBJ_CUSTOM) {
            put_name(o.name);
        } else {
            put4(&zero);
            put4(&zero);
        }
    }
    put4(&end);
    for (int k = 0; k < ENV_TEXTURES; k++) put_name(sq->tex[k]);
    return ouf_close(path);
}

int env_read_square(const char* path, int lat, int lon, int text, env_square* sq)
{
    const int type = text ? FILE_TYPE_SQUARE_TEXT : FILE_TYPE_SQUARE;
    const int saved_use = inf_use;
    inf_use = 1;
    int opened = inf_open(path, type, 3, 0) || inf_open(path, type, 4, 0);
    int result;
    if (!opened) {
        result = classify_refused(path);
    } else {
        std::vector<char> body;
        if (!slurp_rest(&body)) result = ENV_DAMAGED;
        else result = text ? body_text(body, lat, lon, sq) : body_binary(body, lat, lon, sq);
        inf1.close();
        inf1.clear();
    }
    inf_use = saved_use;
    if (result != ENV_READ_OK) env_flat_water(lat, lon, sq);
    return result;
}

int env_name_is_safe(const char* name)
{
    for (const char* c = name; *c; c++) {
        const unsigned char u = static_cast<unsigned char>(*c);
        if (u < 32 || u > 126 || *c == '/' || *c == '\\' || *c == ':') return 0;
    }
    return std::strstr(name, "..") == nullptr ? 1 : 0;
}

int env_custom_tex(int lat, int lon, int k)
{
    // Squares numbered row by row from the south pole and the antimeridian, 20 textures each.
    const int square = (lat + 90) * 360 + (lon + 180);
    return 2000 + 20 * square + k;
}
