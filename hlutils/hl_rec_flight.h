// hl_rec_flight.h -- the flight state `flt`: controls, forces by source, attitude, motion, position.
// Cleared at start-up and, except positions, attitudes and speeds, by every start or reset.
//
// World frame: X east, Y up, Z south (north is -Z), metres. Body frame of the aircraft record:
// x lateral (right), y vertical (up), z longitudinal (aft). Angles in degrees unless named *rad.
// Arrays of 12 hold the user's aircraft at 0 and the eleven other aircraft at 1..11; arrays of 4
// are per engine, [28] per part and [28][8] per part and element.
#pragma once
#include <cstdint>

struct flightstruct {
    float lat, lon;   // degrees, the user's aircraft

    // ---- position, attitude and speed of every aircraft ----
    double X[12], Y[12], Z[12];      // m, world frame
    float the[12], psi[12], phi[12]; // pitch -180..180, heading 0..360, roll -180..180, degrees
    float v[12];                     // m/s, ground speed (the others: their airspeed)

    // ---- motion of the user's aircraft ----
    double vX, vY, vZ;               // m/s, world frame
    float aX, aY, aZ;                // m/s^2, world frame (east, up, south)
    float P, Q, R;                   // deg/s: roll (right), pitch (nose up), yaw (nose right)
    float Prad, Qrad, Rrad;          // rad/s, the same rates
    float Pdot, Qdot, Rdot;          // deg/s^2
    float thedot, psidot, phidot;    // deg/s, Euler-angle rates

    // ---- air data ----
    float av;                        // m/s, true airspeed
    float machno;
    float vaxial;                    // m/s, airspeed along the body's nose
    float vind;                      // knots, indicated airspeed (never below 0)
    float Qstatic;                   // Pa, dynamic pressure 0.5 rho av^2
    float Qratio;                    // (vind / Vne)^2
    float dist;                      // m, distance flown over the ground
    float hind;                      // m, indicated altitude
    float magpsi;                    // degrees, magnetic heading
    float vpath, avpath;             // degrees, path climb angle over the ground and through the air
    float hpath, ahpath;             // degrees 0..360, path heading over the ground and through the air
    float Alph, Beta;                // degrees, angle of attack and sideslip

    // ---- trigonometric caches refreshed by the integration ----
    float sinthe, costhe, sinpsi, cospsi, sinphi, cosphi;
    float sinalph, cosalph, sinbeta, cosbeta;
    float sinhpath, coshpath, sinvpath, cosvpath;
    float sinahpath, cosahpath, sinavpath, cosavpath;
    float sinphi_path, cosphi_path;  // bank about the air path (flipped when flying backwards)

    // ---- force and moment sums, cleared every sub-step ----
    float faxilprop, fsideprop, fnrmlprop;  // N, body axes: forward, right, up
    float faxilaero, fsideaero, fnrmlaero;  // N, flight-path axes: forward, right, up
    float faxilgear, fsidegear, fnrmlgear;  // N, heading and vertical axes: forward, right, up
    float L, M, N;                          // N m, body axes: roll right, pitch up, yaw right

    // ---- per element of the lifting parts and blades ----
    float alpha[28][8];              // degrees, local angle of attack
    float v_el[28][8];               // m/s, local airspeed
    float deldir[28][8];             // degrees, flow-direction change of the element
    float downwash[28][8];           // degrees, applied on the next sub-step
    int32_t stalled[28];             // the part is beyond its stall angle
    int32_t stallwarning;            // some wing part is within 4 degrees of its stall

    // ---- control surfaces and configuration ----
    float lailndef, railndef;        // degrees, ailerons (positive trailing edge up)
    float lsplrdef, rsplrdef;        // degrees, spoilers
    float lhstbdef, rhstbdef;        // degrees, elevator or stabilator halves
    float ldruddef, rdruddef;        // degrees, drag rudders
    float ruddef;                    // degrees, rudder (positive trailing edge right)
    float elv_trim, ail_trim, rud_trim;  // -1..1
    float flap, flaprqst;            // 0..1, flap position and request
    float slat;                      // 0..1, slat deployment
    int32_t sbrk;                    // speed brakes: -1 armed, 0 in, 1..2 out
    float swee, sweerqst;            // 0..1, wing sweep and its request
    float vectrqst;                  // degrees, thrust-vector request
    float jatoleft;                  // s, rocket burn left

    // ---- engines, propellers and rotors ----
    float tac[4];                    // rad/s, propeller or rotor speed
    float trq[4];                    // N m, engine torque
    float Dtq[4];                    // N m, propeller drag torque
    float thrust[4];                 // N
    float power[4];                  // W
    float mpr[4];                    // inches of mercury, manifold pressure
    float proppitch[4];              // degrees, blade pitch
    float prop[4];                   // rad/s, propeller speed the lever asks for
    float throrqst[4], thro[4];      // 0..1, throttle request and throttle
    float mixt[4];                   // 0..1, mixture lever
    float mixt_powr_rat[4];          // 0..1, power left by the mixture
    float mixt_temp_rat[4];          // 0..1, exhaust temperature ratio by the mixture
    int32_t eng_running[4];          // the engine burns fuel and makes power
    int32_t revving_thrust[4];       // reverser deployed
    int32_t after_burning[4];        // afterburner lit
    float parteqlbmthrust[4];        // 0..1, jet spool
    float n1_[4];                    // percent, jet fan speed
    float DVinc[4];                  // m/s, propwash speed increase far behind the disc
    float ringDVinc[4][8];           // m/s, the same per ring of blade elements
    float sidecant[4], vertcant[4];  // degrees, current tilt of each thrust line
    float carb_ice[4];               // 0..1
    float heat[4];                   // 0..1, carburettor heat
    float ff_[4];                    // kg/s, fuel flow

    // ---- masses ----
    float m_total;                   // kg
    float m_fixed;                   // kg, crew, passengers and baggage
    float m_fuel;                    // kg
    float m_jettison;                // kg, jettisonable load aboard
    float frame_ice;                 // 0..1, airframe ice (adds mass in proportion)

    // ---- ground effect factors of the lifting parts ----
    float CL_grndeffect[28];         // 1..2, lift multiplier
    float CDIgrndeffect[28];         // 0.5..1, induced-drag multiplier

    // ---- states ----
    int32_t onground;                // some contact point pushes this sub-step
    int32_t over_vne;                // the right wing has broken off above the never-exceed speed
    int32_t over_vfe;                // flaps were extended above their limit speed
};

extern flightstruct flt;
