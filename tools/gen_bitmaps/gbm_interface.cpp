// gbm_interface.cpp -- interface pictures: the font sheet, the mouse pointer, the compass card, the
// start-up screen and the simulator's window backgrounds.
#include "gbm_local.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

const GbmColor kPanelTop = {52, 57, 66}, kPanelBottom = {36, 40, 48};
const GbmColor kPanelLine = {72, 78, 90}, kPanelLabel = {104, 112, 128}, kPanelText = {176, 184, 196};

const std::vector<GbmWindowDef> g_windows = {
    {1, "loc_id_", 176, 440, "Airport by ID"},
    {2, "loc_nam", 334, 200, "Airport by Name"},
    {3, "loc_nrt", 71, 494, "Enroute"},
    {4, "loc_wrl", 788, 443, "World"},
    {5, "loc_lat", 246, 165, "Set Lat/Lon"},
    {6, "loc_whr", 531, 121, "Where Am I?"},
    {7, "set_dat", 620, 400, "Set Data Output"},
    {8, "set_ser", 600, 478, "Set Serial Output"},
    {9, "set_tim", 691, 147, "Set Time Of Day"},
    {10, "set_ogl", 600, 540, "Set Rendering Options"},
    {11, "set_spa", 197, 84, "Set Weather Space"},
    {12, "set_atm", 618, 527, "Set Weather Atmosphere"},
    {13, "set_gnd", 197, 148, "Set Weather Ground"},
    {14, "set_wat", 197, 271, "Set Weather Water"},
    {15, "set_flt", 787, 519, "Set Joystick & Flight Mode"},
    {16, "set_wgt", 436, 252, "Set Weights & Fuel"},
    {17, "set_rel", 344, 345, "Set Reliability"},
    {18, "set_ins", 350, 520, "Set Reliability"},
    {19, "set_eqp", 682, 560, "Set Reliability"},
    {20, "set_snd", 293, 250, "Set Sound"},
    {21, "set_wrn", 550, 172, "Set Warnings"},
    {22, "out_grf", 620, 420, "Graphics Output"},
    {24, "out_plt", 432, 494, "Airport Chart"},
    {25, "fltplan", 589, 415, "Flight Plan"},
};

void upper(char* dst, size_t n, const char* src)
{
    size_t i = 0;
    for (; src[i] && i + 1 < n; i++) dst[i] = (src[i] >= 'a' && src[i] <= 'z') ? static_cast<char>(src[i] - 32) : src[i];
    dst[i] = 0;
}

// A calm panel: a dark vertical gradient with a fine grain and an inset line.
void panel(GbmImage& img)
{
    for (int y = 0; y < img.h; y++) {
        float k = img.h > 1 ? static_cast<float>(y) / (img.h - 1) : 0.0f;
        GbmColor row = gbm_mix(kPanelBottom, kPanelTop, k);
        for (int x = 0; x < img.w; x++) {
            float g = static_cast<float>(gbm_hash(static_cast<uint32_t>(x), static_cast<uint32_t>(y), 401) >> 24) / 255.0f;
            gbm_set(img, x, y, gbm_scale(row, 0.97f + 0.06f * g));
        }
    }
    gbm_frame_rect(img, 2, 2, img.w - 2, img.h - 2, kPanelLine);
}

void label_bottom_right(GbmImage& img, const char* title)
{
    char buf[64];
    upper(buf, sizeof buf, title);
    int w = gbm_text_width(buf, 1);
    gbm_text(img, img.w - 6 - w, 6, buf, 1, kPanelLabel);
}

void centred_text(GbmImage& img, int cx, int y, const char* s, int scale, GbmColor c)
{
    gbm_text(img, cx - gbm_text_width(s, scale) / 2, y, s, scale, c);
}

void button(GbmImage& img, int x0, int y0, int x1, int y1, const char* text)
{
    gbm_fill_rect(img, x0, y0, x1, y1, gbm_rgb(78, 84, 96));
    gbm_bevel(img, x0, y0, x1, y1, true);
    if (text) centred_text(img, (x0 + x1) / 2, (y0 + y1) / 2 - 3, text, 1, kPanelText);
}

void arrow_button(GbmImage& img, int x0, int y0, int x1, int y1, int dir)
{
    button(img, x0, y0, x1, y1, nullptr);
    float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f, r = 5.0f;
    std::vector<GbmPt> tri;
    switch (dir) {
    case 0: tri = {{cx - r, cy - r * 0.6f}, {cx + r, cy - r * 0.6f}, {cx, cy + r * 0.8f}}; break;  // up
    case 1: tri = {{cx - r, cy + r * 0.6f}, {cx, cy - r * 0.8f}, {cx + r, cy + r * 0.6f}}; break;  // down
    case 2: tri = {{cx + r * 0.6f, cy - r}, {cx + r * 0.6f, cy + r}, {cx - r * 0.8f, cy}}; break;  // left
    default: tri = {{cx - r * 0.6f, cy - r}, {cx + r * 0.8f, cy}, {cx - r * 0.6f, cy + r}}; break;
    }
    gbm_fill_poly(img, tri, kPanelText, 1.0f);
}

// The map windows' control strip, 71 wide, its left edge at x0: zoom, pan and centre buttons and
// the labels of the heading, altitude and speed fields.
void map_strip(GbmImage& img, int x0)
{
    gbm_fill_rect(img, x0, 0, x0 + 1, img.h, kPanelLine);
    button(img, x0 + 2, 211, x0 + 70, 230, "ZOOM IN");
    button(img, x0 + 2, 191, x0 + 70, 210, "ZOOM OUT");
    arrow_button(img, x0 + 27, 165, x0 + 47, 184, 0);
    arrow_button(img, x0 + 27, 128, x0 + 47, 147, 1);
    arrow_button(img, x0 + 9, 146, x0 + 28, 165, 2);
    arrow_button(img, x0 + 46, 146, x0 + 65, 165, 3);
    button(img, x0 + 2, 80, x0 + 70, 124, nullptr);
    centred_text(img, x0 + 36, 110, "CENTER", 1, kPanelText);
    centred_text(img, x0 + 36, 98, "ON", 1, kPanelText);
    centred_text(img, x0 + 36, 86, "PLANE", 1, kPanelText);
    centred_text(img, x0 + 36, 456, "HEADING", 1, kPanelLabel);
    centred_text(img, x0 + 36, 394, "ALTITUDE", 1, kPanelLabel);
    centred_text(img, x0 + 36, 332, "SPEED KT", 1, kPanelLabel);
}

// Coarse coastlines (longitude, latitude), enough to find one's way on the world map.
const std::vector<std::vector<GbmPt>>& coastlines()
{
    static const std::vector<std::vector<GbmPt>> land = {
        // North and Central America.
        {{-166, 68},   {-163, 66},   {-166, 62},   {-165, 60},   {-158, 57},   {-152, 59},  {-146, 60.5},
         {-140, 59.5}, {-136, 58},   {-131, 54},   {-127, 50},   {-124, 48},   {-124, 42},  {-122.5, 37.5},
         {-118, 34},   {-117, 32.5}, {-115, 30},   {-112, 27},   {-110, 23},   {-112, 29},  {-114.5, 31},
         {-109, 26},   {-105, 21},   {-105, 19.5}, {-100, 17},   {-95, 16},    {-92, 14.5}, {-88, 13.5},
         {-85.5, 11},  {-83.5, 9},   {-80, 7.5},   {-77.5, 8.5}, {-77, 9.5},   {-79.5, 9.5}, {-81.5, 9},
         {-83.5, 11},  {-83.5, 15},  {-88, 16},    {-88, 18.5},  {-87, 21.5},  {-90.5, 21}, {-91.5, 18.5},
         {-94, 18.2},  {-96, 19},    {-97.5, 22},  {-97.3, 27.5}, {-94, 29.5}, {-90, 29.2}, {-89, 30.3},
         {-85, 29.6},  {-83, 29},    {-82.7, 27.5}, {-80.5, 25.2}, {-80, 27},  {-81.3, 30.5}, {-79, 33.5},
         {-76, 35},    {-76.3, 37},  {-74, 40.5},  {-70, 41.5},  {-70.5, 43},  {-67, 44.8}, {-64, 45.5},
         {-61, 45.3},  {-64.5, 47},  {-65, 49},    {-60, 50},    {-57, 51.5},  {-56, 53.5}, {-61, 56},
         {-64.5, 60.3}, {-70, 59},   {-69.5, 61},  {-78, 62.3},  {-77, 60},    {-78.5, 58.5}, {-77, 56},
         {-79.5, 54.5}, {-79.5, 51.5}, {-82.5, 52.8}, {-87, 55.8}, {-92.5, 57}, {-94.5, 59}, {-94, 61},
         {-90.7, 63.5}, {-86, 66.3}, {-82, 66.2},  {-81.5, 68.5}, {-86, 69.5}, {-94, 68.5}, {-95, 71.9},
         {-105, 68.5}, {-115, 67.8}, {-125, 69.5}, {-135, 69},   {-141, 69.6}, {-150, 70.4}, {-156.5, 71.3},
         {-162, 70},   {-166, 68.8}},
        // Greenland, Baffin Island, Ellesmere Island, Iceland.
        {{-73, 78}, {-60, 82}, {-40, 83.5}, {-22, 82}, {-18, 77}, {-20, 72}, {-22, 70}, {-28, 68}, {-35, 65.5},
         {-41, 62}, {-44, 60}, {-48, 61}, {-52, 65}, {-54, 68}, {-55, 71}, {-58, 75}, {-66, 76.5}},
        {{-80, 73.5}, {-68, 70.5}, {-62, 66.5}, {-65, 62.5}, {-72, 63.5}, {-78, 65}, {-74, 68}, {-85, 70}, {-90, 73}},
        {{-90, 76.5}, {-80, 76}, {-75, 79}, {-62, 82}, {-75, 83}, {-90, 81}, {-95, 78}},
        {{-22.5, 64}, {-24, 65.5}, {-22, 66.4}, {-16, 66.5}, {-13.5, 65.3}, {-15, 64.3}, {-19, 63.4}},
        // Caribbean.
        {{-85, 21.8}, {-82, 23.2}, {-77.2, 22}, {-74.2, 20.2}, {-77.5, 19.8}, {-80, 21.7}, {-83, 21.9}},
        {{-74.4, 18.5}, {-72.8, 19.9}, {-69.9, 19.7}, {-68.3, 18.6}, {-71.2, 17.7}},
        // South America.
        {{-77.5, 8.5},  {-75, 11},    {-72, 12},    {-71.5, 10.5}, {-68, 10.5},  {-62, 10.7},  {-60, 8.5},
         {-57, 6},      {-52, 5},     {-50, 1.5},   {-48, -1},     {-44, -2.5},  {-40, -3},    {-35, -5.5},
         {-35, -9},     {-37, -12},   {-39, -16},   {-40, -20},    {-41, -22.5}, {-45, -23.5}, {-48.5, -26},
         {-48.7, -28.5}, {-52, -32},  {-53.5, -34}, {-57, -34.5},  {-58, -36.5}, {-57, -38.5}, {-62, -39},
         {-62.5, -41},  {-65, -42},   {-64.5, -45}, {-67.5, -46.5}, {-66, -48},  {-69, -51},   {-68.5, -53},
         {-66, -55},    {-70, -55.5}, {-74, -53},   {-75.5, -49},  {-74, -44},   {-73.5, -40}, {-73.5, -37},
         {-71.5, -33},  {-71.5, -28}, {-70.5, -23}, {-70, -18.5},  {-72, -17},   {-76, -14},   {-78, -10},
         {-79.5, -7.5}, {-81, -5.5},  {-80.5, -3},  {-80, -1},     {-80, 1},     {-78.5, 2.5}, {-77.5, 4},
         {-77.5, 7}},
        // Africa and Madagascar.
        {{-17, 21},   {-16.5, 24}, {-13, 27.5},  {-10, 29.5},  {-9.7, 31.5}, {-6.5, 34.5}, {-5.5, 36},
         {-2, 35.2},  {3, 36.8},   {10, 37.2},   {11, 35},     {10.5, 33.5}, {15, 32.3},   {19.5, 30.5},
         {20, 32},    {23, 32.7},  {29, 31},     {32.5, 31.2}, {34, 27.5},   {35.5, 24},   {37.5, 18.5},
         {39.5, 15.5}, {43, 12.7}, {44.5, 10.5}, {51, 11.8},   {51, 10.5},   {49.5, 6.5},  {46, 2},
         {42, -1},    {40, -3.5},  {39.5, -6.5}, {39.5, -10},  {40.5, -15},  {37, -18},    {35.3, -22},
         {32.8, -25.8}, {32.5, -28.5}, {30, -31.3}, {27.5, -33.5}, {22.5, -34}, {18.5, -34.2}, {18, -31},
         {15, -27},   {14.5, -22.5}, {11.8, -17}, {12, -13.5},  {13.5, -11},  {12, -5},     {9.5, -1},
         {9.5, 3.5},  {8.5, 4.5},  {6, 4.3},     {2, 6.3},     {-2, 4.8},    {-7.5, 4.4},  {-11.5, 6.9},
         {-13.5, 9.5}, {-15, 11},  {-16.8, 12.5}, {-17.5, 14.7}, {-16.5, 16.5}, {-16, 19}},
        {{49.3, -12}, {50.5, -15.5}, {49.5, -17}, {47, -25}, {45, -25.5}, {43.5, -22}, {44.3, -17}, {46.5, -15.5}},
        // Europe and Asia.
        {{-9.5, 37},  {-9, 39},     {-9.3, 43},   {-8, 43.7},   {-2, 43.4},   {-1.5, 46},   {-4.5, 48},
         {-1.5, 48.7}, {1.5, 50.5}, {4, 51.5},    {5, 53.3},    {8.5, 53.8},  {8.5, 55.5},  {8.2, 57},
         {10.5, 57.7}, {10.5, 56},  {12.5, 55.7}, {11, 54},     {14, 54},     {18.5, 54.5}, {21, 55.5},
         {21.5, 57.3}, {24, 57},    {24, 59.3},   {28, 59.5},   {22.5, 60},   {21.4, 63},   {25.5, 65},
         {22, 65.8},  {17.5, 62.5}, {19, 60},     {16.5, 57},   {14.5, 56},   {12.7, 56.2}, {11, 58.5},
         {10, 59},    {8, 58},      {5.5, 58.8},  {5, 61.8},    {7, 62.5},    {12, 65},     {14, 67.5},
         {17, 69},    {21, 70},     {26, 71},     {31, 70},     {33, 69},     {41, 67},     {41, 66},
         {34.5, 66},  {38, 64.5},   {44, 66},     {44, 68.3},   {53, 68.5},   {59, 68.8},   {68, 68.5},
         {69, 72.5},  {73, 72.8},   {72.5, 68.5}, {76, 72},     {81, 73.5},   {87, 74.8},   {100, 76.5},
         {104, 77.7}, {113, 76},    {113, 73.7},  {126, 73.5},  {131, 71},    {140, 72.5},  {150, 71.5},
         {160, 70},   {170, 70},    {180, 69},    {180, 65},    {178, 64.5},  {170, 60},    {163, 60},
         {162, 57.5}, {156.5, 51},  {156, 57},    {160, 61},    {154, 59.3},  {143, 59.3},  {137, 54.5},
         {141, 52},   {140.5, 48},  {135, 43.5},  {131, 42.5},  {129.5, 40.5}, {129.5, 36}, {126.5, 34.5},
         {126.5, 37.5}, {125, 39.5}, {121.5, 39}, {121.5, 40.8}, {118, 39},   {119, 37.2},  {122.5, 37},
         {119.5, 34.5}, {121.8, 31}, {121.5, 28}, {119, 25},    {114, 22.3},  {110, 21},    {108.5, 21.5},
         {106.5, 20}, {106, 18},    {109, 15},    {109, 11.5},  {105, 8.6},   {103, 10.5},  {100.5, 13.5},
         {99.5, 10.5}, {101, 6.8},  {103.5, 4},   {103.5, 1.5}, {101, 2.8},   {98.5, 8},    {98, 16},
         {97, 16.7},  {94.5, 16},   {94, 18.5},   {92, 21},     {90, 22},     {87, 21.5},   {86.5, 20},
         {84, 18},    {80.2, 15.5}, {80, 10},     {77.5, 8},    {76, 10},     {73.5, 16},   {72.7, 21},
         {70, 22.5},  {68.5, 23.5}, {66.5, 25.4}, {61.5, 25.2}, {57.5, 25.8}, {56.5, 27},   {52, 27.5},
         {50, 30},    {48, 30},     {50, 27},     {51.5, 24.2}, {54.5, 24.2}, {56.3, 26.3}, {56.5, 24.5},
         {59.8, 22.5}, {58.5, 20.5}, {55.5, 17.5}, {52, 16},    {45, 13},     {43.3, 12.7}, {42.7, 15.5},
         {40, 20},    {38.5, 23},   {35, 28},     {34.5, 29.5}, {32.5, 31.2}, {34.8, 32.5}, {35.5, 35},
         {36, 36.8},  {32.5, 36.2}, {30, 36.2},   {27.5, 37},   {26.5, 39.5}, {29, 41.2},   {31.5, 41.2},
         {36, 41.7},  {41.5, 41.5}, {41.7, 42.5}, {39, 44.5},   {36.5, 45.3}, {38, 47},     {35, 46.5},
         {33.5, 44.5}, {32.5, 45.5}, {30.5, 46.5}, {29.7, 45.2}, {28.6, 44},  {28, 42},     {26, 40.7},
         {24, 40.8},  {22.8, 40.5}, {24, 38},     {22.5, 36.5}, {21.2, 37.8}, {19.5, 40.5}, {19.3, 42},
         {16, 43.5},  {13.5, 45.5}, {12.3, 44.8}, {14, 42},     {16, 41},     {18.5, 40.2}, {16, 38},
         {15.6, 38.2}, {16, 39.5},  {15.5, 40},   {12.5, 41.5}, {10.5, 43},   {8.7, 44.4},  {6.5, 43.1},
         {3.2, 43.2}, {3.2, 41.8},  {0.5, 40.5},  {-0.5, 38.7}, {-2, 36.8},   {-5.3, 36.1}, {-6.3, 36.8},
         {-7.5, 37.2}},
        // British Isles, Japan, Arctic islands.
        {{-5.7, 50}, {1.5, 51.2}, {1.7, 52.7}, {0, 53.5}, {-1.5, 55}, {-2, 56}, {-3.2, 58.6}, {-5, 58.6},
         {-6.2, 57.5}, {-5.5, 55.5}, {-3, 54.8}, {-3, 53.4}, {-4.6, 52.8}, {-5.2, 51.7}, {-3.2, 51.3}},
        {{-6, 52.2}, {-6, 54}, {-7.5, 55.2}, {-10, 54.2}, {-10, 51.6}, {-8, 51.7}},
        {{130, 31.5}, {131.5, 31.5}, {132, 33.7}, {135, 33.5}, {137, 34.5}, {140, 35}, {141, 38.5}, {142, 40},
         {141.5, 41.5}, {140, 40.5}, {139.8, 38.5}, {137, 37}, {136, 35.8}, {133, 35.5}, {131, 34.3}},
        {{140, 41.5}, {141.5, 42.5}, {145.5, 43.3}, {144.5, 44}, {142, 45.5}, {141.5, 43.5}, {140, 42.5}},
        {{52, 71.5}, {55, 73}, {57.5, 75.5}, {63, 76.5}, {68.5, 76.8}, {60, 74.5}, {57, 72.5}, {55.5, 70.7}},
        {{11, 78.5}, {16, 80}, {22, 80.5}, {27, 80}, {21, 78.2}, {16, 76.5}, {13, 77.5}},
        // South-east Asia and Oceania.
        {{120, 16}, {120.6, 18.5}, {122.2, 18.5}, {122, 16}, {124, 13.5}, {121.5, 13.8}, {120.6, 14.3}},
        {{122, 7}, {124, 9}, {126, 9.5}, {126.5, 7}, {125.5, 5.8}, {124, 6.5}},
        {{109, 1.5}, {110, -2.5}, {114.5, -4}, {116.5, -3}, {118, 1}, {119, 5}, {117, 7}, {115.5, 5.2}, {113, 3.2}, {111, 1.8}},
        {{95.3, 5.6}, {98, 4}, {100.5, 1}, {104, -1.5}, {106, -5.8}, {104.5, -5.8}, {101.5, -3}, {98.7, 0}, {96, 3}},
        {{105.2, -6.8}, {108, -6.2}, {111, -6.5}, {114.5, -7.7}, {114.4, -8.7}, {110, -8.2}, {106, -7.5}},
        {{119.5, -5.5}, {120.5, -2}, {120, 0.8}, {123, 1}, {124.5, 0.5}, {121.5, -1}, {123.3, -4.5}, {121, -4}, {120.4, -5.6}},
        {{131, -1}, {135, -3.3}, {138, -1.6}, {141, -2.6}, {145.7, -5}, {147.5, -6.2}, {150.5, -10.5}, {147, -10},
         {143.5, -9}, {141, -9.1}, {138, -8.3}, {137.5, -5}, {134, -4}, {132, -2.8}},
        {{113.5, -22}, {114, -26.5}, {115, -30},  {115, -34},   {118, -35},   {123.5, -34}, {126, -32.3},
         {131, -31.5}, {134, -32.5}, {137.5, -35.5}, {138, -33}, {140, -37.5}, {144, -38.3}, {146.5, -39},
         {150, -37.5}, {151.5, -33}, {153.5, -28}, {153, -25},  {150.8, -22.5}, {146, -19},  {145.5, -15},
         {143.5, -14}, {142.5, -10.7}, {141.5, -13}, {141.5, -17}, {139.5, -17.5}, {136, -15.5}, {137, -12},
         {132.5, -11.5}, {130, -13}, {129.5, -15}, {126.5, -14}, {124, -16.3}, {122.2, -17.5}, {121, -19.5},
         {117, -20.7}},
        {{144.6, -40.7}, {148.3, -40.9}, {148, -43.2}, {146, -43.6}},
        {{172.7, -34.4}, {174.5, -36}, {176, -37.7}, {178.5, -37.7}, {177, -39.3}, {176, -41.5}, {174.7, -41.3},
         {175, -39.8}, {173.8, -39.2}, {174.6, -37}},
        {{172.7, -40.5}, {174.3, -41.7}, {173, -43.5}, {171, -44.8}, {169, -46.6}, {166.5, -46}, {168.3, -44},
         {171.5, -41.7}},
    };
    return land;
}

// The world window: longitude -180..180 over x 0..788 and latitude -60..80 over y 50..443.
void world_map(GbmImage& img)
{
    panel(img);
    auto px = [&](float lon) { return (lon + 180.0f) / 360.0f * img.w; };
    auto py = [&](float lat) { return 50.0f + (lat + 60.0f) / 140.0f * (img.h - 50); };
    gbm_fill_rect(img, 0, 50, img.w, img.h, gbm_rgb(24, 44, 74));
    for (const std::vector<GbmPt>& poly : coastlines()) {
        std::vector<GbmPt> p;
        for (const GbmPt& q : poly) p.push_back({px(q.x), py(q.y)});
        gbm_fill_poly(img, p, gbm_rgb(76, 98, 64), 1.0f);
        p.push_back(p.front());
        gbm_stroke(img, p, 1.0f, gbm_rgb(118, 140, 96), 0.8f);
    }
    for (int lon = -150; lon <= 150; lon += 30) {
        int x = static_cast<int>(px(static_cast<float>(lon)));
        gbm_blend_rect(img, x, 50, x + 1, img.h, gbm_rgb(110, 140, 180), lon == 0 ? 0.5f : 0.25f);
        char t[8];
        std::snprintf(t, sizeof t, "%d%s", lon < 0 ? -lon : lon, lon < 0 ? "W" : (lon > 0 ? "E" : ""));
        centred_text(img, x, 38, t, 1, kPanelLabel);
    }
    for (int lat = -40; lat <= 60; lat += 20) {
        int y = static_cast<int>(py(static_cast<float>(lat)));
        gbm_blend_rect(img, 0, y, img.w, y + 1, gbm_rgb(110, 140, 180), lat == 0 ? 0.5f : 0.25f);
        char t[8];
        std::snprintf(t, sizeof t, "%d%s", lat < 0 ? -lat : lat, lat < 0 ? "S" : (lat > 0 ? "N" : ""));
        gbm_text(img, 4, y + 3, t, 1, gbm_rgb(150, 170, 196));
    }
    gbm_fill_rect(img, 0, 49, img.w, 50, kPanelLine);
    gbm_text(img, 8, 16, "CLICK ON THE MAP TO FLY FROM THERE", 1, kPanelLabel);
    label_bottom_right(img, "World");
}

// The airport chart window: the plan view's frame; below it the approach profile's box and, to
// its right, the field elevation's box over the runway diagram's box (both light, for the black
// drawing the chart puts in them); the control strip with the profile's two arrows.
void chart(GbmImage& img)
{
    const GbmColor paper = gbm_rgb(204, 204, 204), sky = gbm_rgb(176, 196, 222);
    panel(img);
    gbm_fill_rect(img, 7, 184, 354, 487, gbm_rgb(44, 48, 56));
    gbm_frame_rect(img, 6, 183, 355, 488, kPanelLine);
    gbm_fill_rect(img, 7, 38, 241, 182, sky);
    gbm_frame_rect(img, 6, 37, 242, 183, kPanelLine);
    gbm_text(img, 10, 26, "APPROACH PROFILE", 1, kPanelLabel);
    gbm_fill_rect(img, 246, 171, 349, 182, paper);
    gbm_frame_rect(img, 245, 170, 350, 183, kPanelLine);
    gbm_text(img, 249, 174, "ELEV", 1, kPanelLine);
    gbm_text(img, 318, 174, "FT", 1, kPanelLine);
    gbm_fill_rect(img, 246, 35, 349, 166, paper);
    gbm_frame_rect(img, 245, 34, 350, 167, kPanelLine);
    gbm_text(img, 249, 20, "RUNWAYS", 1, kPanelLabel);
    map_strip(img, img.w - 71);
    centred_text(img, img.w - 36, 40, "PROFILE", 1, kPanelLabel);
    arrow_button(img, img.w - 70, 14, img.w - 36, 34, 2);
    arrow_button(img, img.w - 35, 14, img.w - 1, 34, 3);
}

// A glyph turned by `angle` (radians clockwise from straight up) with its centre at (cx, cy),
// dots `dot` pixels square, written in colour c.
void turned_text(GbmImage& img, float cx, float cy, float angle, const char* s, int dot, GbmColor c)
{
    const float tw = static_cast<float>(gbm_text_width(s, dot)), th = 7.0f * dot;
    const float ux = std::cos(angle), uy = -std::sin(angle);  // text's x axis
    const float vx = std::sin(angle), vy = std::cos(angle);   // text's up axis
    const int reach = static_cast<int>(std::max(tw, th)) + 2;
    for (int y = static_cast<int>(cy) - reach; y <= static_cast<int>(cy) + reach; y++) {
        for (int x = static_cast<int>(cx) - reach; x <= static_cast<int>(cx) + reach; x++) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            float lx = dx * ux + dy * uy + tw * 0.5f, ly = dx * vx + dy * vy + th * 0.5f;
            if (lx < 0 || ly < 0 || lx >= tw || ly >= th) continue;
            int col = static_cast<int>(lx) / dot, row = 6 - static_cast<int>(ly) / dot;
            int ch = col / 6, cc = col % 6;
            if (cc == 5 || row < 0) continue;
            const uint8_t* g = OGL_glyph_rows(s[ch]);
            if (g[row] & (0x10 >> cc)) {
                gbm_set(img, x, y, c);
                gbm_set_key(img, x, y, false);
            }
        }
    }
}

}  // namespace

const std::vector<GbmWindowDef>& gbm_window_defs() { return g_windows; }

// The font sheet: 16 characters across and 8 rows of 8 x 8 cells, character c in column c mod 16
// and row c div 16 counted from the top, its 5 x 7 dots white with the lower-left dot at the cell's
// (1, 0); everything else transparent.
void gbm_make_letters(GbmImage& img, int)
{
    for (int y = 0; y < img.h; y++)
        for (int x = 0; x < img.w; x++) gbm_set_key(img, x, y, true);
    for (int c = 0; c < 128; c++) {
        int x0 = (c % 16) * 8 + 1, y0 = img.h - (c / 16 + 1) * 8;
        const uint8_t* rows = OGL_glyph_rows(static_cast<char>(c));
        for (int r = 0; r < 7; r++)
            for (int col = 0; col < 5; col++)
                if (rows[r] & (0x10 >> col)) {
                    gbm_set(img, x0 + col, y0 + 6 - r, gbm_rgb(255, 255, 255));
                    gbm_set_key(img, x0 + col, y0 + 6 - r, false);
                }
    }
}

// The mouse pointer, its tip at the top-left pixel: white with a black outline.
void gbm_make_cursor(GbmImage& img, int)
{
    static const char* rows[16] = {
        "X...............", "XX..............", "XWX.............", "XWWX............",
        "XWWWX...........", "XWWWWX..........", "XWWWWWX.........", "XWWWWWWX........",
        "XWWWWWWWX.......", "XWWWWWXXXX......", "XWWXWWX.........", "XWX.XWWX........",
        "XX..XWWX........", "X....XWWX.......", ".....XWWX.......", "......XX........",
    };
    for (int r = 0; r < 16; r++) {
        int y = img.h - 1 - r;
        for (int x = 0; x < 16; x++) {
            char ch = rows[r][x];
            if (ch == '.') gbm_set_key(img, x, y, true);
            else gbm_set(img, x, y, ch == 'W' ? gbm_rgb(255, 255, 255) : gbm_rgb(0, 0, 0));
        }
    }
}

// The compass card: ticks every 5 degrees, longer every 10 and 30, and the headings N, 3, 6, E
// ... 33 every 30 degrees, turned to read from the card's centre; transparent elsewhere.
void gbm_make_dg(GbmImage& img, int)
{
    for (int y = 0; y < img.h; y++)
        for (int x = 0; x < img.w; x++) gbm_set_key(img, x, y, true);
    const float c = img.w * 0.5f, rim = img.w * 0.5f - 4.0f;
    const GbmColor ink = gbm_rgb(240, 240, 236);
    GbmImage marks;  // drawn anti-aliased, then thresholded: the card is filtered by nearest texel
    gbm_init(marks, img.w, img.h, gbm_rgb(0, 0, 0), false);
    for (int deg = 0; deg < 360; deg += 5) {
        float a = deg * 3.14159265f / 180.0f;
        float len = deg % 30 == 0 ? 22.0f : (deg % 10 == 0 ? 16.0f : 10.0f);
        float wid = deg % 10 == 0 ? 3.0f : 2.0f;
        GbmPt p0{c + std::sin(a) * rim, c + std::cos(a) * rim};
        GbmPt p1{c + std::sin(a) * (rim - len), c + std::cos(a) * (rim - len)};
        gbm_stroke(marks, {p0, p1}, wid, gbm_rgb(255, 255, 255), 1.0f);
    }
    for (int y = 0; y < img.h; y++)
        for (int x = 0; x < img.w; x++)
            if (gbm_get(marks, x, y).r > 110.0f) {
                gbm_set(img, x, y, ink);
                gbm_set_key(img, x, y, false);
            }
    const char* labels[12] = {"N", "3", "6", "E", "12", "15", "S", "21", "24", "W", "30", "33"};
    for (int i = 0; i < 12; i++) {
        float a = i * 30.0f * 3.14159265f / 180.0f;
        float r = rim - 40.0f;
        turned_text(img, c + std::sin(a) * r, c + std::cos(a) * r, a, labels[i], 3, ink);
    }
}

// The start-up screen: a runway under an evening sky, the suite's name, and a light band along the
// bottom under the progress track.
void gbm_make_splash(GbmImage& img, int)
{
    const float horizon = 250.0f;
    for (int y = 0; y < img.h; y++) {
        for (int x = 0; x < img.w; x++) {
            float u = (x + 0.5f) / img.w, v = (y + 0.5f) / img.h;
            GbmColor c;
            if (y >= horizon) {
                float k = (y - horizon) / (img.h - horizon);
                c = gbm_mix(gbm_rgb(214, 170, 130), gbm_rgb(22, 38, 86), std::pow(k, 0.6f));
                float cloud = gbm_fbm(u * 1.0f, v, 4, 5, 0.5f, 411);
                c = gbm_mix(c, gbm_rgb(236, 200, 170), 0.5f * gbm_smooth(0.55f, 0.75f, cloud) * (1.0f - k));
            } else {
                float ridge = horizon - 40.0f + 70.0f * gbm_fbm(u, 0.0f, 5, 5, 0.5f, 412);
                float k = y / horizon;
                c = gbm_mix(gbm_rgb(34, 44, 30), gbm_rgb(70, 78, 62), k);
                c = gbm_scale(c, 0.9f + 0.2f * gbm_noise(u, v, 64, 413));
                if (y > ridge - 60.0f) c = gbm_mix(c, gbm_rgb(78, 74, 96), gbm_smooth(ridge - 60.0f, ridge, static_cast<float>(y)));
            }
            gbm_set(img, x, y, c);
        }
    }
    // Far mountains above the horizon line.
    for (int x = 0; x < img.w; x++) {
        float u = (x + 0.5f) / img.w;
        int top = static_cast<int>(horizon + 10.0f + 55.0f * gbm_ridged(u, 0.3f, 3, 4, 414));
        for (int y = static_cast<int>(horizon); y < top; y++)
            gbm_blend(img, x, y, gbm_rgb(92, 84, 110), 0.9f - 0.3f * (y - horizon) / 70.0f);
    }
    // The runway in perspective towards a point on the horizon.
    const float vx = 400.0f, vy = horizon;
    gbm_fill_poly(img, {{250, 44}, {550, 44}, {vx + 6, vy}, {vx - 6, vy}}, gbm_rgb(58, 58, 62), 1.0f);
    for (int i = 0; i < 12; i++) {
        float f0 = 1.0f - std::pow(0.78f, static_cast<float>(i)), f1 = 1.0f - std::pow(0.78f, i + 0.5f);
        float y0 = 44 + (vy - 44) * f0, y1 = 44 + (vy - 44) * f1;
        float w0 = 5.0f * (1.0f - f0), w1 = 5.0f * (1.0f - f1);
        gbm_fill_poly(img, {{vx - w0, y0}, {vx + w0, y0}, {vx + w1, y1}, {vx - w1, y1}}, gbm_rgb(232, 232, 226), 1.0f);
    }
    for (float e : {-1.0f, 1.0f})
        gbm_stroke(img, {{400 + e * 146, 44}, {vx + e * 5.5f, vy}}, 2.0f, gbm_rgb(232, 232, 226), 0.9f);
    // Name and version.
    const char* name = "KESTROVA";
    int w = gbm_text_width(name, 9);
    gbm_text(img, 400 - w / 2 + 4, 426, name, 9, gbm_rgb(10, 14, 30));
    gbm_text(img, 400 - w / 2, 430, name, 9, gbm_rgb(246, 244, 236));
    centred_text(img, 400, 390, "FLIGHT SIMULATOR", 3, gbm_rgb(226, 230, 240));
    centred_text(img, 400, 370, "VERSION 5.03", 1, gbm_rgb(200, 206, 220));
    // The light band under the progress track.
    gbm_fill_rect(img, 0, 0, img.w, 44, gbm_rgb(153, 153, 153));
    gbm_fill_rect(img, 0, 43, img.w, 44, gbm_rgb(204, 204, 204));
    gbm_text(img, 620, 20, "LOADING", 1, gbm_rgb(51, 51, 51));
}

void gbm_make_window(GbmImage& img, int which)
{
    const GbmWindowDef& def = g_windows[static_cast<size_t>(which)];
    if (def.id == 4) {
        world_map(img);
        return;
    }
    if (def.id == 24) {
        chart(img);
        return;
    }
    panel(img);
    if (def.id == 3) {
        map_strip(img, 0);
        return;
    }
    label_bottom_right(img, def.title);
}
