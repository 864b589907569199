// gbm_manifest.cpp -- the one table of every picture the bitmap generator writes, with its folder,
// file name, use and size, and the loop that draws and writes them.
#include "gbm_local.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <deque>
#include <string>
#include <thread>

namespace {

// Paths live as long as the program: the manifest keeps pointers into this pool.
const char* keep(const std::string& s)
{
    static std::deque<std::string> pool;  // a deque never moves its elements
    pool.push_back(s);
    return pool.back().c_str();
}

void add(std::vector<GbmEntry>& m, const std::string& path, GbmUse use, int w, int h, GbmMaker make, int arg)
{
    m.push_back(GbmEntry{keep(path), use, w, h, make, arg});
}

std::vector<GbmEntry> build()
{
    std::vector<GbmEntry> m;
    // Terrain, with the snow and low-latitude variants, in the terrain family folder.
    for (int t = 0; t < TER_COUNT; t++)
        add(m, std::string("textures/terrain/") + gbm_terrain_name(t) + ".BMP", GBM_TERRAIN, 512, 512,
            gbm_make_terrain, t);
    // The scenery editor's loader has no terrain family: it takes the twelve standard terrain
    // pictures from the textures folder itself.
    for (int t = 0; t < TER_COUNT; t++) {
        bool variant = t == TER_SNO || t == TER_CAR || (t >= TER_MNT_SNO_H && t <= TER_CAR_MNT_C);
        if (!variant)
            add(m, std::string("textures/") + gbm_terrain_name(t) + ".BMP", GBM_TERRAIN, 512, 512, gbm_make_terrain, t);
    }
    // Runway surfaces and the two marking sets.
    add(m, "textures/grass/rway_gras.BMP", GBM_KEYED, 256, 256, gbm_make_surface, 0);
    add(m, "textures/dirt/rway_dirt.BMP", GBM_KEYED, 256, 256, gbm_make_surface, 1);
    add(m, "textures/grav/rway_grav.BMP", GBM_KEYED, 256, 256, gbm_make_surface, 2);
    const char* sets[2] = {"asphalt", "concrete"};
    for (int s = 0; s < 2; s++)
        for (int r = 0; r < RWY_COUNT; r++)
            add(m, std::string("textures/") + sets[s] + "/" + gbm_runway_name(r) + ".BMP", GBM_PLAIN, 256, 256,
                gbm_make_runway, r + RWY_COUNT * s);
    // Buildings.
    const char* buildings[6] = {"bld_block", "bld_nartop", "bld_tapered", "bld_narbot", "bld_avon", "bld_contow"};
    for (int b = 0; b < 6; b++)
        add(m, std::string("textures/buildings/") + buildings[b] + ".BMP", GBM_PLAIN, 256, 512, gbm_make_building, b);
    // Fire frames and smoke share the fire family folder.
    for (int f = 0; f < 12; f++)
        add(m, "textures/fire/fire" + std::to_string(f + 1) + ".BMP", GBM_KEYED, 256, 128, gbm_make_fire, f);
    add(m, "textures/fire/smoke.BMP", GBM_BRIGHTNESS, 256, 256, gbm_make_smoke, 0);
    // Pictures straight in the textures folder.
    add(m, "textures/tire.BMP", GBM_PLAIN, 128, 128, gbm_make_tire, 0);
    add(m, "textures/metal.BMP", GBM_PLAIN, 256, 256, gbm_make_ship_part, 0);
    add(m, "textures/deck.BMP", GBM_PLAIN, 256, 1024, gbm_make_ship_part, 1);
    add(m, "textures/dirty.BMP", GBM_PLAIN, 256, 256, gbm_make_ship_part, 2);
    add(m, "textures/pad.BMP", GBM_PLAIN, 256, 256, gbm_make_ship_part, 3);
    add(m, "textures/tower.BMP", GBM_PLAIN, 256, 256, gbm_make_ship_part, 4);
    add(m, "textures/hull.BMP", GBM_PLAIN, 512, 256, gbm_make_ship_part, 5);
    add(m, "textures/tree.BMP", GBM_KEYED, 128, 256, gbm_make_tree, 0);
    add(m, "textures/pdisc.BMP", GBM_BRIGHTNESS, 256, 256, gbm_make_pdisc, 0);
    add(m, "textures/cloud.BMP", GBM_BRIGHTNESS, 512, 512, gbm_make_cloud, 0);
    add(m, "textures/windsock.BMP", GBM_PLAIN, 128, 64, gbm_make_windsock, 0);
    add(m, "textures/letters.BMP", GBM_KEYED, 128, 64, gbm_make_letters, 0);
    add(m, "textures/cursor.BMP", GBM_KEYED, 16, 16, gbm_make_cursor, 0);
    add(m, "textures/dg.BMP", GBM_KEYED, 256, 256, gbm_make_dg, 0);
    add(m, "textures/hand.BMP", GBM_PLAIN, 128, 128, gbm_make_hand, 0);
    // The bundled custom object's texture, in the custom objects folder beside its object file.
    add(m, "additional nav data/custom objects/kv_hangar.BMP", GBM_PLAIN, 256, 256, gbm_make_ship_part, 0);
    // Interface pictures: the start-up screen and the simulator's window backgrounds.
    add(m, "bitmaps/VNTL.BMP", GBM_WINDOW, 800, 600, gbm_make_splash, 0);
    const std::vector<GbmWindowDef>& wins = gbm_window_defs();
    for (size_t i = 0; i < wins.size(); i++)
        add(m, std::string("bitmaps/Kestrova/") + wins[i].name + ".BMP", GBM_WINDOW, wins[i].w, wins[i].h,
            gbm_make_window, static_cast<int>(i));
    // The instrument panel's pictures.
    struct Cockpit {
        const char* name;
        int w, h;
        GbmMaker make;
        int arg;
    };
    static const Cockpit cockpit[] = {
        {"PANL_P", 800, 333, gbm_make_cockpit, CKP_PANL_P}, {"PANL_H", 800, 333, gbm_make_cockpit, CKP_PANL_H},
        {"statbar", 800, 24, gbm_make_cockpit, CKP_STATBAR}, {"radios", 155, 305, gbm_make_cockpit, CKP_RADIOS},
        {"pict_asi", 128, 128, gbm_make_gauge, GAUGE_ASI},  {"pict_ahz", 128, 128, gbm_make_gauge, GAUGE_AHZ},
        {"pict_alt", 128, 128, gbm_make_gauge, GAUGE_ALT},  {"pict_trn", 128, 128, gbm_make_gauge, GAUGE_TRN},
        {"pict_ned", 128, 128, gbm_make_gauge, GAUGE_NED},  {"pict_hsi", 128, 128, gbm_make_gauge, GAUGE_HSI},
        {"pict_vvi", 128, 128, gbm_make_gauge, GAUGE_VVI},  {"pict_adf", 100, 150, gbm_make_gauge, GAUGE_ADF},
        {"pict_tim", 100, 130, gbm_make_gauge, GAUGE_TIM},  {"pict_vor", 100, 100, gbm_make_gauge, GAUGE_VOR},
        {"pict_str", 100, 100, gbm_make_gauge, GAUGE_STR},  {"pict_arg", 100, 100, gbm_make_gauge, GAUGE_ARG},
        {"pict_rlt", 100, 100, gbm_make_gauge, GAUGE_RLT},  {"pict_var", 100, 100, gbm_make_gauge, GAUGE_VAR},
        {"pict_rad", 100, 112, gbm_make_gauge, GAUGE_RAD},  {"gps", 141, 68, gbm_make_cockpit, CKP_GPS},
        {"pict_efi", 389, 300, gbm_make_cockpit, CKP_EFI},  {"b_gear", 34, 62, gbm_make_cockpit, CKP_GEAR},
        {"ecam", 155, 170, gbm_make_cockpit, CKP_ECAM},     {"egt", 54, 14, gbm_make_cockpit, CKP_EGT},
        {"eng_in", 76, 76, gbm_make_gauge, GAUGE_ENG},      {"b_sbrka", 28, 52, gbm_make_cockpit, CKP_SBRKA},
        {"b_sbrkm", 28, 52, gbm_make_cockpit, CKP_SBRKM},   {"b_trim", 16, 66, gbm_make_cockpit, CKP_TRIM},
        {"b_swee", 30, 50, gbm_make_cockpit, CKP_SWEE},     {"b_vect", 44, 58, gbm_make_cockpit, CKP_VECT},
    };
    for (const Cockpit& c : cockpit)
        add(m, std::string("bitmaps/Kestrova/") + c.name + ".BMP", GBM_WINDOW, c.w, c.h, c.make, c.arg);
    return m;
}

}  // namespace

const std::vector<GbmEntry>& gbm_manifest()
{
    static const std::vector<GbmEntry> m = build();
    return m;
}

void gbm_draw_entry(int index, GbmImage& img)
{
    const GbmEntry& e = gbm_manifest()[static_cast<size_t>(index)];
    gbm_init(img, e.w, e.h, gbm_rgb(0, 0, 0), e.use == GBM_KEYED);
    e.make(img, e.arg);
}

std::vector<std::vector<uint8_t>> gbm_encode_all()
{
    const std::vector<GbmEntry>& m = gbm_manifest();
    std::vector<std::vector<uint8_t>> out(m.size());
    // A picture listed twice (the same routine, argument and size) is drawn once.
    std::vector<size_t> first(m.size());
    for (size_t i = 0; i < m.size(); i++) {
        first[i] = i;
        for (size_t k = 0; k < i; k++)
            if (m[k].make == m[i].make && m[k].arg == m[i].arg && m[k].w == m[i].w && m[k].h == m[i].h) {
                first[i] = k;
                break;
            }
    }
    std::atomic<size_t> next{0};
    auto work = [&] {
        GbmImage img;
        for (size_t i = next++; i < m.size(); i = next++) {
            if (first[i] != i) continue;
            gbm_draw_entry(static_cast<int>(i), img);
            out[i] = gbm_encode_bmp(img);
        }
    };
    unsigned helpers = std::clamp(std::thread::hardware_concurrency(), 1u, 16u) - 1;
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < helpers; t++) pool.emplace_back(work);
    work();
    for (std::thread& t : pool) t.join();
    for (size_t i = 0; i < m.size(); i++)
        if (first[i] != i) out[i] = out[first[i]];
    return out;
}

int gbm_generate_all(const std::string& program_dir)
{
    int failures = 0;
    const std::vector<GbmEntry>& m = gbm_manifest();
    const std::vector<std::vector<uint8_t>> files = gbm_encode_all();
    for (size_t i = 0; i < m.size(); i++) {
        std::string err;
        if (tool_write_file(program_dir + "/" + m[i].path, files[i], err) != 0) {
            std::fprintf(stderr, "gen_bitmaps: %s\n", err.c_str());
            failures++;
        }
    }
    return failures;
}
