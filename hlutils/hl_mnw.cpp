// hl_mnw.cpp -- start-up, display mode, progress bar and shutdown of every program's window.
#include "hl_mnw.h"

#include "hl_event.h"
#include "hl_graph.h"
#include "hl_menu.h"
#include "hl_program.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "plt.h"
#include "plt_files.h"

#include <GL/gl.h>

#include "hl_file.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int g_test_w = 0, g_test_h = 0;   // a test's window size; 0 goes full screen
int g_have_orig = 0;              // the display's own mode has been read
int g_marker = 15;                // the progress marker's x
int g_finishing = 0;              // MACIBM_finishup is running (a fatal alert inside it must not recurse)

// Copies src after dst's text, cut to the array; 0 when it had to be cut.
int join(char* dst, int size, const char* a, const char* b, const char* c = "")
{
    int n = std::snprintf(dst, static_cast<size_t>(size), "%s%s%s", a, b, c);
    return n >= 0 && n < size;
}

// Whether the renderer draws in software (no accelerated OpenGL on this machine).
int software_renderer(const char* r)
{
    return std::strstr(r, "llvmpipe") || std::strstr(r, "softpipe") || std::strstr(r, "swrast") ||
           std::strcmp(r, "GENERIC") == 0 || std::strstr(r, "GDI Generic");
}

}  // namespace

void hl_fixed_gl_state(void)
{
    const GLfloat ambient[4] = {0, 0, 0, 0};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glFrontFace(GL_CW);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DITHER);
    glDisable(GL_NORMALIZE);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_SCISSOR_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glHint(GL_FOG_HINT, GL_FASTEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, SCREEN_W, 0, SCREEN_H, -1, 1);
    glViewport(0, 0, static_cast<GLsizei>(mnw.HRES), static_cast<GLsizei>(mnw.YRES));
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    hl_scale_point_size();
}

void hl_scale_point_size(void)
{
    const float ratio = mnw.XRAT > mnw.YRAT ? mnw.XRAT : mnw.YRAT;
    glPointSize(ratio > 1.5f ? std::round(ratio) : 1.0f);
}

namespace {

void fatal_start(const char* l1, const char* l2, const char* l3, const char* l4)
{
    MACIBM_alert(l1, l2, l3, l4, ALERT_FATAL);
}

}  // namespace

void hl_set_window_size(int w, int h)
{
    g_test_w = w;
    g_test_h = h;
}

void hl_fill_constants(void)
{
    con.muearth = 398601184346112.0f;
    con.rearth = 6378145.0f;
    con.rhoSL = 1.225f;
    con.pSL = 101325.0f;
    con.muair = 1.7894e-05f;
    con.gammaairM1 = 0.4f;
    con.pi = 3.1415927f;
    con.R = 287.0f;
    con.e = 2.7182817f;
    con.rho_h20 = 1000.0f;
    con.lbstokgs = 0.4535925f;
    con.fttomtrs = 0.3048f;
    con.hptowatt = 745.7f;
    con.dgrtodgk = 0.5555556f;
    con.nm_to_sm = 1.1507795f;
    con.mtrtoplt = 0.0066667f;

    con.pim2 = 2.0f * con.pi;
    con.pid2 = 0.5f * con.pi;
    con.g = con.muearth / (con.rearth * con.rearth);
    con.radtodeg = 180.0f / con.pi;
    con.degtorad = 1.0f / con.radtodeg;
    con.ktstomsc = con.fttomtrs * 1.687809861111111f;
    con.rpmtorsc = con.degtorad * 6.0f;
    con.fpmtomsc = con.fttomtrs / 60.0f;
    con.nmtomtrs = con.fttomtrs * 6076.1155f;
    con.sftosmtr = con.fttomtrs * con.fttomtrs;
    con.smtrtosf = 1.0f / con.sftosmtr;
    con.lbstontn = con.lbstokgs * con.g;
    con.ftlbtonm = con.lbstontn * con.fttomtrs;
    con.endtomed = con.g * con.lbstokgs / (con.fttomtrs * con.fttomtrs * con.fttomtrs * con.fttomtrs);
    con.enptomep = con.lbstontn * con.smtrtosf;
    con.enItomtI = con.sftosmtr * con.lbstokgs;

    con.kgstolbs = 1.0f / con.lbstokgs;
    con.mtrstoft = 1.0f / con.fttomtrs;
    con.watttohp = 1.0f / con.hptowatt;
    con.dgktodgr = 1.0f / con.dgrtodgk;
    con.msctokts = 1.0f / con.ktstomsc;
    con.rsctorpm = 1.0f / con.rpmtorsc;
    con.msctofpm = 1.0f / con.fpmtomsc;
    con.mtrstonm = 1.0f / con.nmtomtrs;
    con.ntntolbs = 1.0f / con.lbstontn;
    con.nmtoftlb = 1.0f / con.ftlbtonm;
    con.medtoend = 1.0f / con.endtomed;
    con.meptoenp = 1.0f / con.enptomep;
    con.mtltoenl = 1.0f / con.enItomtI;
    con.sm_to_nm = 1.0f / con.nm_to_sm;
    con.plttomtr = 1.0f / con.mtrtoplt;

    for (int d = 0; d <= 360; d++) {
        lookup_sin[d] = std::sin(static_cast<float>(d) * con.degtorad);
        lookup_cos[d] = std::cos(static_cast<float>(d) * con.degtorad);
    }
}

void hl_fill_colors(void)
{
    static const float table[][4] = {
        {0, 1, 1, 1},          {1, 0.2f, 1, 0.2f},     {2, 1, 0.2f, 0.2f},      {3, 1, 1, 0.2f},
        {4, 0.4f, 0.4f, 1},    {5, 0.92f, 0.87f, 0.67f}, {6, 0.8f, 0.8f, 0.8f}, {7, 0, 1, 0},
        {8, 1, 0, 0},          {9, 1, 1, 0},           {10, 0, 0, 1},           {11, 0.67f, 0.61f, 0.42f},
        {12, 0.6f, 0.6f, 0.6f}, {13, 0, 0.8f, 0},      {14, 0.8f, 0, 0},        {15, 0.6f, 0.6f, 0},
        {16, 0, 0, 0.6f},      {17, 0.49f, 0.43f, 0.24f}, {18, 0.4f, 0.4f, 0.4f}, {19, 0, 0.6f, 0},
        {20, 0.6f, 0, 0},      {21, 0.35f, 0.3f, 0.11f}, {22, 0.2f, 0.2f, 0.2f}, {23, 0, 0.4f, 0},
        {24, 0.4f, 0, 0},      {25, 0.17f, 0.12f, 0},  {26, 0.1f, 0.1f, 0.1f},  {27, 0, 0.2f, 0},
        {28, 0.2f, 0, 0},      {29, 0, 0, 0},          {30, 0, 0.1f, 0},        {31, 0.1f, 0, 0},
        {32, 1, 0.8f, 0.2f},   {33, 0.2f, 0.2f, 0.6f}, {34, 0.11f, 0.22f, 0.55f}, {35, 0.08f, 0.16f, 0.4f},
        {36, 0.66f, 0.44f, 0.22f}, {37, 0.48f, 0.32f, 0.16f}, {38, 1, 1, 1},    {39, 0.8f, 0.8f, 0.8f},
        {40, 0.3f, 0.3f, 0.3f}, {41, 1, 1, 0.2f},      {42, 0.3f, 0.3f, 0.9f},  {43, 0.5f, 0.5f, 1},
        {44, 1, 0, 0},         {45, 1, 0.4f, 0.4f},    {46, 0.6f, 1, 0.6f},     {47, 0.2f, 1, 0.2f},
        {48, 0, 1, 0},         {49, 0, 0.6f, 0},       {50, 0, 0.4f, 0},        {51, 0, 0.2f, 0},
        {52, 0, 0.1f, 0},      {53, 0.11f, 0.22f, 0.55f}, {54, 0.66f, 0.44f, 0.22f}, {55, 0.2f, 0.2f, 0.4f},
        {61, 1, 1, 1},         {62, 1, 1, 0.6f},       {63, 0.6f, 0.6f, 1},     {64, 0.8f, 0.8f, 0.8f},
        {65, 1, 1, 0.2f},      {66, 0.2f, 0.2f, 1},    {67, 0.6f, 0.6f, 0.6f},  {68, 0.8f, 0.8f, 0},
        {69, 0, 0, 0.8f},      {70, 0, 0, 0},          {71, 0, 0.9f, 0},        {72, 0, 0.5f, 0},
        {73, 1, 1, 0},         {74, 1, 0, 0},
    };
    for (const auto& e : table) OGL_assigncolor(static_cast<int>(e[0]), e[1], e[2], e[3]);
}

void hl_build_paths(const char* program_folder, const char* config_folder, const char* prefs_file)
{
    int ok = 1;
    ok &= join(app_path, STR_LEN, program_folder, "");
    ok &= join(wrk_path, STR_LEN, app_path, "");
    if (prefs_file) ok &= join(prf_path, STR_LEN, config_folder, "/", prefs_file);
    else prf_path[0] = 0;
    ok &= join(res_path, STR_LEN, config_folder, "/", "Gridmere 4.prf");
    ok &= join(afl_path, STR_LEN, app_path, "airfoils/");
    ok &= join(flp_path, STR_LEN, app_path, "flaps/");
    ok &= join(tex_path, STR_LEN, app_path, "textures/");
    ok &= join(obj_path, STR_LEN, app_path, "additional nav data/custom objects/");
    ok &= join(cus_path, STR_LEN, app_path, "additional nav data/custom terrain textures/");
    ok &= join(sit_path, STR_LEN, app_path, "additional nav data/situations/");
    if (!ok)
        fatal_start("The program's folder path is too long!", program_folder,
                    "Move the program to a folder with a shorter path.", "");
}

int hl_read_res_prefs(const char* path, float* hres, float* yres, float* cres)
{
    if (PLT_names_a_pipe(path)) return 0;
    FILE* f = std::fopen(path, "rb");
    if (!f) return 0;
    // Text header: a line "I" (or "A"), then a line "2 version"; the three values follow, one a line.
    char letter[8] = {0};
    int version = 0;
    float v[3];
    int ok = std::fscanf(f, " %7s", letter) == 1 && (std::strcmp(letter, "I") == 0 || std::strcmp(letter, "A") == 0) &&
             std::fscanf(f, "%d version", &version) == 1 && version == 2 &&
             std::fscanf(f, "%f %f %f", &v[0], &v[1], &v[2]) == 3;
    std::fclose(f);
    if (!ok) return 0;
    // Only sizes a display can show: anything else would put a zero or a huge ratio in the mouse mapping.
    if (!(v[0] >= 320 && v[0] <= 16384 && v[1] >= 200 && v[1] <= 16384 && (v[2] == 16 || v[2] == 24 || v[2] == 32)))
        return 0;
    *hres = v[0];
    *yres = v[1];
    *cres = v[2];
    return 1;
}

int MACIBM_setres(int to_requested)
{
    int w, h, bits;
    if (!PLT_current_mode(&w, &h, &bits)) return 0;
    if (!g_have_orig) {
        hres_orig = w;
        vres_orig = h;
        cres_orig = bits;
        g_have_orig = 1;
    }
    int tw = to_requested ? static_cast<int>(std::lround(mnw.HRES)) : hres_orig;
    int th = to_requested ? static_cast<int>(std::lround(mnw.YRES)) : vres_orig;
    int tb = to_requested ? static_cast<int>(std::lround(mnw.CRES)) : cres_orig;
    // Displays of today run 24- or 32-bit colour; the depth asked for decides nothing by itself.
    if (w == tw && h == th) return 1;
    if (PLT_set_mode(tw, th, tb)) return 1;
    // A display that lists no such mode still shows the program: its window covers the desktop at
    // the desktop's own size, and the logical screen is scaled to whatever the drawable is.
    return to_requested && w > 0 && h > 0;
}

void MACIBM_showinit(int step)
{
    if (!initing) return;
    if (step == 0) {
        for (int x = 20; x <= 600; x += 5) OGL_fillrect(29, static_cast<float>(x), 20, 3, 6);
        return;
    }
    if (step != 1 || !ogl_ready || to_array) return;
    g_marker += 5;
    if (g_marker < 0) g_marker = 0;
    if (g_marker > 600) g_marker = 600;
    float x = static_cast<float>(g_marker);
    if (hl_prog.is_simulator) OGL_plot_background();
    else hl_plot_picture();
    OGL_fillrect(47, x, 20, 2, 5);
    OGL_line(46, x, 25, x + 2, 25);
    OGL_line(46, x, 20, x, 25);
    OGL_line(49, x, 20, x + 2, 20);
    OGL_line(49, x + 2, 20, x + 2, 25);
    PLT_swap();
}

const hl_start_tex* hl_start_textures(int* n)
{
    // The pointer (only when we draw it ourselves), the font picture and the simulator's compass card.
    static const hl_start_tex list[] = {
        {TEX_CURSOR, ALPHA_KEY, "cursor", START_TEX_OWN_POINTER},
        {TEX_LETTERS, ALPHA_KEY, "letters", START_TEX_ALWAYS},
        {TEX_DG, ALPHA_KEY, "dg", START_TEX_SIMULATOR},
    };
    *n = static_cast<int>(sizeof list / sizeof list[0]);
    return list;
}

void MACIBM_init(void)
{
    std::memset(pln, 0, sizeof pln);
    std::memset(afl, 0, sizeof afl);
    std::memset(&con, 0, sizeof con);
    std::memset(&mnw, 0, sizeof mnw);
    std::memset(lookup_sin, 0, sizeof lookup_sin);
    std::memset(lookup_cos, 0, sizeof lookup_cos);
    std::memset(col_rgb, 0, sizeof col_rgb);
    mnw.menu_up = -1;
    initing = 1;
    ogl_ready = 0;
    is_3dfx = 0;
    gdone = 0;
    to_array = 0;
    g_marker = 15;
    g_finishing = 0;
    hl_reset_event_state();
    hl_reset_menus();

    PLT_catch_quit_signals();
    if (err.is_open()) err.close();
    err.clear();
    // Each run starts the file afresh, then writes in append mode: every line lands at the file's
    // current end, so another program of the suite starting in this folder (and emptying the file
    // as it does so) cannot leave a run of zero bytes in front of this program's later lines.
    std::ofstream("Error.out", std::ios::out | std::ios::trunc).close();
    err.open("Error.out", std::ios::out | std::ios::app);
    err << std::fixed;
    inf_use = 1;

    char prog[STR_LEN], cfg[STR_LEN];
    if (!PLT_program_folder(prog, sizeof prog)) std::snprintf(prog, sizeof prog, "./");
    if (!PLT_config_folder(cfg, sizeof cfg)) std::snprintf(cfg, sizeof cfg, ".");
    hl_build_paths(prog, cfg, hl_prog.prefs_file);

    hl_fill_constants();
    hl_fill_colors();

    mnw.HRES = 800;
    mnw.YRES = 600;
    mnw.CRES = 16;
    hl_read_res_prefs(res_path, &mnw.HRES, &mnw.YRES, &mnw.CRES);

    int windowed = g_test_w > 0 && g_test_h > 0;
    if (!windowed && !is_3dfx && !MACIBM_setres(1)) {
        mnw.HRES = 800;
        mnw.YRES = 600;
        mnw.CRES = 16;
        if (!MACIBM_setres(1))
            fatal_start("I could not set the resolution to the requested resolution to run Kestrova!",
                        "Set your machine to 800 by 600, 16-bit color to run Kestrova.", "", "");
    }

    int ww = windowed ? g_test_w : static_cast<int>(std::lround(mnw.HRES));
    int wh = windowed ? g_test_h : static_cast<int>(std::lround(mnw.YRES));
    if (!PLT_open_window("Vantrel", ww, wh, !windowed)) fatal_start("Can't create window!", "", "", "");
    mnw.wind = 1;
    int dw, dh;
    PLT_drawable_size(&dw, &dh);
    if (dw > 0 && dh > 0) {
        mnw.HRES = static_cast<float>(dw);
        mnw.YRES = static_cast<float>(dh);
    }
    mnw.XRAT = mnw.HRES / SCREEN_W;
    mnw.YRAT = mnw.YRES / SCREEN_H;

    const char* renderer = PLT_renderer();
    int soft = software_renderer(renderer);
    is_3dfx = 0;  // the system pointer shows over the window on every renderer here

    OGL_forget_state();
    hl_fixed_gl_state();
    OGL_setstate(0, 0, 0, 0);
    if (hl_prog.is_simulator) {
        ins.r_rat = ins.g_rat = ins.b_rat = 1.0f;
    } else {
        APPLICATION_setupmenus();
    }
    ogl_ready = 1;
    gdone = 0;
    MACIBM_startwind(-1);

    int n;
    const hl_start_tex* start = hl_start_textures(&n);
    for (int k = 0; k < n; k++) {
        if (start[k].when == START_TEX_OWN_POINTER && !is_3dfx) continue;
        if (start[k].when == START_TEX_SIMULATOR && !hl_prog.is_simulator) continue;
        OGL_texbmp(TEXBMP_FAMILY, start[k].tex, start[k].alpha, start[k].name);
    }

    if (soft)
        MACIBM_alert("I can not find a 3-D accelerator card that can handle OpenGL that has correctly installed drivers.",
                     "I will still let you run the simulator, but the frame rate will NOT allow for a good simulation.",
                     "OpenGL is drawn in software on this machine.",
                     "A graphics card with hardware OpenGL drivers will give a much higher frame rate.",
                     ALERT_NOTICE);
}

void hl_warn_unsaved_settings(void)
{
    if (!prf_path[0]) return;
    char folder[STR_LEN];
    std::snprintf(folder, sizeof folder, "%s", prf_path);
    if (char* slash = std::strrchr(folder, '/')) *slash = 0;
    if (PLT_folder_writable(folder)) return;
    MACIBM_alert("Your settings will not be saved: I cannot write in the configuration folder", folder,
                 "Make that folder writable (or set XDG_CONFIG_HOME to a folder you can write) to keep them.", "",
                 ALERT_NOTICE);
}

void hl_log_alert(const char* l1, const char* l2, const char* l3, const char* l4, int code)
{
    if (!err.is_open()) return;
    err << "alert " << code << ": " << l1 << " | " << l2 << " | " << l3 << " | " << l4 << "\n";
    err.flush();
}

void MACIBM_finishup(void)
{
    if (g_finishing) return;
    g_finishing = 1;
    MACIBM_setres(0);
    // The program releases sound, joystick and serial output first, so what it reports still
    // reaches the error file. A data file still open on ouf is closed untouched: the closing line
    // goes only to the error and output files.
    if (hl_prog.finishup) hl_prog.finishup();
    ouf_abandon();
    for (std::ofstream* s : {&err, &trk}) {
        if (!s->is_open()) continue;
        *s << "end simulation\n";
        s->close();
    }
    PLT_close_window();
    mnw.wind = 0;
    ogl_ready = 0;
}
