// kvscreen.cpp -- test clock, offscreen window fixture, scripted input, frame read-back and PNG files.
#include "kvscreen.h"

#include "hl_event.h"
#include "hl_graph.h"
#include "hl_mnw.h"
#include "hl_program.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "kvtest.h"
#include "plt.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

uint32_t g_test_ms = 0;
uint32_t test_clock(void) { return g_test_ms; }

Frame* g_capture = nullptr;
void capture_hook(void) { *g_capture = read_frame(); }

// The script of start_script, its next step and its pass counts.
std::vector<ScriptStep> g_script;
size_t g_script_next = 0;
int g_script_passes = 0, g_script_idle = 0;
bool g_script_every_pass = false;

void script_hook(void)
{
    if (++g_script_passes % 2 == 0 && !g_script_every_pass) return;
    if (g_script_next < g_script.size()) {
        ScriptStep s = g_script[g_script_next++];
        s();
    } else if (++g_script_idle > 40) {
        ADD_FAILURE() << "a modal window is still open after its script";
        gdone = 1;
    }
}

void push(int kind, int vkey, int x, int y, int button)
{
    PLT_event e{};
    e.kind = kind;
    e.vkey = vkey;
    e.x = x;
    e.y = y;
    e.button = button;
    PLT_push_event(e);
}

uint32_t crc_table[256];

void make_crc_table()
{
    for (uint32_t n = 0; n < 256; n++) {
        uint32_t c = n;
        for (int k = 0; k < 8; k++) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        crc_table[n] = c;
    }
}

void put32(std::string& s, uint32_t v)
{
    for (int i = 3; i >= 0; i--) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

uint32_t get32(const std::string& s, size_t at)
{
    uint32_t v = 0;
    for (size_t i = 0; i < 4; i++) v = (v << 8) | static_cast<uint8_t>(s[at + i]);
    return v;
}

void put_chunk(std::string& out, const char* type, const std::string& data)
{
    put32(out, static_cast<uint32_t>(data.size()));
    std::string body = std::string(type, 4) + data;
    out += body;
    put32(out, png_crc32(reinterpret_cast<const uint8_t*>(body.data()), body.size()));
}

std::string g_old_cwd;
TempDir* g_work = nullptr;

}  // namespace

uint32_t png_crc32(const uint8_t* data, size_t n)
{
    if (!crc_table[1]) make_crc_table();
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; i++) c = crc_table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

uint32_t png_adler32(const uint8_t* data, size_t n)
{
    uint32_t a = 1, b = 0;
    for (size_t i = 0; i < n; i++) {
        a = (a + data[i]) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void use_test_clock(uint32_t start_ms)
{
    g_test_ms = start_ms;
    PLT_set_clock(test_clock);
}

void advance_test_clock(uint32_t ms) { g_test_ms += ms; }
void use_real_clock() { PLT_set_clock(nullptr); }

void logical_to_pixel(float x, float y, int* px, int* py)
{
    int w = static_cast<int>(mnw.HRES), h = static_cast<int>(mnw.YRES);
    long ix = std::lround(x * mnw.XRAT), iy = std::lround(mnw.YRES - y * mnw.YRAT);
    *px = static_cast<int>(ix < 0 ? 0 : ix >= w ? w - 1 : ix);
    *py = static_cast<int>(iy < 0 ? 0 : iy >= h ? h - 1 : iy);
}

void push_key(int vkey, bool shift)
{
    if (shift) push(PLT_EV_KEYDOWN, 16, 0, 0, 0);
    push(PLT_EV_KEYDOWN, vkey, 0, 0, 0);
    push(PLT_EV_KEYUP, vkey, 0, 0, 0);
    if (shift) push(PLT_EV_KEYUP, 16, 0, 0, 0);
}

void push_move(float x, float y)
{
    int px, py;
    logical_to_pixel(x, y, &px, &py);
    push(PLT_EV_MOUSEMOVE, 0, px, py, 0);
}

void push_press(float x, float y, int button)
{
    g_test_ms += HL_DOUBLE_CLICK_MS + 1;
    int px, py;
    logical_to_pixel(x, y, &px, &py);
    push(PLT_EV_MOUSEMOVE, 0, px, py, 0);
    push(PLT_EV_BUTTONDOWN, 0, px, py, button);
}

void push_release(float x, float y, int button)
{
    int px, py;
    logical_to_pixel(x, y, &px, &py);
    push(PLT_EV_MOUSEMOVE, 0, px, py, 0);
    push(PLT_EV_BUTTONUP, 0, px, py, button);
}

void push_click(float x, float y, int button)
{
    push_press(x, y, button);
    int px, py;
    logical_to_pixel(x, y, &px, &py);
    push(PLT_EV_BUTTONUP, 0, px, py, button);
}

void push_second_click(float x, float y, int button) { g_test_ms -= HL_DOUBLE_CLICK_MS + 1, push_click(x, y, button); }
void push_close() { push(PLT_EV_CLOSE, 0, 0, 0, 0); }

void run_passes(int n)
{
    for (int i = 0; i < n; i++) MACIBM_event_proc();
}

void push_menu_title_click(int menu)
{
    push_click((mnw.menux1[menu] + mnw.menux2[menu]) / 2, (mnw.menuy1[menu] + mnw.menuy2[menu]) / 2);
}

void push_menu_item_click(int menu, int place)
{
    push_click((mnw.itemx1[menu][place] + mnw.itemx2[menu][place]) / 2,
               (mnw.itemy1[menu][place] + mnw.itemy2[menu][place]) / 2);
}

void push_menu_item_press(int menu, int place)
{
    push_press((mnw.itemx1[menu][place] + mnw.itemx2[menu][place]) / 2,
               (mnw.itemy1[menu][place] + mnw.itemy2[menu][place]) / 2);
}

void double_click_menu_item(int menu, int place, float x)
{
    push_menu_title_click(menu);
    run_passes(1);
    if (x < 0) x = (mnw.itemx1[menu][place] + mnw.itemx2[menu][place]) / 2;
    for (auto click : {push_click, push_second_click}) {
        click(x, mnw.itemy1[menu][place] + 1, 1);
        run_passes(1);
    }
}

void choose_menu_item(int menu, int place)
{
    push_menu_title_click(menu);
    run_passes(1);
    push_menu_item_click(menu, place);
    run_passes(1);
}

void start_script(std::vector<ScriptStep> steps, bool late, bool every_pass)
{
    g_script = std::move(steps);
    g_script_next = 0;
    g_script_passes = late ? 1 : 0;
    g_script_idle = 0;
    g_script_every_pass = every_pass;
    hl_set_pass_hook(script_hook);
}

int script_passes() { return g_script_passes; }

size_t stop_script()
{
    hl_set_pass_hook(nullptr);
    return g_script_next;
}

void choose_scripted(int menu, int place, std::vector<ScriptStep> steps, bool held)
{
    push_menu_title_click(menu);
    run_passes(1);
    ASSERT_EQ(mnw.menu_up, menu);
    const size_t n = steps.size();
    start_script(std::move(steps));
    if (held) push_menu_item_press(menu, place);
    else push_menu_item_click(menu, place);
    run_passes(1);
    EXPECT_EQ(stop_script(), n) << "the choice returned before its script ended";
}

void release_unseen()
{
    EXPECT_EQ(mnw.now_dragging, 0) << "the press that chose the item acts in window " << mnw.topwin;
    push_release(mnw.x + mnw.mx, mnw.y + mnw.my);
}

const uint8_t* Frame::at(float x, float y) const
{
    int ix = static_cast<int>(std::floor((x + 0.5f) * static_cast<float>(w) / SCREEN_W));
    int iy = static_cast<int>(std::floor((y + 0.5f) * static_cast<float>(h) / SCREEN_H));
    ix = ix < 0 ? 0 : ix >= w ? w - 1 : ix;
    iy = iy < 0 ? 0 : iy >= h ? h - 1 : iy;
    return px(ix, iy);
}

bool Frame::is_color(float x, float y, int k, int tol) const
{
    // As OGL_setcolor draws it: the panel's colours (below 38) tinted by the panel light.
    const uint8_t* p = at(x, y);
    const float tint[3] = {ins.r_rat, ins.g_rat, ins.b_rat};
    const bool tinted = k < 38 && (tint[0] != 0.0f || tint[1] != 0.0f || tint[2] != 0.0f);
    for (int c = 0; c < 3; c++) {
        const float want = col_rgb[k][c] * (tinted ? tint[c] : 1.0f);
        if (std::abs(static_cast<int>(p[c]) - static_cast<int>(std::lround(want * 255))) > tol) return false;
    }
    return true;
}

namespace {

// Whether the glyph of c stands at (x, y) in colour k, dot for dot.
bool glyph_at(const Frame& f, float x, float y, char c, int k)
{
    const uint8_t* rows = OGL_glyph_rows(c);
    for (int row = 0; row < 7; row++)
        for (int col = 0; col < 5; col++)
            if ((((rows[6 - row] >> (4 - col)) & 1) != 0) != f.is_color(x + col, y + row, k)) return false;
    return true;
}

}  // namespace

std::string read_text(const Frame& f, float x, float y, int n, int k, float advance)
{
    std::string s;
    for (int i = 0; i < n; i++) {
        const float px = x + advance * static_cast<float>(i);
        char found = '?';
        // Capitals before the digits and signs, where the font draws two alike (O and 0); lower
        // case is drawn as capitals.
        static const char order[] = " ABCDEFGHIJKLMNOPQRSTUVWXYZ!\"#$%&'()*+,-./0123456789:;<=>?@[\\]^_`";
        for (const char* c = order; *c && found == '?'; c++)
            if (glyph_at(f, px, y, *c, k)) found = *c;
        s += found;
    }
    return s;
}

std::string read_number(const Frame& f, float x, float y, int places, int decimals, int k)
{
    std::string s;
    for (int p = 0; p < places; p++) {
        if (decimals > 0 && p == places - decimals) {
            // The point's one dot, in the gap between the two digits' glyphs.
            const float dot_x = x + 6.0f * static_cast<float>(places - 1 - decimals) + 3.0f + 2.0f;
            s += f.is_color(dot_x, y, k) ? '.' : '?';
        }
        char d = '?';
        for (char c = '0'; c <= '9' && d == '?'; c++)
            if (glyph_at(f, x + 6.0f * static_cast<float>(p), y, c, k)) d = c;
        s += d;
    }
    return s;
}

Frame read_frame()
{
    Frame f;
    f.w = static_cast<int>(mnw.HRES);
    f.h = static_cast<int>(mnw.YRES);
    f.rgb.assign(static_cast<size_t>(f.w) * f.h * 3, 0);
    glFinish();
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, f.w, f.h, GL_RGB, GL_UNSIGNED_BYTE, f.rgb.data());
    return f;
}

Frame capture_pass()
{
    Frame f;
    g_capture = &f;
    hl_set_pass_hook(capture_hook);
    MACIBM_event_proc();
    hl_set_pass_hook(nullptr);
    g_capture = nullptr;
    return f;
}

std::string png_rows(const Frame& f)
{
    std::string raw;
    if (f.w <= 0 || f.h <= 0) return raw;
    raw.reserve(static_cast<size_t>(f.h) * (f.w * 3 + 1));
    for (int y = f.h - 1; y >= 0; y--) {
        raw += '\0';
        raw.append(reinterpret_cast<const char*>(f.px(0, y)), static_cast<size_t>(f.w) * 3);
    }
    return raw;
}

bool write_png_stream(const std::string& path, const Frame& f, const std::string& zlib_stream)
{
    if (f.w <= 0 || f.h <= 0) return false;
    std::string out = "\x89PNG\r\n\x1a\n";
    std::string ihdr;
    put32(ihdr, static_cast<uint32_t>(f.w));
    put32(ihdr, static_cast<uint32_t>(f.h));
    ihdr += std::string("\x08\x02\x00\x00\x00", 5);   // 8 bits, RGB, deflate, filters, no interlace
    put_chunk(out, "IHDR", ihdr);
    put_chunk(out, "IDAT", zlib_stream);
    put_chunk(out, "IEND", "");
    std::ofstream file(path, std::ios::binary);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    file.close();
    return static_cast<bool>(file);
}

bool write_png(const std::string& path, const Frame& f)
{
    if (f.w <= 0 || f.h <= 0) return false;
    const std::string raw = png_rows(f);
    // A zlib stream of stored blocks.
    std::string z = "\x78\x01";
    for (size_t at = 0; at < raw.size() || raw.empty();) {
        size_t n = std::min<size_t>(65535, raw.size() - at);
        bool last = at + n == raw.size();
        z += static_cast<char>(last ? 1 : 0);
        z += static_cast<char>(n & 0xFF);
        z += static_cast<char>(n >> 8);
        z += static_cast<char>(~n & 0xFF);
        z += static_cast<char>((~n >> 8) & 0xFF);
        z.append(raw, at, n);
        at += n;
        if (raw.empty()) break;
    }
    put32(z, png_adler32(reinterpret_cast<const uint8_t*>(raw.data()), raw.size()));
    return write_png_stream(path, f, z);
}

Frame read_png(const std::string& path)
{
    Frame f;
    std::string s = read_file(path);
    if (s.size() < 8 || s.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return f;
    std::string z;
    int w = 0, h = 0;
    for (size_t at = 8; at + 12 <= s.size();) {
        uint32_t n = get32(s, at);
        if (at + 12 + n > s.size()) return Frame{};
        std::string type = s.substr(at + 4, 4);
        if (png_crc32(reinterpret_cast<const uint8_t*>(s.data() + at + 4), n + 4) != get32(s, at + 8 + n))
            return Frame{};
        if (type == "IHDR") {
            w = static_cast<int>(get32(s, at + 8));
            h = static_cast<int>(get32(s, at + 12));
            if (s[at + 16] != 8 || s[at + 17] != 2) return Frame{};
        } else if (type == "IDAT") {
            z += s.substr(at + 8, n);
        }
        at += 12 + n;
    }
    if (w <= 0 || h <= 0 || z.size() < 6) return Frame{};
    std::string raw;
    size_t at = 2;
    for (;;) {
        if (at + 5 > z.size()) return Frame{};
        uint8_t head = static_cast<uint8_t>(z[at]);
        if ((head & 6) != 0) return Frame{};   // only stored blocks
        size_t n = static_cast<uint8_t>(z[at + 1]) | (static_cast<size_t>(static_cast<uint8_t>(z[at + 2])) << 8);
        size_t nn = static_cast<uint8_t>(z[at + 3]) | (static_cast<size_t>(static_cast<uint8_t>(z[at + 4])) << 8);
        if ((n ^ nn) != 0xFFFF || at + 5 + n > z.size()) return Frame{};
        raw += z.substr(at + 5, n);
        at += 5 + n;
        if (head & 1) break;
    }
    if (at + 4 > z.size() || get32(z, at) != png_adler32(reinterpret_cast<const uint8_t*>(raw.data()), raw.size()))
        return Frame{};
    size_t row = static_cast<size_t>(w) * 3 + 1;
    if (raw.size() != row * h) return Frame{};
    f.w = w;
    f.h = h;
    f.rgb.resize(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; y++) {
        if (raw[row * y] != 0) return Frame{};
        std::memcpy(&f.rgb[static_cast<size_t>(h - 1 - y) * w * 3], raw.data() + row * y + 1, row - 1);
    }
    return f;
}

std::string picture_path(const std::string& name)
{
    const char* dir = std::getenv("KV_TEST_PICTURES");
    std::filesystem::path p = dir && *dir ? std::filesystem::path(dir) : std::filesystem::path(KV_BINARY_DIR) / "pictures";
    std::error_code ec;
    std::filesystem::create_directories(p, ec);
    return (p / name).string();
}

std::string bmp_bytes(int w, int h, uint8_t r, uint8_t g, uint8_t b)
{
    int row = (3 * w + 3) & ~3;
    uint32_t size = 54 + static_cast<uint32_t>(row * h);
    std::string s;
    auto u16 = [&s](uint32_t v) { s += static_cast<char>(v & 0xFF); s += static_cast<char>((v >> 8) & 0xFF); };
    auto u32 = [&u16](uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
    s += "BM";
    u32(size);
    u32(0);
    u32(54);
    u32(40);
    u32(static_cast<uint32_t>(w));
    u32(static_cast<uint32_t>(h));
    u16(1);
    u16(24);
    for (int i = 0; i < 6; i++) u32(0);
    for (int y = 0; y < h; y++) {
        for (int x = 0; x < w; x++) {
            s += static_cast<char>(b);
            s += static_cast<char>(g);
            s += static_cast<char>(r);
        }
        s.append(static_cast<size_t>(row - 3 * w), '\0');
    }
    return s;
}

void write_window_bitmaps(const std::string& folder, uint8_t r, uint8_t g, uint8_t b)
{
    std::string sub = std::string(folder) + "/bitmaps/" + (hl_prog.bitmap_folder ? hl_prog.bitmap_folder : "") + "/";
    std::filesystem::create_directories(sub);
    std::string pic = bmp_bytes(8, 8, r, g, b);
    // The names are the windows' own; only the simulator's windows have pictures.
    const int was_simulator = hl_prog.is_simulator;
    hl_prog.is_simulator = 1;
    for (int id = 1; id <= 25; id++)
        if (const char* n = hl_window_bitmap(id)) std::ofstream(sub + n + ".BMP", std::ios::binary) << pic;
    std::ofstream(folder + "/bitmaps/" + hl_window_bitmap(0) + ".BMP", std::ios::binary) << pic;
    hl_prog.is_simulator = was_simulator;
    std::snprintf(app_path, STR_LEN, "%s/", folder.c_str());
}

void ScreenTest::SetUp()
{
    g_work = new TempDir();
    char cwd[4096];
    g_old_cwd = getcwd(cwd, sizeof cwd) ? cwd : ".";
    if (chdir(g_work->str().c_str()) != 0) FAIL() << "cannot enter " << g_work->str();
    clear_globals();
    use_test_clock(1000);
    show_alert_windows(false);
    hl_set_window_size(w_, h_);
    MACIBM_init();
    ASSERT_TRUE(PLT_window_open());
    clear_recorded_alerts();
    run_passes(1);
}

void ScreenTest::TearDown()
{
    hl_set_pass_hook(nullptr);
    show_alert_windows(false);
    MACIBM_finishup();
    hl_set_window_size(0, 0);
    use_real_clock();
    if (chdir(g_old_cwd.c_str()) != 0) ADD_FAILURE() << "cannot return to " << g_old_cwd;
    delete g_work;
    g_work = nullptr;
}

void ProgramFolders::SetUp()
{
    char cwd[4096];
    old_cwd_ = getcwd(cwd, sizeof cwd) ? cwd : ".";
    ASSERT_EQ(chdir(work.str().c_str()), 0);
    const char* c = std::getenv("KV_CONFIG_DIR");
    const char* p = std::getenv("KV_PROGRAM_DIR");
    had_cfg_ = c != nullptr;
    had_prog_ = p != nullptr;
    old_cfg_ = c ? c : "";
    old_prog_ = p ? p : "";
    setenv("KV_CONFIG_DIR", cfg.str().c_str(), 1);
    setenv("KV_PROGRAM_DIR", KV_PROGRAM_DIR, 1);
    hl_set_window_size(800, 600);
}

void ProgramFolders::TearDown()
{
    hl_set_window_size(0, 0);
    if (had_cfg_) setenv("KV_CONFIG_DIR", old_cfg_.c_str(), 1);
    else unsetenv("KV_CONFIG_DIR");
    if (had_prog_) setenv("KV_PROGRAM_DIR", old_prog_.c_str(), 1);
    else unsetenv("KV_PROGRAM_DIR");
    ASSERT_EQ(chdir(old_cwd_.c_str()), 0);
}
