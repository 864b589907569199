// ship_model.cpp -- the carrier's, the frigate's and the oil rig's points.
#include "ship_model.h"

#include "hl_funct.h"

#include <cstring>

float carr_pxyz[CARR_POINTS][3];
float carr_lxyz[CARR_LIGHTS][3];
float frig_pxyz[FRIG_POINTS][3];
float oilr_pxyz[OILR_POINTS][3];

void load_geo(float x, float y, float z, float* vertex)
{
    vertex[0] = x;
    vertex[1] = y;
    vertex[2] = z;
}

namespace {

void fill_carrier(void)
{
    std::memset(carr_pxyz, 0, sizeof carr_pxyz);
    // Hull: pairs of lower and upper points.
    static const float hull[24][3] = {
        {-8, -10, 150},  {-15, 10, 155}, {-16, -10, 125}, {-18, 10, 140}, {-16, -10, -25}, {-18, 10, -50},
        {0, -10, -140},  {0, 10, -145},  {16, -10, -25},  {18, 10, -50},  {16, -10, 125},  {18, 10, 140},
        {8, -10, 150},   {15, 10, 155},  {-18, 10, 140},  {-18, 18, 140}, {-18, 10, -50},  {-18, 18, -75},
        {0, 10, -145},   {0, 18, -152},  {18, 10, -50},   {18, 18, -75},  {18, 10, 140},   {18, 18, 140},
    };
    for (int i = 0; i < 24; i++) load_geo(hull[i][0], hull[i][1], hull[i][2], carr_pxyz[i]);
    // Flight deck outline: each (x, z) twice, at y 18 and y 21.
    static const float deck[12][2] = {{-19, 160}, {-19, -56}, {-15, -154}, {15, -154}, {19, -62}, {19, 154},
                                      {-19, 112}, {-35, 80},  {-35, -51},  {19, 97},   {36, -39}, {36, 97}};
    for (int k = 0; k < 12; k++) {
        load_geo(deck[k][0], 18, deck[k][1], carr_pxyz[24 + 2 * k]);
        load_geo(deck[k][0], 21, deck[k][1], carr_pxyz[25 + 2 * k]);
    }
    // Island: seven levels of four corners on the even points 48..102.
    static const float level[7][3] = {{0, 6, 10},  {3.51f, 6, 10}, {5.97f, 8, 12},  {13.71f, 8, 12},
                                      {15, 6, 10}, {15, 0.4f, 0.4f}, {30, 0.4f, 0.4f}};
    for (int n = 0; n < 7; n++) {
        int base = 2 * (24 + 4 * n);
        float h = level[n][0], a = level[n][1], b = level[n][2];
        load_geo(28 - a, 21 + h, 11 + b, carr_pxyz[base]);
        load_geo(28 - a, 21 + h, 11 - b, carr_pxyz[base + 2]);
        load_geo(28 + a, 21 + h, 11 - b, carr_pxyz[base + 4]);
        load_geo(28 + a, 21 + h, 11 + b, carr_pxyz[base + 6]);
    }
    // Lights: three deck rows evenly along their lines, the datum row and the ball column.
    struct Row {
        int first, last;
        float x0, z0, x1, z1;
    };
    static const Row rows[3] = {{0, 19, -10.5f, 158.73f, -35, -46},
                                {20, 40, 1.25f, 156.835f, -26.695f, -58.5f},
                                {41, 62, 13, 154.94f, -18.39f, -71}};
    for (const Row& r : rows) {
        for (int i = r.first; i <= r.last; i++) {
            float fi = static_cast<float>(i);
            load_geo(interp(static_cast<float>(r.first), r.x0, static_cast<float>(r.last), r.x1, fi), 21,
                     interp(static_cast<float>(r.first), r.z0, static_cast<float>(r.last), r.z1, fi), carr_lxyz[i]);
        }
    }
    for (int i = 63; i <= 69; i++) load_geo(static_cast<float>(i - 66) * 1.5f - 35, 23, 76, carr_lxyz[i]);
    for (int i = 70; i <= 74; i++) load_geo(-35, static_cast<float>(i - 72) * 1.5f + 23, 76, carr_lxyz[i]);
}

void fill_frigate(void)
{
    static const float hull[26][3] = {
        {-12, -6, 82}, {-12, 6, 84}, {-15, -6, 70}, {-15, 6, 70}, {-15, -7, 70}, {-15, 7, 70}, {-15, -7, 40},
        {-15, 7, 40},  {-15, -8, 40}, {-15, 8, 40}, {-15, -8, -50}, {-15, 8, -60}, {0, -10, -90}, {0, 10, -100},
        {15, -8, -50}, {15, 8, -60}, {15, -8, 40},  {15, 8, 40},   {15, -7, 40},  {15, 7, 40},   {15, -7, 70},
        {15, 7, 70},   {15, -6, 70}, {15, 6, 70},   {12, -6, 82},  {12, 6, 84},
    };
    for (int i = 0; i < 26; i++) load_geo(hull[i][0], hull[i][1], hull[i][2], frig_pxyz[i]);
    // Superstructure: seven boxes of four corners, each lower then upper.
    static const float box[7][8][3] = {
        {{-11, 8, 35}, {-10, 15, 30}, {-11, 8, 5}, {-10, 15, 5}, {11, 8, 5}, {10, 15, 5}, {11, 8, 35}, {10, 15, 30}},
        {{-7, 15, 25}, {-6, 21, 23}, {-7, 15, 10}, {-6, 21, 10}, {7, 15, 10}, {6, 21, 10}, {7, 15, 25}, {6, 21, 23}},
        {{-11, 8, -5}, {-10, 15, -5}, {-11, 8, -45}, {-10, 15, -40}, {11, 8, -45}, {10, 15, -40}, {11, 8, -5},
         {10, 15, -5}},
        {{-7, 15, -20}, {-6, 24, -20}, {-7, 15, -35}, {-6, 24, -33}, {7, 15, -35}, {6, 24, -33}, {7, 15, -20},
         {6, 24, -20}},
        {{-1, 24, -25}, {-0.5f, 50, -19.5f}, {-1, 24, -27}, {-0.5f, 50, -20.5f}, {1, 24, -27}, {0.5f, 50, -20.5f},
         {1, 24, -25}, {0.5f, 50, -19.5f}},
        {{-4, 21, 20}, {-3, 28, 20}, {-4, 21, 12.3f}, {-3, 28, 15}, {4, 21, 12.3f}, {3, 28, 15}, {4, 21, 20},
         {3, 28, 20}},
        {{-5, 15, -8}, {-3, 28, -8}, {-5, 15, -18}, {-3, 28, -13}, {5, 15, -18}, {3, 28, -13}, {5, 15, -8},
         {3, 28, -8}},
    };
    for (int b = 0; b < 7; b++)
        for (int k = 0; k < 8; k++) load_geo(box[b][k][0], box[b][k][1], box[b][k][2], frig_pxyz[26 + 8 * b + k]);
}

void fill_oil_rig(void)
{
    struct Slab {
        float xz[4][2];
        float lo, hi;
    };
    static const Slab slabs[4] = {
        {{{-20, 100}, {-20, 60}, {20, 60}, {20, 100}}, 60, 62},   // helipad
        {{{-5, 85}, {-60, -60}, {60, -60}, {5, 85}}, 45, 55},     // main deck
        {{{-15, 15}, {-15, -15}, {15, -15}, {15, 15}}, 55, 58},   // deck house
        {{{-10, 5}, {-10, -10}, {5, -10}, {5, 5}}, 58, 61},       // roof house
    };
    for (int s = 0; s < 4; s++) {
        for (int c = 0; c < 4; c++) {
            int k = 8 * s + 2 * c;
            load_geo(slabs[s].xz[c][0], slabs[s].lo, slabs[s].xz[c][1], oilr_pxyz[k]);
            load_geo(slabs[s].xz[c][0], slabs[s].hi, slabs[s].xz[c][1], oilr_pxyz[k + 1]);
        }
    }
}

}  // namespace

void fill_ship_models(void)
{
    fill_carrier();
    fill_frigate();
    fill_oil_rig();
}
