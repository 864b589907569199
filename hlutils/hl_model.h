// hl_model.h -- the aircraft's 3-D model: the mesh of its 28 parts built from the aircraft record,
// its paint textures and paint templates, and the drawing of the model in the current matrix.
//
// Mesh points are metres in the aircraft's axes (x right, y up, z aft), measured as the record's
// positions are (from the centre of gravity once the aircraft is loaded). Bodies, nacelles and
// propellers are stored relative to their reference point (get_body_os) and moved there when drawn.
#pragma once
#include <cstdint>

constexpr int MDL_PARTS = 28;
constexpr int MDL_SECTIONS = 18;
constexpr int MDL_POINTS = 16;
constexpr int MDL_PAINTS = 16;   // paint textures 16 * aircraft + k

// Paint texture numbers k within an aircraft's sixteen.
enum {
    PAINT_PROP = 0, PAINT_WNG1, PAINT_WNG2, PAINT_WNG3, PAINT_HSTB, PAINT_VST1, PAINT_VST2, PAINT_PYLN,
    PAINT_FUSE, PAINT_NACE, PAINT_MISC, PAINT_FAIR, PAINT_STRT, PAINT_VST1R, PAINT_VST2R, PAINT_FUSER,
};

constexpr int TEX_TIRE = 116;    // the tyre texture of the shared set

// One aircraft's model. Cleared by clear_globals(); rebuilt as a whole by load_plane_geo.
struct modelstruct {
    float a_xyz[MDL_PARTS][MDL_SECTIONS][MDL_POINTS][3];  // m, mesh points
    float n_xyz[MDL_PARTS][MDL_SECTIONS][MDL_POINTS][3];  // unit normals
    float st[MDL_PARTS][MDL_SECTIONS][MDL_POINTS][2];     // texture coordinates s, t (0..1)
    float co_xyz[MDL_PARTS][3];   // m, root reference point (lifting parts: the root's hinge)
    float ca_xyz[MDL_PARTS][3];   // m, tip reference point (lifting parts: the tip's hinge)
    float phase[4];               // degrees 0..360, each propeller's blade angle
    int32_t built;                // the mesh has been built from the record
};
extern modelstruct mdl[2];

// Angles of the user's aircraft that move parts of its model, set by the flight state each frame
// (set_model_pose_from_flight) or left at zero by the designer. Cleared by clear_globals().
struct modelposestruct {
    float vect;              // degrees, thrust-vector angle of nacelles and propellers
    float sweep[MDL_PARTS];  // degrees, current sweep of each lifting part
    float trim;              // degrees, horizontal stabiliser trim (nose-up positive)
    float ailn[2];           // degrees, left and right aileron, trailing edge up positive
    float elev[2];           // degrees, left and right elevator, trailing edge up positive
    float rudd;              // degrees, rudder, trailing edge right positive
    float flap;              // degrees, flap deflection, trailing edge down positive
    float strut;             // degrees, the main struts' turn by their compression (gear type 2)
    float beacon;            // 0..1, brightness of the rotating beacon
};
extern modelposestruct mpose;

// Flap deflection drawn at full flap (the record stores only the flap's effect, not its angle).
constexpr float MDL_FLAP_FULL_DEG = 30.0f;

// Builds the mesh of aircraft `plane` (0 or 1) from pln[plane] and afl[plane]; with paint 1 also
// loads the paint textures, with templates 1 also writes the paint templates in the current folder.
void load_plane_geo(int paint, int templates, int plane);
// The paint file's base name for k (" prop" ... " fuseR") after the aircraft path less ".acf".
void paint_path(int plane, const char* suffix, char* dst, int size);
// Writes the paint template of part p of aircraft `plane` as `name` (a 24-bit bitmap, written
// whole or not at all). 1 when written.
int write_paint_template(int p, int plane, const char* name);
// Width and height of part p's template.
void template_size(int p, int plane, int* w, int* h);

// Copies the current control, sweep and trim angles of the user's aircraft into mpose.
void set_model_pose_from_flight(void);
// Draws aircraft `plane` in the current matrix; detail 0 draws only its lights. The propellers
// turn by their rotation rate over the frame period msc.prd.
void plot_plane(int plane, int detail);
// The wheels of gear leg p (25 nose, 26 left, 27 right) of aircraft `plane`.
void wheel(int p, int plane);
// One tyre of radius r and half-width w centred at (x, y, z), its axle along x.
void disc(float x, float y, float z, float r, float w);
// One light: a point of size + 0.01 pixels in the colour, then the point size back to 1.
void heavy_light(float x, float y, float z, float r, float g, float b, float size);
// Stores a point.
void load_pln(float x, float y, float z, float v[3]);
