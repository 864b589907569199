// output_grf.cpp -- the graph window: the strips of the four graph slots over ten seconds of the
// ring, their legends and scales, the time marks and the values under the mouse.
#include "output.h"

#include "hl_btn.h"
#include "hl_funct.h"
#include "hl_graph.h"
#include "hl_types.h"

#include <cmath>

namespace {

// The plot's pixel columns: 50 per second from x 105, ten seconds wide.
constexpr float PLOT_X0 = 105.0f;
constexpr int PLOT_COLUMNS = 500;
constexpr float PIXELS_PER_SECOND = 50.0f;
constexpr float PLOT_SECONDS = 10.0f;
// A strip's curves reach this far up and down from its centre.
constexpr float STRIP_HALF = 33.0f;
constexpr int TEXT_COLOUR = 47;
// Each column's colour, and where its number stands beside the strip.
constexpr int COLOUR[4] = {4, 9, 7, 18};
constexpr float NUMBER_ROW[4] = {21.0f, 7.0f, -7.0f, -21.0f};
constexpr float NUMBER_X = 30.0f;

const char* const LEFTTIME_HELP = "This is the time index for the left-hand side of the graph.";

// What the last manage_grf worked out: each slot's scale, the sample drawn at each pixel column
// and its time after the oldest sample.
float scale[GRAPH_SLOTS];
int column_sample[PLOT_COLUMNS + 1];
float column_time[PLOT_COLUMNS + 1];

float strip_centre(int s) { return 85.0f + 90.0f * static_cast<float>(s); }

bool has_value(float v) { return std::fabs(v - OUT_NONE) > 0.001f; }

// Samples held now, oldest first from grf.indexstart.
int samples_held(void)
{
    if (grf.graphstruct_full) return GRAPH_SAMPLES;
    return grf.cntr < 0 ? 0 : intlim(grf.cntr + 1, 0, GRAPH_SAMPLES);
}

int oldest_sample(void) { return grf.graphstruct_full ? intlim(grf.indexstart, 0, GRAPH_SAMPLES - 1) : 0; }

// Pixels per unit that put the slot's largest present value (any column, any held sample) at the
// strip's edge; 0 when every value is 0 or missing.
float slot_scale(int s)
{
    const int n = samples_held();
    float big = 0.0f;
    for (int c = 0; c < 4; c++) {
        int i = oldest_sample();
        for (int k = 0; k < n; k++) {
            const float v = grf.data[s][c][i];
            if (has_value(v) && std::fabs(v) > big) big = std::fabs(v);
            i = i + 1 < GRAPH_SAMPLES ? i + 1 : 0;
        }
    }
    return big > 0.0f ? STRIP_HALF / big : 0.0f;
}

// Walks the ring from the oldest sample to the first at or after grf.lefttime, then through ten
// seconds of samples: gives each its pixel column, draws the curve segments from the previous
// sample, and notes the sample at every column up to its own.
void plot_curves(void)
{
    for (int x = 0; x <= PLOT_COLUMNS; x++) {
        column_sample[x] = -1;
        column_time[x] = 0.0f;
    }
    const int n = samples_held();
    int i = oldest_sample();
    int k = 0;
    float t = 0.0f;
    while (k < n && t < grf.lefttime) {
        t += grf.period[i];
        i = i + 1 < GRAPH_SAMPLES ? i + 1 : 0;
        k++;
    }
    int prev = -1, prev_col = -1;
    for (; k < n && t <= grf.lefttime + PLOT_SECONDS; k++) {
        const int col = intlim(static_cast<int>(std::lround(PIXELS_PER_SECOND * (t - grf.lefttime))), 0, PLOT_COLUMNS);
        for (int x = prev_col + 1; x <= col; x++) {
            column_sample[x] = i;
            column_time[x] = t;
        }
        if (prev >= 0) {
            for (int s = 0; s < GRAPH_SLOTS; s++) {
                if (set.grfsel[s] < 0) continue;
                for (int c = 0; c < 4; c++)
                    graph_point(s, c, prev, PLOT_X0 + static_cast<float>(prev_col), i, PLOT_X0 + static_cast<float>(col));
            }
        }
        prev = i;
        prev_col = col > prev_col ? col : prev_col;
        t += grf.period[i];
        i = i + 1 < GRAPH_SAMPLES ? i + 1 : 0;
    }
}

}  // namespace

float grf_scale(int s) { return s >= 0 && s < GRAPH_SLOTS ? scale[s] : 0.0f; }

int grf_column_sample(int column) { return column >= 0 && column <= PLOT_COLUMNS ? column_sample[column] : -1; }

void graph_point(int s, int c, int i0, float x0, int i1, float x1)
{
    if (s < 0 || s >= GRAPH_SLOTS || c < 0 || c > 3) return;
    if (i0 < 0 || i0 >= GRAPH_SAMPLES || i1 < 0 || i1 >= GRAPH_SAMPLES) return;
    const float v0 = grf.data[s][c][i0], v1 = grf.data[s][c][i1];
    if (!has_value(v0) || !has_value(v1)) return;
    const float y = strip_centre(s);
    OGL_line(COLOUR[c], x0, y + v0 * scale[s], x1, y + v1 * scale[s]);
}

void plot_grf_numbers(int s, int item, float y, int i)
{
    if (s < 0 || s >= GRAPH_SLOTS || i < 0 || i >= GRAPH_SAMPLES) return;
    int dig[4], dec[4];
    set_dig_dec(item, dig, dec);
    for (int c = 0; c < 4; c++) {
        const float v = grf.data[s][c][i];
        if (!usedat(item, c + 1) || !has_value(v)) continue;
        OGL_number(COLOUR[c], NUMBER_X, y + NUMBER_ROW[c], v, dig[c], dec[c], 6.0f, 1);
    }
}

void manage_grf(void)
{
    // 1. Each selected slot's scale and legend.
    for (int s = 0; s < GRAPH_SLOTS; s++) {
        scale[s] = set.grfsel[s] >= 0 ? slot_scale(s) : 0.0f;
        if (set.grfsel[s] >= 0) out_label(OUT_GRAPH, set.grfsel[s], s);
    }
    // 2. The left edge's time field and the marks of the ten seconds.
    if (!(grf.lefttime >= 0.0f)) grf.lefttime = 0.0f;
    instdbtn(110.0f, 19.0f, TEXT_COLOUR, &grf.lefttime, 3, 0, 0, LEFTTIME_HELP);
    for (int m = 0; m < 10; m++)
        OGL_number(TEXT_COLOUR, 98.0f + 50.0f * m, 406.0f, grf.lefttime + static_cast<float>(m), 3, 0, 6.0f, 0);
    // 3-4. The curves.
    plot_curves();
    // 5. The sample under the mouse: its time and each slot's values.
    const int col = intlim(static_cast<int>(std::lround(mnw.mx - PLOT_X0)), 0, PLOT_COLUMNS);
    const int i = column_sample[col];
    if (i < 0) return;
    OGL_number(TEXT_COLOUR, 396.0f, 20.0f, column_time[col], 4, 1, 6.0f, 0);
    for (int s = 0; s < GRAPH_SLOTS; s++)
        if (set.grfsel[s] >= 0) plot_grf_numbers(s, set.grfsel[s], strip_centre(s), i);
}
