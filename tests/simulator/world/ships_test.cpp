// ships_test.cpp -- the carrier, the frigate and the oil rig for the flight: which points their decks
// hold, the arresting wires, the catapult, the optical landing aid, the deck frame and navaids they
// publish; then flights in the flight model over open sea with a ship in a cell, the ship's logic
// run once a frame as the outside view runs it: the catapult start resting on the pitching deck, a
// launch off the bow, a trap in the wires, the landing signal officer on an approach, and a
// helicopter standing on the frigate's and the oil rig's pads.
#include "do_speech.h"
#include "flight_harness.h"
#include "flight_hooks.h"
#include "fltutil.h"
#include "hl_funct.h"
#include "hl_mnw.h"
#include "hl_types.h"
#include "kvtest.h"
#include "plt_audio.h"
#include "ships.h"
#include "startpos.h"

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr float PI = 3.14159265f;
constexpr float DEG = PI / 180.0f;

// ---- the geometry, by hand-worked points ---------------------------------------------------------

class ShipGeometry : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        hl_fill_constants();
        fill_ship_models();
    }
};

TEST_F(ShipGeometry, CarrierDeckHoldsTheDrawnDeckAndNothingBeyond)
{
    struct Row {
        const char* where;
        float x, z;
        int on;
    } rows[] = {
        {"the middle", 0, 0, 1},
        {"port stern corner, inside the drawn deck", -18, 150, 1},
        {"just inside the stern edge (z 157 at x 0)", 0, 156, 1},
        {"just past the stern edge", 0, 158, 0},
        {"the bow", 0, -150, 1},
        {"past the bow", 0, -156, 0},
        {"the angled deck's port extension", -30, 0, 1},
        {"port of the angled deck's aft edge (x -25 at z 100)", -30, 100, 0},
        {"the island's sponson", 30, 50, 1},
        {"ahead of the sponson's slanted edge (x 20.5 at z -60)", 30, -60, 0},
        {"starboard abaft the sponson", 25, 120, 0},
        {"over the water to port", -40, 0, 0},
    };
    for (const Row& r : rows) EXPECT_EQ(carr_deck_holds(r.x, r.z), r.on) << r.where;
}

TEST_F(ShipGeometry, EveryPointOfTheWiresZoneIsOverTheDeck)
{
    int inside = 0;
    for (float x = -25.0f; x <= 15.0f; x += 0.5f)
        for (float z = 70.0f; z <= 140.0f; z += 0.5f)
            if (carr_wire_zone(x, z)) {
                inside++;
                EXPECT_TRUE(carr_deck_holds(x, z)) << x << ", " << z;
            }
    // The zone's area by the shoelace formula over its corners: 1615.5 square metres.
    EXPECT_NEAR(inside * 0.25, 1615.5, 40.0);
}

TEST_F(ShipGeometry, WiresZoneAndCatapultSquare)
{
    struct Row {
        const char* where;
        float x, z;
        int wire, cat;
    } rows[] = {
        {"mid wires", 0, 100, 1, 0},
        {"short of the first wire", 0, 140, 0, 0},
        {"port edge of the wires (x -21.75 at z 90)", -20, 90, 1, 0},
        {"starboard of the wires (x 7.04 at z 90)", 10, 90, 0, 0},
        {"the catapult spot", -12.5f, -55, 0, 1},
        {"the catapult square's corner", -16.5f, -59, 0, 1},
        {"port of the square", -17, -55, 0, 0},
        {"abaft the square", -12, -50, 0, 0},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(carr_wire_zone(r.x, r.z), r.wire) << r.where;
        EXPECT_EQ(carr_catapult_square(r.x, r.z), r.cat) << r.where;
    }
}

TEST_F(ShipGeometry, TrapStopsInAHundredMetresAndTheBallStepsByDegree)
{
    for (float v : {30.0f, 20.0f, 10.0f}) EXPECT_NEAR(carr_trap_accel(v), v * v / 200.0f, 1e-4f) << v;
    EXPECT_NEAR(carr_trap_accel(30.0f), 4.5f, 1e-5f);
    struct Row {
        float glide;   // degrees above the deck's datum, seen 1000 m astern
        int step;
    } rows[] = {{3.5f, 0}, {4.6f, 1}, {2.6f, -1}, {1.9f, -2}, {1.0f, -2}, {10.0f, 2}, {-3.0f, -2}};
    for (const Row& r : rows) {
        const float d = 1000.0f;
        EXPECT_EQ(carr_ball_step(0.6f * d, d * std::tan(r.glide * DEG), 0.8f * d), r.step) << r.glide;
    }
}

// The carrier's frame logic with the aircraft at offsets (px, pz) from a cell middle.
class CarrierFrame : public ShipGeometry {
protected:
    const float mx = 50000.0f, my = 0.0f, mz = 60000.0f;
    void at(float px, float pz, float agl = 1.0f)
    {
        flt.X[0] = mx + px;
        flt.Z[0] = mz + pz;
        flt.Y[0] = my + 21.0f + agl;
        env.over_carr = env.over_frig = env.over_obs = 0;
    }
    void SetUp() override
    {
        ShipGeometry::SetUp();
        env.lox = 0.0f;
        env.hiz = 200000.0f;
        env.lat_sou = 33;
        env.lon_wes = -118;
        env.dx = 300000.0f;
        env.dz = 220000.0f;
        for (int c = 0; c < 3; c++)
            for (int r = 0; r < 2; r++) {
                env.lonwes_ref[c][r] = static_cast<float>(env.lon_wes + c);
                env.planex_ref[c][r] = 92000.0f * static_cast<float>(c);
            }
        msc.elap_time = 321.0f;
    }
};

TEST_F(CarrierFrame, OverTheDeckItPublishesTheDeckFrame)
{
    env.carr_the = 1.0f;
    env.carr_phi = -2.0f;
    at(0.0f, 10.0f);
    carr_frame(mx, my, mz);
    EXPECT_EQ(env.over_carr, 1);
    EXPECT_EQ(env.surf_type, 62);
    EXPECT_EQ(con.BOAT_loc_X, mx);
    EXPECT_EQ(con.BOAT_loc_Y, my);
    EXPECT_EQ(con.BOAT_loc_Z, mz);
    EXPECT_NEAR(con.sinBOATthe, 0.0174524f, 1e-6f);
    EXPECT_NEAR(con.cosBOATthe, 0.9998477f, 1e-6f);
    EXPECT_NEAR(con.sinBOATphi, -0.0348995f, 1e-6f);
    EXPECT_NEAR(con.cosBOATphi, 0.9993908f, 1e-6f);
    // The deck 21 m up, seen by the ground search the flight model makes.
    int i = 0, j = 0;
    const float h0 = find_local_h(mx, mz, &i, &j, 1);
    EXPECT_NEAR(h0, 21.0f * 0.9998477f * 0.9993908f, 1e-3f);
    // 10 m further aft the deck is lower by 10 tan(1 degree) as the bow pitches up.
    EXPECT_NEAR(find_local_h(mx, mz + 10.0f, &i, &j, 1) - h0, -10.0f * std::tan(1.0f * DEG), 1e-3f);

    at(-40.0f, 0.0f);
    carr_frame(mx, my, mz);
    EXPECT_EQ(env.over_carr, 0) << "over the water beside the ship";
}

TEST_F(CarrierFrame, LandingReferenceAndNavaidsFollowTheShip)
{
    at(-35.0f, 1076.0f, 100.0f);   // 1000 m astern of the datum light, 98 m above it
    const int ball = carr_frame(mx, my, mz);
    EXPECT_FLOAT_EQ(atc.cardxyz[0], 0.0f);
    EXPECT_FLOAT_EQ(atc.cardxyz[1], 98.0f);
    EXPECT_FLOAT_EQ(atc.cardxyz[2], 1000.0f);
    EXPECT_EQ(atc.card_time, 321.0f);
    EXPECT_EQ(ball, 2);   // 5.6 degrees: high
    struct Row {
        int slot, type, hdng;
    } rows[] = {{0, 4, 352}, {1, 6, 4}};
    for (const Row& r : rows) {
        EXPECT_EQ(nav_type[r.slot], r.type);
        EXPECT_EQ(nav_frq[r.slot], 10800);
        EXPECT_EQ(nav_hdng[r.slot], r.hdng);
        EXPECT_EQ(nav_inreg[r.slot], 1);
        EXPECT_NEAR(nav_lat[r.slot], lat_with_z(mz), 1e-5);
        EXPECT_NEAR(nav_lon[r.slot], lon_with_xz(mx, mz), 1e-5);
        EXPECT_EQ(nav_h[r.slot], my);
        EXPECT_STREQ(nav_id[r.slot], "----");
        EXPECT_STREQ(nav_name[r.slot], "USS Enterprise");
    }
    // The ship's latitude: 140000 m north of the region's south edge at 33 N (z runs south from hiz).
    EXPECT_NEAR(nav_lat[0], 33.0 + (200000.0 - 60000.0) / (60.0 * 1852.0), 0.02);
}

TEST_F(CarrierFrame, WiresCatchARollingHookAndLetGoSideways)
{
    struct Row {
        const char* what;
        int hook, onground, wired;
        float beta, v, px, pz;
        int wired_after;
        float accel;
    } rows[] = {
        {"hook down at 30 m/s in the wires", 1, 1, 0, 0, 30, 0, 100, 1, 4.5f},
        {"hook up", 0, 1, 0, 0, 30, 0, 100, 0, 0},
        {"still flying", 1, 0, 0, 0, 30, 0, 100, 0, 0},
        {"too slow", 1, 1, 0, 0, 9, 0, 100, 0, 0},
        {"short of the wires", 1, 1, 0, 0, 30, 0, 140, 0, 0},
        {"sliding sideways past 90 degrees", 1, 1, 0, 95, 30, 0, 100, 0, 0},
        {"wired and running sideways: let go", 1, 1, 1, -95, 5, 0, 60, 0, 0},
        {"wired and rolling on: kept", 1, 1, 1, 3, 5, 0, 60, 1, 0},
    };
    for (const Row& r : rows) {
        at(r.px, r.pz, 0.0f);
        ins.hook_down = r.hook;
        flt.onground = r.onground;
        set.wired = r.wired;
        set.trap_accel = 0.0f;
        flt.Beta = r.beta;
        flt.v[0] = r.v;
        carr_frame(mx, my, mz);
        EXPECT_EQ(set.wired, r.wired_after) << r.what;
        EXPECT_NEAR(set.trap_accel, r.accel, 1e-4f) << r.what;
    }
}

TEST_F(CarrierFrame, SlowAircraftOnTheSquareIsPutOnTheCatapult)
{
    struct Row {
        const char* what;
        float v;
        int wired, inprog, onground;
        int put;
    } rows[] = {
        {"taxiing at 15 m/s", 15, 0, 0, 1, 1},
        {"at 25 m/s", 25, 0, 0, 1, 0},
        {"in a launch", 15, 0, 1, 1, 0},
        {"in the wire", 15, 1, 0, 1, 0},
        {"in the air", 15, 0, 0, 0, 0},
    };
    for (const Row& r : rows) {
        at(-15.0f, -52.0f, 0.0f);
        flt.psi[0] = 40.0f;
        flt.v[0] = r.v;
        flt.vX = 3.0;
        set.wired = r.wired;
        set.cat_inprog = r.inprog;
        set.cat_waiting = 0;
        set.parkbrake = 0.0f;
        flt.onground = r.onground;
        carr_frame(mx, my, mz);
        EXPECT_EQ(set.cat_waiting, r.put) << r.what;
        if (r.put) {
            EXPECT_DOUBLE_EQ(flt.X[0], mx - 12.5);
            EXPECT_DOUBLE_EQ(flt.Z[0], mz - 55.0);
            EXPECT_EQ(flt.psi[0], 2.0f);
            EXPECT_EQ(flt.v[0], 0.0f);
            EXPECT_EQ(flt.vX, 0.0);
            EXPECT_EQ(set.parkbrake, 1.0f);
        } else {
            EXPECT_DOUBLE_EQ(flt.X[0], mx - 15.0) << r.what;
            EXPECT_EQ(flt.psi[0], 40.0f) << r.what;
        }
    }
}

TEST_F(CarrierFrame, FrigateAndOilRigPads)
{
    struct Row {
        const char* what;
        int rig;   // 0 frigate, 1 oil rig
        float px, pz;
        int on;
    } rows[] = {
        {"frigate pad", 0, 0, 55, 1},      {"frigate pad's edge", 0, 14.9f, 40.1f, 1},
        {"frigate forward deck", 0, 0, 30, 0}, {"beside the frigate", 0, 16, 55, 0},
        {"oil rig pad", 1, 0, 80, 1},      {"oil rig main deck", 1, 0, 0, 0},
        {"beyond the rig's pad", 1, 0, 101, 0},
    };
    for (const Row& r : rows) {
        at(r.px, r.pz);
        env.surf_type = 0;
        env.obj_height = 0.0f;
        env.frig_the = 2.0f;
        if (r.rig) oilr_frame(mx, my, mz);
        else frig_frame(mx, my, mz);
        EXPECT_EQ(r.rig ? env.over_obs : env.over_frig, r.on) << r.what;
        EXPECT_EQ(env.over_carr, 0) << r.what;
        EXPECT_EQ(env.surf_type, r.on ? 62 : 0) << r.what;
        if (r.rig) {
            EXPECT_EQ(env.obj_height, r.on ? my + 62.0f : 0.0f) << r.what;
        } else if (r.on) {
            EXPECT_NEAR(con.sinBOATthe, std::sin(2.0f * DEG), 1e-6f) << r.what;
        }
    }
}

// ---- flights over the sea with a ship ---------------------------------------------------------------

enum Ship { CARRIER, FRIGATE, OILRIG };

class ShipFlight : public ::testing::Test {
public:
    int ci = REGION_NI / 2 + 3, cj = REGION_NJ / 2 + 2;   // the ship's cell
    float mid[3] = {0, 0, 0};
    Ship ship = CARRIER;

    void world(const char* aircraft, Ship s)
    {
        fh_world_options o;
        o.water = 1;
        fh_world(o);
        ASSERT_EQ(fh_load(fh_bundled(aircraft)), 1) << aircraft;
        fill_ship_models();
        ship = s;
        int32_t(*flags)[REGION_NJ] = s == CARRIER ? carr_on_poly : s == FRIGATE ? frig_on_poly : oilr_on_poly;
        flags[ci][cj] = 1;
        for (int n = 0; n < 3; n++) mid[n] = 0.5f * (planexyz[ci][cj][n] + planexyz[ci + 1][cj + 1][n]);
        atm.wave_amp = 2.0f;   // degrees of the ships' pitch and roll
    }
    // One frame of flight, then what the outside view's drawing does for the ship.
    int frame(void)
    {
        fh_frame();
        env.over_obs = env.over_carr = env.over_frig = 0;
        env.obj_height = 0.0f;
        env.surf_type = 0;
        if (ship == CARRIER) return carr_frame(mid[0], mid[1], mid[2]);
        if (ship == FRIGATE) frig_frame(mid[0], mid[1], mid[2]);
        else oilr_frame(mid[0], mid[1], mid[2]);
        return 0;
    }
    float px() const { return static_cast<float>(flt.X[0]) - mid[0]; }
    float pz() const { return static_cast<float>(flt.Z[0]) - mid[2]; }
    // The deck's height under the aircraft as the ship stands now.
    float deck_under(float h_deck) const
    {
        const float the = ship == CARRIER ? env.carr_the : env.frig_the;
        const float phi = ship == CARRIER ? env.carr_phi : env.frig_phi;
        return mid[1] + std::cos(phi * DEG) * std::cos(the * DEG) * h_deck - px() * std::tan(phi * DEG) -
               pz() * std::tan(the * DEG);
    }
};

TEST_F(ShipFlight, CatapultStartRestsOnTheDeckAndRidesItsPitch)
{
    world(FH_JET, CARRIER);
    set_fltvars(START_CATAPULT, 0);
    EXPECT_EQ(set.cat_waiting, 1);
    EXPECT_NEAR(px(), -12.5f, 0.01f);
    EXPECT_NEAR(pz(), -55.0f, 0.01f);
    frame();
    float lo = 1e9f, hi = -1e9f, worst = 0.0f;
    for (int k = 0; k < 60 * 12; k++) {
        frame();
        if (k < 120) continue;   // the gear settles from the drop onto the deck
        ASSERT_EQ(env.over_carr, 1) << "frame " << k;
        const float deck = deck_under(21.0f);
        lo = fltmin2(lo, deck);
        hi = fltmax2(hi, deck);
        worst = fltmax2(worst, std::fabs(static_cast<float>(flt.Y[0]) - deck - pln[0].h_eqlbm));
    }
    // Pitching 2 degrees, the deck 55 m forward of the middle rises and falls by 55 tan 2 = 1.9 m.
    EXPECT_GT(hi - lo, 2.0f * 55.0f * std::tan(2.0f * DEG) * 0.8f);
    EXPECT_LT(worst, 0.35f) << "the aircraft stays at its resting height above the moving deck";
    EXPECT_NEAR(px(), -12.5f, 1.5f);
    EXPECT_NEAR(pz(), -55.0f, 1.5f);
    EXPECT_EQ(set.cat_waiting, 1);
}

TEST_F(ShipFlight, CatapultLaunchReachesFlyingSpeedOffTheBow)
{
    world(FH_JET, CARRIER);
    set_fltvars(START_CATAPULT, 0);
    for (int k = 0; k < 60; k++) frame();
    // Full power, brakes off: the launch starts as the brake release starts it.
    fh_controls c = fh_get_controls();
    c.throttle = 1.0f;
    c.brake = 0.0f;
    fh_set_controls(c);
    set.cat_waiting = 0;
    set.cat_inprog = 1;
    float v_bow = -1.0f, t0 = msc.elap_time;
    for (int k = 0; k < 60 * 10 && v_bow < 0.0f; k++) {
        frame();
        if (pz() < -154.0f) v_bow = flt.v[0];
    }
    ASSERT_GT(v_bow, 0.0f) << "never left the bow";
    // The stroke alone, a = est_Vs^2/200 over the 99 m to the bow, gives sqrt(0.99) = 0.995 est_Vs
    // in sqrt(2 x 99 / a) = 199 / est_Vs seconds; the engines spooling up about hold the rolling drag.
    EXPECT_GT(v_bow, 0.97f * msc.est_Vs);
    EXPECT_LT(v_bow, 1.1f * msc.est_Vs);
    EXPECT_NEAR(msc.elap_time - t0, 199.0f / msc.est_Vs, 0.4f);
    EXPECT_NEAR(flt.psi[0], 2.0f, 2.0f);
    EXPECT_EQ(env.over_carr, 0);
    EXPECT_EQ(set.cat_inprog, 1);
}

// Rolls a jet onto the deck's stern at 30 m/s, idle, brakes off; returns where it stopped (z from
// the middle) or +1e9 when it ran off the deck.
float roll_in(ShipFlight& f, int hook, float* caught_z)
{
    set_fltvars(START_CATAPULT, 0);
    set.cat_waiting = 0;
    for (int k = 0; k < 60; k++) f.frame();
    fh_controls c = fh_get_controls();
    c.throttle = 0.0f;
    c.brake = 0.0f;
    fh_set_controls(c);
    flt.X[0] = f.mid[0];
    flt.Z[0] = f.mid[2] + 150.0f;
    flt.psi[0] = 0.0f;
    flt.vZ = -30.0;
    flt.vX = 0.0;
    set.cat_waiting = 0;   // off the catapult's square now
    ins.hook_down = hook;
    *caught_z = 1e9f;
    for (int k = 0; k < 60 * 15; k++) {
        f.frame();
        if (set.wired && *caught_z > 1e8f) *caught_z = f.pz();
        if (!env.over_carr) return 1e9f;
        if (flt.v[0] < 0.3f && k > 60) break;
    }
    return f.pz();
}

TEST_F(ShipFlight, HookInTheWiresStopsTheAircraftOnTheDeck)
{
    world(FH_JET, CARRIER);
    atm.wave_amp = 0.0f;
    float caught;
    const float stop = roll_in(*this, 1, &caught);
    ASSERT_LT(caught, 140.0f) << "the wire never caught";
    EXPECT_GT(caught, 120.0f) << "caught at the first wire, 133 m abaft the middle on the centre line";
    ASSERT_LT(stop, 1e8f) << "ran off the deck";
    EXPECT_LE(caught - stop, 100.0f + 5.0f) << "stopped within the wire's 100 m";
    EXPECT_GT(caught - stop, 60.0f) << "the rolling drag does not stop a jet in much less";
    EXPECT_TRUE(carr_deck_holds(px(), pz()));

    // Without the hook the same roll goes on well past that point (or off the bow).
    float none;
    const float free_stop = roll_in(*this, 0, &none);
    EXPECT_GT(none, 1e8f) << "no wire without the hook";
    EXPECT_TRUE(free_stop > 1e8f || free_stop < stop - 50.0f) << free_stop;
}

TEST_F(ShipFlight, SignalOfficerTalksDownACarrierApproach)
{
    world(FH_JET, CARRIER);
    atm.wave_amp = 0.0f;
    set_fltvars(START_CARRIER_APP, 0);
    // The start: on the 352-degree course, 3.5 degrees above the deck.
    EXPECT_EQ(flt.psi[0], 352.0f);
    frame();
    const float d = pythag(atc.cardxyz[0], atc.cardxyz[2]);
    EXPECT_NEAR(std::atan2(atc.cardxyz[1], d) / DEG, 3.5f, 0.5f);
    // The officer speaks through the speech engine into the sound stream, as in the program, and
    // is called through the flight model's hook every fourth second as its events call him.
    PLT_speech_flush();
    clear_recorded_alerts();
    ASSERT_EQ(initspeechsynth(), 1) << PLT_speech_error();
    msc.speech_avail = 1;
    set.voice_out = 1;
    ASSERT_NE(flt_hooks.LSO_respond, nullptr);
    std::vector<std::string> calls;
    for (int k = 0; k < 60 * 12; k++) {
        frame();
        if (k % 240 == 0) {
            atc.response[0] = 0;
            flt_hooks.LSO_respond();
            if (atc.response[0]) calls.push_back(atc.response);
        }
    }
    ASSERT_TRUE(PLT_speech_wait(10000));
    const int queued = PLT_speech_queued();
    PLT_speech_close();
    PLT_speech_flush();
    ASSERT_FALSE(calls.empty()) << "the officer said nothing";
    EXPECT_EQ(calls[0], "Call the ball.");
    for (const std::string& s : calls) {
        bool known = false;
        for (const char* k : {"Call the ball.", "Power", "Power On", "Power Off", "Right for lineup", "Come left",
                              "Wave Off!", "Attitude!"})
            known = known || s == k;
        EXPECT_TRUE(known) << s;
    }
    // Every call spoken: even the shortest lasts a quarter of a second at the engine's 22050 Hz.
    EXPECT_GT(queued, static_cast<int>(calls.size()) * 22050 / 4) << calls.size() << " calls";
    EXPECT_TRUE(recorded_alerts().empty());
}

TEST_F(ShipFlight, HelicopterStandsOnTheFrigateAndTheOilRig)
{
    struct Row {
        Ship ship;
        float px, pz, deck;
    } rows[] = {{FRIGATE, 0.0f, 55.0f, 7.0f}, {OILRIG, 0.0f, 80.0f, 62.0f}};
    for (const Row& r : rows) {
        world(FH_HELI, r.ship);
        fh_start_ground(0.0f);
        flt.X[0] = mid[0] + r.px;
        flt.Z[0] = mid[2] + r.pz;
        flt.Y[0] = mid[1] + r.deck + pln[0].h_eqlbm + 0.2f;
        fh_controls c = fh_get_controls();
        c.collective = 0.0f;
        fh_set_controls(c);
        frame();
        float worst = 0.0f;
        for (int k = 0; k < 60 * 10; k++) {
            frame();
            ASSERT_EQ(r.ship == FRIGATE ? env.over_frig : env.over_obs, 1) << "frame " << k;
            if (k < 120) continue;
            const float deck = r.ship == FRIGATE ? deck_under(r.deck) : mid[1] + r.deck;
            worst = fltmax2(worst, std::fabs(static_cast<float>(flt.Y[0]) - deck - pln[0].h_eqlbm));
        }
        EXPECT_LT(worst, 0.4f) << (r.ship == FRIGATE ? "frigate" : "oil rig");
        EXPECT_TRUE(fh_state_finite());
    }
}

}  // namespace
