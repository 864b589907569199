// hw_preview.cpp -- one pass of Hullwright's screen: the preview of the aircraft behind the open
// window, the window's fields, the rules and the model rebuilt; the preview's projection, light and
// turns; and the automatic turn carried from pass to pass.
#include "hl_graph.h"
#include "hl_model.h"
#include "hl_funct.h"
#include "hl_types.h"
#include "hullwright.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>

namespace {

constexpr float QUICK_TURN = 135.0f, LONG_TURN = 855.0f;   // degrees
constexpr float TURN_RATE = 60.0f;                          // degrees per second

// The record as this pass found it, before the open window's fields and the rules.
planestruct g_before;

void sky(void)
{
    OGL_setstate(0, 0, 0, 0);
    // Clockwise, the library's front faces.
    glBegin(GL_QUADS);
    glColor3f(0.78f, 0.86f, 0.95f);
    glVertex2f(0.0f, 0.0f);
    glColor3f(0.30f, 0.50f, 0.85f);
    glVertex2f(0.0f, 583.0f);
    glVertex2f(800.0f, 583.0f);
    glColor3f(0.78f, 0.86f, 0.95f);
    glVertex2f(800.0f, 0.0f);
    glEnd();
    glColor3f(1.0f, 1.0f, 1.0f);
}

// The controls' angles in the preview: still, or swinging through part of their travel.
void pose(void)
{
    mpose = modelposestruct{};
    if (!hmsc.movecons) return;
    const float t = mnw.time_elapsed;
    mpose.ailn[0] = 15.0f * std::sin(2.0f * t);
    mpose.ailn[1] = -mpose.ailn[0];
    mpose.elev[0] = mpose.elev[1] = 15.0f * std::sin(1.3f * t);
    mpose.rudd = 15.0f * std::sin(0.7f * t);
}

}  // namespace

void manage_plot(void)
{
    const float d = hmsc.dis_to_plane > 0.0f ? hmsc.dis_to_plane : 1.0f;
    const float half_w = d * hmsc.zoom;
    const float aspect = mnw.YRES > 0.0f ? mnw.HRES / mnw.YRES : 4.0f / 3.0f;

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glFrustum(-half_w, half_w, -half_w / aspect, half_w / aspect, HW_NEAR * d, (HW_CAMERA + HW_FAR) * d);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(hmsc.xos * d, hmsc.yos * d, -HW_CAMERA * d);

    // A light from above and behind the viewer's right shoulder, fixed to the view.
    const GLfloat at[4] = {0.4f, 0.7f, 1.0f, 0.0f};
    const GLfloat ambient[4] = {0.45f, 0.45f, 0.45f, 1.0f};
    const GLfloat diffuse[4] = {0.9f, 0.9f, 0.9f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, at);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    // The model draws with fog on; the preview has no distance for it to show.
    glFogf(GL_FOG_START, 1e6f * d);
    glFogf(GL_FOG_END, 2e6f * d);
    glClear(GL_DEPTH_BUFFER_BIT);

    glRotatef(hmsc.psi, 0.0f, 1.0f, 0.0f);
    glRotatef(hmsc.the, -1.0f, 0.0f, 0.0f);
    glRotatef(hmsc.phi, 0.0f, 0.0f, 1.0f);
    glTranslatef(0.0f, -pln[0].cgY, -pln[0].cgZ);
    pose();
    plot_plane(0, 1);

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    OGL_setstate(0, 0, 0, 0);
    glColor3f(1.0f, 1.0f, 1.0f);
}

void hw_turn_step(void)
{
    const float now = mnw.time_elapsed;
    if (hmsc.rotate_code == HW_TURN_QUICK || hmsc.rotate_code == HW_TURN_LONG) {
        hmsc.the = 0.0f;
        hmsc.psi = 0.0f;
        hmsc.phi = 90.0f;
        hmsc.turn_goal = hmsc.rotate_code == HW_TURN_QUICK ? QUICK_TURN : LONG_TURN;
        hmsc.turned = 0.0f;
        hmsc.turn_clock = now;
        hmsc.rotate_code = 0;
        return;
    }
    if (hmsc.turn_goal <= 0.0f) return;
    float dt = now - hmsc.turn_clock;
    hmsc.turn_clock = now;
    if (!(dt > 0.0f)) return;
    const float step = fltmin2(TURN_RATE * dt, hmsc.turn_goal - hmsc.turned);
    hmsc.turned += step;
    hmsc.psi = fltwrap(hmsc.psi - step, 0.0f, 360.0f);
    hmsc.phi = fltwrap(hmsc.phi - step, 0.0f, 360.0f);
    if (hmsc.turned >= hmsc.turn_goal) hmsc.turn_goal = 0.0f;
}

void hw_update(void)
{
    if (mnw.topwin != 0 && mnw.mouse_clicked) hmsc.planemod = 1;

    // The preview behind everything, of the model as the last pass left it; then the open window
    // (or the menu bar) over it again.
    if (mnw.topwin == 0) hmsc.dis_to_plane = find_dis_to_plane();
    if (hmsc.bluesky) sky();
    manage_plot();
    if (mnw.topwin == 0)
        OGL_plot_background_over(0.0f, 583.0f, 800.0f, 600.0f);
    else
        OGL_plot_background_over(mnw.x - 6.0f, mnw.y - 6.0f, mnw.x + mnw.dx + 6.0f, mnw.y + mnw.dy + 21.0f);

    // A value the window's fields hold in range or the rules set is a change to save like a click's.
    g_before = pln[0];
    hw_window_fields();
    hw_consistency();
    if (std::memcmp(&g_before, &pln[0], sizeof g_before) != 0) hmsc.planemod = 1;
    load_plane_geo(0, 0, 0);
    hw_turn_step();
}
