// lw_screen_gltest.cpp -- Landwright's four edit screens on SDL's offscreen driver, drawn and read
// back from the frame, driven by scripted clicks and menu choices through the real event loop; the
// save questions of Quit and of a changed square corner.
#include "hl_event.h"
#include "hl_mnw.h"
#include "hl_opensave.h"
#include "hl_program.h"
#include "hl_tex.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "hl_worlddb.h"
#include "kvscreen.h"
#include "kvtest.h"
#include "landwright.h"
#include "plt.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Step = ScriptStep;

const std::string kProgram = std::string(KV_PROGRAM_DIR) + "/";
const std::string kSquareRel = "additional nav data/+030-120/+033-119.env";

// The pixel colour of an RGB triple in 0..1, as the frame holds it.
bool pixel_is(const Frame& f, float x, float y, float r, float g, float b, int tol = 3)
{
    const uint8_t* p = f.at(x, y);
    const float want[3] = {r, g, b};
    for (int k = 0; k < 3; k++)
        if (std::abs(static_cast<int>(p[k]) - static_cast<int>(std::lround(want[k] * 255))) > tol) return false;
    return true;
}

// Pixels of colour-table colour k inside the logical rectangle.
int count_color(const Frame& f, float x1, float y1, float x2, float y2, int k)
{
    int n = 0;
    for (float y = y1; y <= y2; y += 1)
        for (float x = x1; x <= x2; x += 1) n += f.is_color(x, y, k, 8) ? 1 : 0;
    return n;
}

class LandScreen : public ScreenTest {
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        // The terrain pictures from the program folder, everything else from the test's own.
        std::snprintf(app_path, STR_LEN, "%s", kProgram.c_str());
        lw_load_terrain_textures();
        std::snprintf(app_path, STR_LEN, "%s/", dir_.str().c_str());
        std::snprintf(prf_path, STR_LEN, "%s/Landwright.prf", dir_.str().c_str());
        fs::create_directories(dir_.str() + "/additional nav data/+030-120");
        for (const char* f : {"apt.dat", "nav.dat"})
            fs::copy_file(kProgram + "additional nav data/" + f, dir_.str() + "/additional nav data/" + f);
        fs::copy_file(kProgram + kSquareRel, dir_.str() + "/" + kSquareRel);
        lw_defaults();
        read_terrain();
        lw_read_databases();
        lmsc.apt_index = 0;
        lmsc.rwy_index = apt_lo_ind[0];
        MACIBM_startwind(0);
        run_passes(1);
    }
    void TearDown() override
    {
        gdone = 0;
        ScreenTest::TearDown();
    }

    static void click_at(float x, float y) { push_click(mnw.x + x, mnw.y + y); }
    static void answer_save() { click_at(70, 52); }
    static void answer_dont_save() { click_at(70, 22); }
    static void answer_cancel() { click_at(230, 22); }

    static void click(float x, float y)
    {
        push_click(x, y);
        run_passes(1);
    }
    // A press at the first point, the mouse dragged through the others with a pass at each, and the
    // release at the last.
    static void drag(const std::vector<std::pair<float, float>>& path)
    {
        for (size_t k = 0; k < path.size(); k++) {
            int px, py;
            logical_to_pixel(path[k].first, path[k].second, &px, &py);
            PLT_push_event(PLT_event{PLT_EV_MOUSEMOVE, 0, px, py, 0});
            if (k == 0) PLT_push_event(PLT_event{PLT_EV_BUTTONDOWN, 0, px, py, 1});
            if (k + 1 == path.size()) PLT_push_event(PLT_event{PLT_EV_BUTTONUP, 0, px, py, 1});
            run_passes(1);
        }
    }
    // The screen middle of cell (i, j).
    static void cell_middle(int i, int j, float* x, float* y)
    {
        *x = (ret_x(pt_lon(i, j)) + ret_x(pt_lon(i + 1, j)) + ret_x(pt_lon(i, j + 1)) + ret_x(pt_lon(i + 1, j + 1))) / 4;
        *y = (ret_y(pt_lat(i, j)) + ret_y(pt_lat(i + 1, j)) + ret_y(pt_lat(i, j + 1)) + ret_y(pt_lat(i + 1, j + 1))) / 4;
    }

    TempDir dir_;
};

TEST_F(LandScreen, TerrainScreenDrawsWaterAndLandCellsAndThePickedPoint)
{
    push_move(100, 100);
    Frame f = capture_pass();
    write_png(picture_path("landwright_terrain.png"), f);
    int water = 0, land = 0;
    for (int i = 2; i < ENV_COLS - 2; i += 5) {
        for (int j = 2; j < ENV_ROWS - 2; j += 5) {
            float x, y;
            cell_middle(i, j, &x, &y);
            const bool blue = pixel_is(f, x, y, 0.2f, 0.2f, 1.0f) || pixel_is(f, x, y, 0.1f, 0.1f, 0.5f);
            if (lw_cell_water(i, j)) {
                EXPECT_TRUE(blue) << "water cell " << i << "," << j;
                // The two shades alternate like a chess board.
                EXPECT_TRUE(pixel_is(f, x, y, (i + j) % 2 ? 0.1f : 0.2f, (i + j) % 2 ? 0.1f : 0.2f,
                                     (i + j) % 2 ? 0.5f : 1.0f))
                    << i << "," << j;
                water++;
            } else {
                EXPECT_FALSE(blue) << "land cell " << i << "," << j;
                land++;
            }
        }
    }
    EXPECT_GT(water, 5) << "the sample square has sea";
    EXPECT_GT(land, 5) << "and land";
    // Nothing of the map outside its area.
    EXPECT_FALSE(pixel_is(f, 100, 300, 0.2f, 0.2f, 1.0f));

    // Elevation mode frames the picked point in red.
    choose_scripted(3, 7);   // Advance Edit: mode 1
    ASSERT_EQ(lmsc.map_mode, 1);
    Frame g = capture_pass();
    const float px = ret_x(pt_lon(29, 39)), py = ret_y(pt_lat(29, 39));
    EXPECT_GT(count_color(g, px - 4, py - 4, px + 4, py + 4, 8), 8);
    EXPECT_EQ(count_color(f, px - 4, py - 4, px + 4, py + 4, 8), 0);
}

TEST_F(LandScreen, TerrainClicksToggleWaterPickPointsAndZoom)
{
    // Water mode by the mode buttons (third from the top).
    click(15, 460 - 36 + 5);
    ASSERT_EQ(lmsc.map_mode, 2);
    float x, y;
    cell_middle(30, 40, &x, &y);
    const int was = lw_cell_water(30, 40);
    lmsc.map_dirty = 0;
    click(x, y);
    EXPECT_EQ(lw_cell_water(30, 40), !was);
    EXPECT_EQ(lmsc.map_dirty, 1);
    Frame f = capture_pass();
    const bool blue = pixel_is(f, x, y, 0.2f, 0.2f, 1.0f) || pixel_is(f, x, y, 0.1f, 0.1f, 0.5f);
    EXPECT_EQ(blue, !was);

    // Elevation mode: pick the point nearest the click and raise it by its feet field.
    click(15, 460 - 18 + 5);
    ASSERT_EQ(lmsc.map_mode, 1);
    const float qx = ret_x(pt_lon(20, 50)), qy = ret_y(pt_lat(20, 50));
    click(qx + 1, qy);
    EXPECT_EQ(lmsc.map_i_elev, 20);
    EXPECT_EQ(lmsc.map_j_elev, 50);
    const float before = pt_h(20, 50);
    click(10 + 10 * 2 + 5, 330 + 15);   // the hundreds place of five: +100 ft
    EXPECT_NEAR(pt_h(20, 50), (std::round(before / 0.3048f) + 100) * 0.3048f, 0.01f);

    // The zoom-in button, which Edit > Terrain double-clicked leaves alone.
    double_click_menu_item(2, 0);
    EXPECT_EQ(lmsc.map_zoom, 1.0f);
    click(131, 569);
    EXPECT_NEAR(lmsc.map_zoom, 1.2f, 1e-6f);
}

TEST_F(LandScreen, DraggingInModeZeroMovesOnlyInteriorPoints)
{
    ASSERT_EQ(lmsc.map_mode, 0);
    static env_square before;
    before = lw_sq;
    // A click at the map's corner drags the nearest interior point there, never a border point.
    click(MAP_X1 + 1, MAP_Y1 + 1);
    EXPECT_NEAR(pt_lon(1, 1), ret_lon(MAP_X1 + 1), 1e-4f);
    EXPECT_NEAR(pt_lat(1, 1), ret_lat(MAP_Y1 + 1), 1e-4f);
    for (int i = 0; i < ENV_COLS; i++) {
        EXPECT_EQ(before.lat[0][i], lw_sq.lat[0][i]);
        EXPECT_EQ(before.lat[ENV_ROWS - 1][i], lw_sq.lat[ENV_ROWS - 1][i]);
    }
    for (int j = 0; j < ENV_ROWS; j++) {
        EXPECT_EQ(before.lon[j][0], lw_sq.lon[j][0]);
        EXPECT_EQ(before.lon[j][ENV_COLS - 1], lw_sq.lon[j][ENV_COLS - 1]);
    }
}

TEST_F(LandScreen, DraggingCarriesThePressedPointAndTheSelectedObstacle)
{
    // Mode 0: the point nearest the press follows the mouse, however near it passes to others.
    const float x0 = ret_x(pt_lon(30, 40)), y0 = ret_y(pt_lat(30, 40));
    const float other_lat = pt_lat(31, 40), other_lon = pt_lon(31, 40);
    const float x1 = ret_x(pt_lon(32, 41)), y1 = ret_y(pt_lat(32, 41)) + 3;
    drag({{x0, y0}, {x0 + 10, y0 + 1}, {x0 + 20, y0 + 2}, {x1, y1}});
    // Within the pixel the mouse lands on.
    EXPECT_NEAR(pt_lon(30, 40), ret_lon(x1), 2e-3f);
    EXPECT_NEAR(pt_lat(30, 40), ret_lat(y1), 2e-3f);
    EXPECT_EQ(pt_lat(31, 40), other_lat);
    EXPECT_EQ(pt_lon(31, 40), other_lon);
    // A drag that starts beside the map moves nothing.
    static env_square before;
    before = lw_sq;
    drag({{100, 300}, {300, 300}, {400, 300}});
    EXPECT_EQ(0, std::memcmp(before.lat, lw_sq.lat, sizeof before.lat));
    EXPECT_EQ(0, std::memcmp(before.lon, lw_sq.lon, sizeof before.lon));

    // Obstacle drag mode: the selected obstacle goes where the mouse is let go.
    choose_scripted(2, 1);
    lmsc.obj_mode = 3;
    click(400, 200);
    const int k = lmsc.obj_index;
    ASSERT_GE(k, 0);
    lmsc.obj_mode = OBJ_MODE_DRAG;
    drag({{400, 200}, {450, 250}, {480, 260}});
    EXPECT_NEAR(lw_sq.obj[k].lat, ret_lat(260), 1e-4f);
    EXPECT_NEAR(lw_sq.obj[k].lon, ret_lon(480), 1e-4f);
    // Special > Zoom In, whose item lies over the map, held down: the press is the menu's, not a drag.
    const float lat = lw_sq.obj[k].lat, lon = lw_sq.obj[k].lon;
    choose_scripted(3, 4, {}, true);
    release_unseen();
    run_passes(1);
    EXPECT_TRUE(lw_sq.obj[k].lat == lat && lw_sq.obj[k].lon == lon) << lw_sq.obj[k].lat << " " << lw_sq.obj[k].lon;
}

TEST_F(LandScreen, TextureModeDrawsTheTerrainPictures)
{
    choose_scripted(3, 8);   // Texture Mode
    ASSERT_EQ(lmsc.draw_tex, 1);
    Frame f = capture_pass();
    write_png(picture_path("landwright_textured.png"), f);
    int checked = 0;
    for (int i = 2; i < ENV_COLS - 2; i += 7) {
        for (int j = 2; j < ENV_ROWS - 2; j += 7) {
            float x, y;
            cell_middle(i, j, &x, &y);
            const uint8_t* p = f.at(x, y);
            // Not the flat colours of the plain map.
            EXPECT_FALSE(pixel_is(f, x, y, 0.2f, 0.2f, 1.0f) || pixel_is(f, x, y, 0.1f, 0.1f, 0.5f));
            if (lw_cell_water(i, j) && planetex[i][j] == 50) {
                // Open water shows the water picture, not the grey of a missing one.
                EXPECT_GT(p[2], p[0] + 10) << i << "," << j;
                checked++;
            }
        }
    }
    EXPECT_GT(checked, 0);
}

TEST_F(LandScreen, ObstacleScreenAddsSelectsDragsAndDeletesByClicks)
{
    choose_scripted(2, 1);
    ASSERT_EQ(lmsc.edit_mode, LW_OBSTACLES);
    click(15, 560 - 48 + 5);   // add type 2
    ASSERT_EQ(lmsc.obj_mode, 2);
    click(500, 300);
    const int k = lmsc.obj_index;
    ASSERT_GE(k, 0);
    EXPECT_EQ(lw_sq.obj[k].type, 2);
    EXPECT_NEAR(lw_sq.obj[k].lat, ret_lat(300), 1e-4f);
    EXPECT_NEAR(lw_sq.obj[k].lon, ret_lon(500), 1e-4f);
    push_move(700, 100);
    Frame f = capture_pass();
    write_png(picture_path("landwright_obstacles.png"), f);
    EXPECT_GT(count_color(f, 497, 297, 503, 303, 44), 6) << "the selected obstacle's glyph";
    // Its height field in the panel.
    EXPECT_GT(count_color(f, 10, 306, 60, 318, 47), 4);

    // Drag mode moves it with the mouse.
    click(15, 560 - 16 + 5);
    ASSERT_EQ(lmsc.obj_mode, OBJ_MODE_DRAG);
    click(501, 301);
    EXPECT_EQ(lmsc.obj_index, k);
    // Delete mode removes the nearest.
    click(15, 560 + 5);
    ASSERT_EQ(lmsc.obj_mode, OBJ_MODE_DELETE);
    click(502, 302);
    EXPECT_EQ(lw_sq.obj[k].type, 0);
    Frame g = capture_pass();
    EXPECT_EQ(count_color(g, 497, 297, 503, 303, 44), 0);
}

TEST_F(LandScreen, AirportScreenListsRunwaysAndTheirButtonsEditTheTables)
{
    choose_scripted(2, 2);
    ASSERT_EQ(lmsc.edit_mode, LW_AIRPORTS);
    Frame f = capture_pass();
    write_png(picture_path("landwright_airports.png"), f);
    ASSERT_EQ(lw_rwy_count(0), 4);
    const int rows_before = count_color(f, 16, 178, 79, 296, 47) + count_color(f, 16, 178, 79, 296, 44);
    EXPECT_GT(count_color(f, 16, 280, 79, 296, 44), 10) << "the selected runway, first row";
    EXPECT_GT(count_color(f, 380, 450, 620, 570, 47), 50) << "the airport list";
    // Delete runway: one fewer row.
    lmsc.apt_dirty = 0;
    click(200, 248);
    EXPECT_EQ(lw_rwy_count(0), 3);
    EXPECT_EQ(lmsc.apt_dirty, 1);
    Frame g = capture_pass();
    const int rows_after = count_color(g, 16, 178, 79, 296, 47) + count_color(g, 16, 178, 79, 296, 44);
    EXPECT_LT(rows_after, rows_before);
    EXPECT_GT(rows_after, rows_before / 2);
    // Add airport: after the first, with one runway.
    const int napt = apt_wrl_max;
    click(500, 360);
    EXPECT_EQ(apt_wrl_max, napt + 1);
    EXPECT_EQ(lmsc.apt_index, 1);
    EXPECT_STREQ(apt_name[1], "Untitled");
    EXPECT_EQ(lw_rwy_count(1), 1);
    // Its runway fields: the number field steps by click.
    const int r = lmsc.rwy_index;
    const int num = rwy_num[r];
    click(420 + 15, 210 + 15);
    EXPECT_EQ(rwy_num[r], num + 1);
    // The surface choice packs into the lights code.
    const int lite = rwy_lite[r];
    click(480 + 60 + 5, 40 + 10);
    EXPECT_NE(rwy_lite[r], lite);
    EXPECT_EQ(rwy_lite[r] % 1000000, lite % 1000000) << "the ends' lights stay";
}

TEST_F(LandScreen, NavaidScreenListsATypeAndAddsAndDeletes)
{
    choose_scripted(2, 3);
    ASSERT_EQ(lmsc.edit_mode, LW_NAVAIDS);
    click(15 + 5, 565);   // NDB
    ASSERT_EQ(lmsc.nav_show_type, 2);
    ASSERT_EQ(nav_type[lmsc.nav_index], 2);
    Frame f = capture_pass();
    write_png(picture_path("landwright_navaids.png"), f);
    EXPECT_GT(count_color(f, 380, 420, 620, 550, 47), 50) << "the list";
    EXPECT_GT(count_color(f, 15, 440, 90, 470, 47), 10) << "the latitude field";
    const int n = nav_wrl_max;
    int lo, hi;
    ASSERT_TRUE(lw_nav_range(2, &lo, &hi));
    click(500, 360);   // add
    EXPECT_EQ(nav_wrl_max, n + 1);
    EXPECT_EQ(lmsc.nav_index, hi + 1);
    EXPECT_EQ(nav_type[hi + 1], 2);
    EXPECT_EQ(lmsc.nav_dirty, 1);
    click(500, 385);   // delete it again
    EXPECT_EQ(nav_wrl_max, n);
    EXPECT_NE(std::string(nav_name[hi + 1]), "Untitled");
}

TEST_F(LandScreen, QuitWithChangesCancelledKeepsRunningAndWritesNoPreferences)
{
    lmsc.map_dirty = 1;
    choose_scripted(1, 4, {release_unseen, answer_cancel}, true);   // Quit, the item held down
    EXPECT_EQ(gdone, 0);
    EXPECT_FALSE(fs::exists(prf_path));
    // Don't Save: the square is not written, the preferences are.
    const std::string square = dir_.str() + "/" + kSquareRel;
    const std::string before = read_file(square);
    pt_h(10, 10) = 77.0f;
    choose_scripted(1, 4, {answer_dont_save});
    EXPECT_EQ(gdone, 1);
    EXPECT_TRUE(fs::exists(prf_path));
    EXPECT_EQ(read_file(square), before);
}

TEST_F(LandScreen, QuitSavesEachChangedKindInTurn)
{
    lmsc.map_dirty = lmsc.apt_dirty = lmsc.nav_dirty = 1;
    pt_h(10, 10) = 77.0f;
    apt_twr[0] = !apt_twr[0];
    choose_scripted(1, 4, {answer_save, answer_dont_save, answer_save});
    EXPECT_EQ(gdone, 1);
    static env_square back;
    ASSERT_EQ(env_read_square((dir_.str() + "/" + kSquareRel).c_str(), 33, -119, 0, &back), ENV_READ_OK);
    EXPECT_FLOAT_EQ(back.h[10][10], 77.0f);
    EXPECT_EQ(lmsc.apt_dirty, 1) << "Don't Save";
    EXPECT_EQ(lmsc.nav_dirty, 0);
    EXPECT_EQ(read_file(dir_.str() + "/additional nav data/apt.dat"),
              read_file(kProgram + "additional nav data/apt.dat"));
}

TEST_F(LandScreen, ChangingTheSquareAsksToSaveThenReadsTheNewSquare)
{
    lmsc.map_dirty = 1;
    pt_h(10, 10) = 55.0f;
    start_script({answer_save});
    click(50 + 20 + 5, 540 + 15);   // longitude's last place: -119 -> -118
    EXPECT_EQ(stop_script(), 1u);
    EXPECT_EQ(lmsc.map_lonfile, -118.0f);
    EXPECT_EQ(lmsc.map_dirty, 0);
    static env_square back;
    ASSERT_EQ(env_read_square((dir_.str() + "/" + kSquareRel).c_str(), 33, -119, 0, &back), ENV_READ_OK);
    EXPECT_FLOAT_EQ(back.h[10][10], 55.0f);
    // The new square has no file here: flat water at its own corner.
    EXPECT_NEAR(pt_lon(0, 0), -118.0f, 1e-5f);
    EXPECT_EQ(pt_h(10, 10), 0.0f);
}

TEST_F(LandScreen, KeysZoomPanAdvanceTheModeAndToggleTextures)
{
    const struct {
        int vkey;
        const char* what;
    } keys[] = {{107, "numpad +"}, {'M', "m"}, {' ', "space"}, {38, "up"}, {39, "right"}, {109, "numpad -"}};
    push_key(keys[0].vkey);
    run_passes(1);
    EXPECT_NEAR(lmsc.map_zoom, 1.2f, 1e-6f) << keys[0].what;
    push_key(keys[1].vkey);
    run_passes(1);
    EXPECT_EQ(lmsc.map_mode, 1) << keys[1].what;
    push_key(keys[2].vkey);
    run_passes(1);
    EXPECT_EQ(lmsc.draw_tex, 1) << keys[2].what;
    const float lat = lmsc.map_os_lat, lon = lmsc.map_os_lon;
    push_key(keys[3].vkey);
    run_passes(1);
    EXPECT_NEAR(lmsc.map_os_lat, lat + 0.1f / 1.2f, 1e-6f) << keys[3].what;
    push_key(keys[4].vkey);
    run_passes(1);
    EXPECT_NEAR(lmsc.map_os_lon, lon + 0.1f / 1.2f, 1e-6f) << keys[4].what;
    // Zooming back to 1 puts the map back whole.
    push_key(keys[5].vkey);
    run_passes(1);
    EXPECT_EQ(lmsc.map_zoom, 1.0f);
    EXPECT_EQ(lmsc.map_os_lat, 0.0f) << keys[5].what;
    EXPECT_EQ(lmsc.map_os_lon, 0.0f);
    // In the obstacle screen the mode key cycles delete, drag, select.
    choose_scripted(2, 1);
    lmsc.obj_mode = 4;
    const int cycle[4] = {OBJ_MODE_DRAG, OBJ_MODE_SELECT, OBJ_MODE_DELETE, OBJ_MODE_DRAG};
    for (int want : cycle) {
        push_key('M');
        run_passes(1);
        EXPECT_EQ(lmsc.obj_mode, want);
    }
}

TEST_F(LandScreen, TextureSlotTakesAPictureFromTheDialogAndPaintsCells)
{
    // The custom terrain textures folder holds one picture.
    const std::string folder = dir_.str() + "/custom terrain textures/";
    fs::create_directories(folder);
    {
        std::FILE* f = std::fopen((folder + "rocks.bmp").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        const std::string bytes = bmp_bytes(8, 8, 200, 40, 40);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    std::snprintf(cus_path, STR_LEN, "%s", folder.c_str());
    click(15, 460 - 72 + 5);   // paint mode
    ASSERT_EQ(lmsc.map_mode, 4);
    click(20, 293);            // the first slot, below "Kestrova Defaults"
    ASSERT_EQ(lmsc.map_texset, 1);
    // The file button runs the dialog; pick the picture.
    start_script({[] {
        for (int i = 0; i < g_num_items; i++) {
            const std::string p = g_path[i];
            if (p.substr(p.rfind('/') + 1) == "rocks.bmp") {
                click_at(150, 433 - 10.0f * static_cast<float>(i - g_item_top));
                return;
            }
        }
        ADD_FAILURE() << "rocks.bmp is not listed";
    }});
    click(20, 203);
    EXPECT_EQ(stop_script(), 1u);
    EXPECT_STREQ(lw_sq.tex[0], "rocks");
    EXPECT_EQ(lmsc.map_dirty, 1);
    // A click on a cell paints it with texture 2000, and texture mode shows the picture's red.
    float x, y;
    cell_middle(25, 25, &x, &y);
    click(x, y);
    EXPECT_EQ(lw_cell_tex(25, 25), 2000);
    push_key(' ');
    run_passes(1);
    ASSERT_EQ(lmsc.draw_tex, 1);
    push_move(100, 100);
    Frame f = capture_pass();
    EXPECT_TRUE(pixel_is(f, x, y, 200 / 255.0f, 40 / 255.0f, 40 / 255.0f, 6));
    // Choosing "Kestrova Defaults" paints the standard texture back.
    click(20, 303);
    ASSERT_EQ(lmsc.map_texset, 0);
    click(x, y);
    EXPECT_EQ(lw_cell_tex(25, 25), 0);
}

TEST_F(LandScreen, NavaidTypeButtonsRunInTheirOrder)
{
    choose_scripted(2, 3);
    const int order[8] = {2, 3, 4, 6, 5, 7, 8, 9};
    for (int k = 0; k < 8; k++) {
        click(15 + 45.0f * static_cast<float>(k) + 5, 565);
        EXPECT_EQ(lmsc.nav_show_type, order[k]) << "button " << k;
        EXPECT_EQ(nav_type[lmsc.nav_index], order[k]) << "the list shows that type";
    }
}

TEST_F(LandScreen, ClosingTheWindowAsksAsQuitDoes)
{
    // With unsaved navaids: the question; Cancel keeps the editor running and writes nothing.
    lmsc.nav_dirty = 1;
    // The pass that takes the close request ends before the question opens.
    start_script({answer_cancel}, true);
    push_close();
    lw_pass();
    EXPECT_EQ(gdone, 0);
    EXPECT_EQ(lmsc.nav_dirty, 1);
    EXPECT_FALSE(fs::exists(prf_path));
    // Don't Save: the program ends once, with its preferences written.
    start_script({answer_dont_save}, true);
    push_close();
    lw_pass();
    EXPECT_EQ(stop_script(), 1u);
    EXPECT_EQ(gdone, 1);
    EXPECT_TRUE(fs::exists(prf_path));
    // The pass after the ending asks nothing more.
    lw_pass();
    EXPECT_EQ(gdone, 1);
}

TEST_F(LandScreen, TypingEditsTheSelectedAirportAndNavaidNames)
{
    choose_scripted(2, 2);
    lmsc.apt_index = 1;
    run_passes(1);
    const std::string name = apt_name[1];
    ASSERT_GE(name.size(), 4u);
    lmsc.apt_dirty = 0;
    push_key(8);   // Backspace
    push_key('X', true);
    push_key('2');
    run_passes(1);
    EXPECT_EQ(std::string(apt_name[1]), name.substr(0, name.size() - 1) + "X2");
    EXPECT_EQ(lmsc.apt_dirty, 1);
    EXPECT_EQ(lmsc.map_zoom, 1.0f) << "keys went to the name";
    // A name never grows past 39 characters.
    for (int k = 0; k < 50; k++) push_key('A', true);
    run_passes(1);
    EXPECT_EQ(std::strlen(apt_name[1]), 39u);
    ASSERT_TRUE(writeout(LW_SAVE_APT, 0));

    choose_scripted(2, 3);
    ASSERT_GE(nav_type[lmsc.nav_index], 2);
    const int v = lmsc.nav_index;
    const std::string nav = nav_name[v];
    push_key('Q', true);
    run_passes(1);
    EXPECT_EQ(std::string(nav_name[v]), nav + "Q");
    EXPECT_EQ(lmsc.nav_dirty, 1);
    ASSERT_TRUE(writeout(LW_SAVE_NAV, 0));
    // Both read back by the simulator's readers.
    open_aptnavfix_dat("apt.dat");
    read_apt_dat();
    EXPECT_EQ(std::string(apt_name[1]), name.substr(0, name.size() - 1) + "X2" + std::string(39 - name.size() - 1, 'A'));
    open_aptnavfix_dat("nav.dat");
    read_nav_dat();
    EXPECT_EQ(std::string(nav_name[v + 2]), nav + "Q") << "the simulator's navaids start at slot 2";
}

TEST(LandwrightPictures, TheTwelveTerrainPicturesAreInTheProgramFolder)
{
    ASSERT_STREQ(hl_prog.name, "Landwright");
    for (const char* name : {"wat", "grs", "mnt", "grs_wat_h", "grs_wat_c", "wat_grs_c", "grs_mnt_h", "grs_mnt_c",
                             "mnt_grs_c", "mnt_wat_h", "mnt_wat_c", "wat_mnt_c"}) {
        const fs::path p = kProgram + "textures/" + name + BITMAP_EXTENSION;
        EXPECT_TRUE(fs::is_regular_file(p)) << p;
    }
}

}  // namespace
