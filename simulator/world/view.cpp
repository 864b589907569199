// view.cpp -- the outside view of each frame: the region shift, the camera of the chosen view, the
// over-flags cleared, then the drawing.
#include "view.h"

#include "fltutil.h"
#include "genwrld.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "scenery.h"
#include "vrange.h"

#include <cmath>

namespace {

constexpr float DEG = 3.14159265f / 180.0f;
constexpr float CAMERA_FLOOR = 2.0f;        // m, outside cameras stay this high above the ground
constexpr float TOWER_STAND_IN = 27.0f;     // m, above the airport beside its first runway
constexpr int TOWER_SLOT = 4;               // of the five building slots of a local airport
constexpr int TOWER_TOP_LEVEL = 3;
constexpr int SURF_NOTHING = 67;            // nothing found under the aircraft

// Turns a point of the aircraft's axes (x right, y up, z aft) into the region frame's axes: roll,
// then pitch, then heading.
void body_to_world(const float b[3], float the, float psi, float phi, float out[3])
{
    const float cr = std::cos(-phi * DEG), sr = std::sin(-phi * DEG);
    const float cp = std::cos(the * DEG), sp = std::sin(the * DEG);
    const float ch = std::cos(-psi * DEG), sh = std::sin(-psi * DEG);
    const float x1 = b[0] * cr - b[1] * sr, y1 = b[0] * sr + b[1] * cr, z1 = b[2];
    const float y2 = y1 * cp - z1 * sp, z2 = y1 * sp + z1 * cp;
    out[0] = x1 * ch + z2 * sh;
    out[1] = y2;
    out[2] = -x1 * sh + z2 * ch;
}

// The tower view's place: a corner of the top of the nearest airport's tower, or, without a
// tower, 27 m above the airport beside the left edge of its first runway.
void tower_point(float out[3])
{
    const int row = nearest_local_airport();
    if (row < 0 || row >= apt_lcl_num) {
        out[0] = static_cast<float>(flt.X[0]);
        out[1] = static_cast<float>(flt.Y[0]) + TOWER_STAND_IN;
        out[2] = static_cast<float>(flt.Z[0]);
        return;
    }
    const int slot = 5 * row + TOWER_SLOT;
    if (obj_type[slot] == 1) {
        for (int n = 0; n < 3; n++) out[n] = obj_xyz[slot][TOWER_TOP_LEVEL][0][n];
        return;
    }
    const int a = apt_to_index[row], r = apt_lo_ind[a];
    const float h = static_cast<float>(rwy_hdng[r]) * DEG;
    const float w = static_cast<float>(rwy_width[r]);
    out[0] = static_cast<float>(X_with_latlon(rwy_lat[r], rwy_lon[r])) - w * std::cos(h);
    out[1] = apt_h[a] + TOWER_STAND_IN;
    out[2] = static_cast<float>(Z_with_lat(rwy_lat[r])) - w * std::sin(h);
}

}  // namespace

int keep_region_around_aircraft(void)
{
    // Reads: flt.lat, flt.lon, env.lat_sou, env.lon_wes. Writes: the region (through load_region).
    const int type = region_shift_for(flt.lat, flt.lon);
    if (type == 0) return 0;
    load_region(type);
    return 1;
}

int view_is_outside(int view)
{
    return view == VIEW_TOWER || view == VIEW_RUNWAY || view == VIEW_CHASE || view == VIEW_FOLLOW ||
           view == VIEW_FOLLOW_PANEL || view == VIEW_SPOT;
}

float view_pitch_offset(int view)
{
    if (view == VIEW_DOWN4) return -4.0f;
    if (view == VIEW_DOWN8) return -8.0f;
    return 0.0f;
}

void view_cockpit_angles(int view, float the, float psi, float phi, float* vthe, float* vpsi, float* vphi)
{
    float t = the, p = psi, r = phi;
    switch (view) {
    case VIEW_DOWN4:
    case VIEW_DOWN8: t = the + view_pitch_offset(view); break;
    case 504: t = (the + phi) * 0.5f; p = psi - 45.0f; r = (phi - the) * 0.5f; break;
    case 505: t = (the - phi) * 0.5f; p = psi + 45.0f; r = (the + phi) * 0.5f; break;
    case 506: t = phi; p = psi - 90.0f; r = -the; break;
    case 507: t = -phi; p = psi + 90.0f; r = the; break;
    case 508: t = (phi - the) * 0.5f; p = psi - 135.0f; r = (-the - phi) * 0.5f; break;
    case 509: t = (-the - phi) * 0.5f; p = psi + 135.0f; r = (the - phi) * 0.5f; break;
    case 511: t = -the; p = psi + 180.0f; r = -phi; break;
    default: break;   // 500, 521, 522 and anything else: forwards
    }
    *vthe = t;
    *vpsi = fltwrap(p, 0.0f, 360.0f);
    *vphi = r;
}

void view_outside_target(int view, float out[3])
{
    const float x = static_cast<float>(flt.X[0]), y = static_cast<float>(flt.Y[0]), z = static_cast<float>(flt.Z[0]);
    switch (view) {
    case VIEW_TOWER: tower_point(out); break;
    case VIEW_RUNWAY:
        out[0] = msc.runwayview_X;
        out[1] = msc.runwayview_Y;
        out[2] = msc.runwayview_Z;
        break;
    case VIEW_SPOT:
        out[0] = msc.spotview_X;
        out[1] = msc.spotview_Y;
        out[2] = msc.spotview_Z;
        break;
    case VIEW_CHASE:
        // Behind the aircraft along its path over the ground.
        out[0] = x - scn.dist * std::sin(flt.hpath * DEG);
        out[1] = y - scn.dist * std::sin(flt.vpath * DEG);
        out[2] = z + scn.dist * std::cos(flt.hpath * DEG);
        break;
    default: {
        // The follow views: at the chase distance in the direction the arrow keys turned.
        const float c = std::cos(msc.freeviewY);
        out[0] = x + scn.dist * c * std::sin(msc.freeviewXZ);
        out[1] = y + scn.dist * std::sin(msc.freeviewY);
        out[2] = z + scn.dist * c * std::cos(msc.freeviewXZ);
        break;
    }
    }
}

void view_eye_point(float out[3])
{
    const float eye[3] = {pln[0].peX, pln[0].peY, pln[0].peZ};
    body_to_world(eye, flt.the[0], flt.psi[0], flt.phi[0], out);
    out[0] += static_cast<float>(flt.X[0]);
    out[1] += static_cast<float>(flt.Y[0]);
    out[2] += static_cast<float>(flt.Z[0]);
}

void update_scenery(void)
{
    // The region first: the camera, the drawing and the next frame's ground contact read the
    // shifted grids.
    keep_region_around_aircraft();

    // Reads: set.view_type, flt position, attitude and velocity, msc.prd and the views' places.
    // Writes: con.VIEW_xyz, scn.the, scn.psi, scn.phi, env.i_viewpoint, env.j_viewpoint.
    const int view = set.view_type;
    if (view_is_outside(view)) {
        // The camera glides toward its place and looks at where the aircraft is about to be.
        float target[3];
        view_outside_target(view, target);
        const float k = fltlim(msc.prd, 0.0f, 1.0f);
        for (int n = 0; n < 3; n++) con.VIEW_xyz[n] = closer_assymp(con.VIEW_xyz[n], target[n], k);
        const float ground = find_local_h(con.VIEW_xyz[0], con.VIEW_xyz[2], &env.i_viewpoint, &env.j_viewpoint, 0);
        con.VIEW_xyz[1] = fltmax2(con.VIEW_xyz[1], ground + CAMERA_FLOOR);
        const double ahead = 1.0 - k;
        const double dx = con.VIEW_xyz[0] - (flt.X[0] + flt.vX * ahead);
        const double dy = con.VIEW_xyz[1] - (flt.Y[0] + flt.vY * ahead);
        const double dz = con.VIEW_xyz[2] - (flt.Z[0] + flt.vZ * ahead);
        scn.the = static_cast<float>(-std::atan2(dy, std::sqrt(dx * dx + dz * dz))) / DEG;
        scn.psi = fltwrap(static_cast<float>(-std::atan2(dx, dz)) / DEG, 0.0f, 360.0f);
        scn.phi = 0.0f;
    } else {
        view_cockpit_angles(view, flt.the[0], flt.psi[0], flt.phi[0], &scn.the, &scn.psi, &scn.phi);
        view_eye_point(con.VIEW_xyz);
    }

    // What the aircraft is over is found again in every frame, drawn or not: every ship's deck and
    // every roof, the runways of the airports in view, and above an overcast, which hides them all,
    // every runway. The landing signal officer's view of the aircraft comes back only from a
    // carrier drawn: until then it is far from any deck.
    env.over_obs = env.over_carr = env.over_frig = 0;
    env.obj_height = 0.0f;
    env.surf_type = SURF_NOTHING;
    atc.cardxyz[0] = atc.cardxyz[2] = CARD_FAR;
    atc.cardxyz[1] = 0.0f;

    update_scenery2();
}
