// picture.cpp -- scenery_picture: reads the default region's squares back and draws them as a
// shaded relief map (water blue, land from green through brown to white), for a person to look at.
//   scenery_picture <program folder> <picture.png>
#include "png.h"
#include "squares.h"

#include "hl_envfile.h"
#include "tool_program.h"
#include "hl_string.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

static void land_colour(float h, float shade, uint8_t* p)
{
    // Height bands: coastal green, dry brown, rock grey, snow white.
    struct Stop { float h, r, g, b; };
    static const Stop stops[] = {{-100, 150, 170, 110}, {0, 90, 140, 70}, {400, 170, 160, 90},
                                 {1200, 140, 105, 70}, {2200, 150, 150, 150}, {3200, 250, 250, 250}};
    int k = 0;
    while (k + 2 < 6 && h > stops[k + 1].h) k++;
    float t = std::clamp((h - stops[k].h) / (stops[k + 1].h - stops[k].h), 0.0f, 1.0f);
    float rgb[3] = {stops[k].r + (stops[k + 1].r - stops[k].r) * t, stops[k].g + (stops[k + 1].g - stops[k].g) * t,
                    stops[k].b + (stops[k + 1].b - stops[k].b) * t};
    for (int i = 0; i < 3; i++) p[i] = static_cast<uint8_t>(std::clamp(rgb[i] * shade, 0.0f, 255.0f));
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: scenery_picture <program folder> <picture.png>\n");
        return 2;
    }
    tool_start("scenery_picture", false);
    // The region's points, 178 by 159, west to east and south to north.
    constexpr int NI = 178, NJ = 159, SCALE = 4;
    static float h[NI][NJ];
    static int water[NI][NJ];
    auto sq = std::make_unique<env_square>();
    for (int t = 0; t < 6; t++) {
        const int lat = SC_LAT_SOU + t / 3, lon = SC_LON_WES + t % 3;
        char rel[400];
        return_latlon_str_ENV(lat, lon, rel, 1);
        std::string path = std::string(argv[1]) + "/additional nav data/" + rel;
        if (env_read_square(path.c_str(), lat, lon, 0, sq.get()) != ENV_READ_OK)
            std::fprintf(stderr, "scenery_picture: %s missing or damaged: drawn as sea\n", path.c_str());
        for (int r = 0; r < ENV_ROWS; r++)
            for (int c = 0; c < ENV_COLS; c++) {
                const int i = 59 * (t % 3) + c, j = 79 * (t / 3) + r;
                h[i][j] = sq->h[r][c];
                if (r < ENV_ROWS - 1 && c < ENV_COLS - 1) water[i][j] = (sq->word[r][c] & 6) != 0;
            }
    }
    const int W = (NI - 1) * SCALE, H = (NJ - 1) * SCALE;
    std::vector<uint8_t> rgb(static_cast<size_t>(W) * H * 3);
    for (int y = 0; y < H; y++) {
        for (int x = 0; x < W; x++) {
            const int i = x / SCALE, j = (NJ - 2) - y / SCALE;
            uint8_t* p = &rgb[(static_cast<size_t>(y) * W + x) * 3];
            if (water[i][j]) {
                p[0] = 40;
                p[1] = 80;
                p[2] = 170;
                continue;
            }
            // Light from the north-west: brighter where the land faces it.
            const float gx = (h[i + 1][j] - h[i][j]) / 1500.0f, gz = (h[i][j + 1] - h[i][j]) / 1400.0f;
            const float shade = std::clamp(1.0f - 5.0f * gx + 5.0f * gz, 0.45f, 1.45f);
            land_colour(0.25f * (h[i][j] + h[i + 1][j] + h[i][j + 1] + h[i + 1][j + 1]), shade, p);
        }
    }
    return png_write_rgb(argv[2], W, H, rgb) ? 0 : 1;
}
