// hw_fields.cpp -- the editing windows of both item sets and their tables of entry fields: what
// each field edits, its places, range, label and help line; and the drawing of a table.
#include "hl_btn.h"
#include "hl_graph.h"
#include "hl_types.h"
#include "hullwright.h"
#include "hw_local.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

#define F(f) [](int) -> float* { return &pln[0].f; }
#define FP(f) [](int p) -> float* { return &pln[0].f[p]; }
#define I(f) [](int) -> int32_t* { return &pln[0].f; }
#define IP(f) [](int p) -> int32_t* { return &pln[0].f[p]; }

constexpr hw_field num(const char* label, int col, int row, float* (*at)(int), int digits, int decimals, float lo,
                       float hi, const char* help, int engines = 0)
{
    return {FK_NUM, label, col, row, at, nullptr, digits, decimals, lo, hi, help, POS_NONE, nullptr, 0, 0, engines};
}
// A position: help built from the thing's name.
constexpr hw_field pos(const char* label, int col, int row, float* (*at)(int), int axis, const char* thing)
{
    return {FK_NUM, label, col, row, at, nullptr, 4, 1, -999.9f, 999.9f, thing, axis, nullptr, 0, 0, 0};
}
constexpr hw_field whole(const char* label, int col, int row, int32_t* (*at)(int), float lo, float hi,
                         const char* help)
{
    return {FK_INT, label, col, row, nullptr, at, 1, 0, lo, hi, help, POS_NONE, nullptr, 0, 0, 0};
}
constexpr hw_field noyes(const char* label, int col, int row, int32_t* (*at)(int), const char* help)
{
    return {FK_NOYES, label, col, row, nullptr, at, 0, 0, 0, 1, help, POS_NONE, nullptr, 0, 0, 0};
}
template <size_t N>
constexpr hw_field choice(const char* label, int col, int row, int32_t* (*at)(int), const char* const (&texts)[N],
                          int first, const char* help)
{
    return {FK_CHOICE, label, col, row, nullptr, at, 0, 0, 0, 0, help, POS_NONE, texts, static_cast<int>(N), first, 0};
}

// Engine kinds: 1 carburetted and 2 fuel-injected piston, 3 turboprop, 4 and 5 jets.
constexpr int PISTON = (1 << 1) | (1 << 2);
constexpr int PROP_ENGINE = PISTON | (1 << 3);
constexpr int JET = (1 << 4) | (1 << 5);

const char* const k_engine_kinds[] = {" carbuerated recip ", "fuel-injected recip", "     turboprop     ",
                                      "   low-bypass jet  ", "   high-bypass jet "};
const char* const k_panels[] = {"  round gauges  ", "   glass panel  "};
const char* const k_vvi[] = {"+-2000 ft/min", "+-5000 ft/min"};
const char* const k_hud[] = {"      none      ", " head-up display", " HUD + synthetic"};
const char* const k_asi[] = {"     linear     ", "   power law    ", " linear + drum  "};
const char* const k_adf[] = {"   fixed card   ", "  rotating card "};
const char* const k_turn[] = {"turn coordinator", " needle and ball"};
const char* const k_gear[] = {"      none      ", "      skids     ", "  single wheel  ", " 2 side-by-side ",
                              "   2 fore-aft   ", "  4-wheel truck "};
const char* const k_stab[] = {"stabilizer", "stabilator"};

// ---- Viewpoint, Panel, Force Feedback -----------------------------------------------------------

const char k_vso[] = "This is the stall speed with flaps and gear down: the bottom of the white arc on the airspeed indicator.";
const char k_vs[] = "This is the stall speed with flaps and gear up: the bottom of the green arc on the airspeed indicator.";
const char k_vfe[] = "This is the highest speed at which the flaps may be extended: the top of the white arc.";
const char k_vno[] = "This is the maximum structural cruising speed: the top of the green arc, where the yellow arc starts.";
const char k_vne[] = "This is the never-exceed speed: the red line on the airspeed indicator. Above it the aircraft may break up.";
const char k_mmo[] = "This is the highest Mach number the aircraft may fly at, shown on the airspeed indicator of a jet.";
const char k_eye[] = "pilot's viewpoint location";

const hw_field k_viewpoint_plane[] = {
    num("Vso", 0, 1, F(Vso), 3, 0, 0, 999, k_vso),
    num("Vs", 1, 1, F(Vs), 3, 0, 0, 999, k_vs),
    num("Vfe", 2, 1, F(Vfe), 3, 0, 0, 999, k_vfe),
    num("Vno", 3, 1, F(Vno), 3, 0, 0, 999, k_vno),
    num("Vne", 4, 1, F(Vne), 3, 0, 0, 999, k_vne),
    num("Mmo", 0, 2, F(Mmo), 3, 2, 0, 9.99f, k_mmo),
    pos("eye aft", 0, 3, F(peZ), POS_Z, k_eye),
    pos("eye right", 1, 3, F(peX), POS_X, k_eye),
    pos("eye up", 2, 3, F(peY), POS_Y, k_eye),
};
const hw_field k_viewpoint_heli[] = {
    num("Vne", 0, 1, F(Vne), 3, 0, 0, 999, k_vne),
    pos("eye aft", 0, 3, F(peZ), POS_Z, k_eye),
    pos("eye right", 1, 3, F(peX), POS_X, k_eye),
    pos("eye up", 2, 3, F(peY), POS_Y, k_eye),
};

const hw_field k_panel[] = {
    choice("panel", 0, 0, I(paneltype), k_panels, 1, "Round gauges, or a glass panel of screens."),
    choice("vertical speed", 1, 0, I(VVItype), k_vvi, 1, "The range of the vertical speed indicator."),
    choice("head-up display", 2, 0, I(HUDtype), k_hud, 1, "Whether the aircraft has a head-up display."),
    whole("supplementary", 3, 0, I(supptype), 0, 7,
          "The supplementary instrument: 1 VOR and glide slope, 2 storm scope, 3 moving map, 4 radar altimeter, "
          "5 variometer, 6 weather radar, 7 radio magnetic indicator."),
    choice("airspeed dial", 0, 1, I(AStype), k_asi, 1, "How the airspeed indicator's dial is laid out."),
    choice("direction finder", 1, 1, I(ADFtype), k_adf, 1, "The face of the automatic direction finder."),
    choice("turn indicator", 2, 1, I(TStype), k_turn, 1, "A turn coordinator, or a turn needle with its ball."),
};

const hw_field k_force[] = {
    whole("hydraulic", 0, 0, I(ff_hydraulic), 0, 1,
          "1 if the controls are hydraulic: the force-feedback stick then holds still against the air loads."),
    whole("stick shaker", 1, 0, I(ff_stickshaker), 0, 1,
          "1 if a stick shaker warns of the stall through the force-feedback stick."),
};

// ---- engines and propellers ---------------------------------------------------------------------

const hw_field k_engines[] = {
    choice("engine type", 0, 0, I(entype), k_engine_kinds, 1, "The kind of engine the aircraft has."),
    noyes("reverse thrust", 2, 0, I(revthrustEQ), "Whether the engines have reverse thrust."),
    whole("engines", 3, 0, I(numen), 0, 4, "The number of engines, 0 to 4."),
    num("fuel per hp", 0, 1, F(sfc), 3, 2, 0, 9.99f,
        "The specific fuel consumption: pounds of fuel per horsepower per hour. About 0.45 for a piston engine.",
        PROP_ENGINE),
    num("fuel per lb", 0, 1, F(sfc), 3, 2, 0, 9.99f,
        "The specific fuel consumption: pounds of fuel per pound of thrust per hour. About 0.5 to 1 for a jet.", JET),
    num("max power", 1, 1, F(pmax), 5, 0, 0, 99999, "The engine's maximum power, in horsepower.", PROP_ENGINE),
    num("gear ratio", 2, 1, F(gearrat), 4, 2, 0, 99.99f,
        "The ratio of engine speed to propeller speed. 1 for an engine that drives its propeller directly.",
        PROP_ENGINE),
    num("critical alt", 3, 1, F(critalt), 5, 0, 0, 99999,
        "The altitude in feet up to which a turbocharger keeps full power. 0 for an engine without one.", PROP_ENGINE),
    num("max manifold", 4, 1, F(mpmax), 3, 1, 0, 99.9f,
        "The highest manifold pressure, in inches of mercury. About 29.9 for an engine without a turbocharger.",
        PISTON),
    num("max rpm", 1, 2, F(omegamax), 5, 0, 0, 99999, "The engine's red-line speed, in rpm.", PROP_ENGINE),
    num("idle rpm", 2, 2, F(omegamin), 5, 0, 0, 99999, "The engine's idle speed, in rpm.", PROP_ENGINE),
    num("green top rpm", 3, 2, F(omegamaxgreen), 5, 0, 0, 99999, "The top of the tachometer's green arc.",
        PROP_ENGINE),
    num("green low rpm", 4, 2, F(omegamingreen), 5, 0, 0, 99999, "The bottom of the tachometer's green arc.",
        PROP_ENGINE),
    num("max thrust", 1, 1, F(tmax), 6, 0, 0, 999999, "The static thrust of one engine, in pounds.", JET),
    num("burner thrust", 2, 1, F(burnerinc), 6, 0, 0, 999999,
        "The thrust the afterburner adds, in pounds. 0 for an engine without one.", JET),
    num("face area", 3, 1, F(facejet), 4, 1, 0, 999.9f, "The area of the engine's intake face, in square feet.",
        JET),
    num("spool time", 4, 1, F(spooltime), 3, 1, 0, 99.9f,
        "The time in seconds the engine takes to spool up from idle to full thrust.", JET),
};

const hw_field k_props[] = {
    noyes("variable pitch", 0, 0, I(varpitchEQ),
          "Whether the propellers have variable pitch (a constant-speed propeller)."),
    num("min pitch", 1, 0, FP(minpitch), 3, 1, -90, 90,
        "The lowest blade pitch of a variable-pitch propeller, in degrees at three-quarters of the radius."),
    num("max pitch", 2, 0, FP(maxpitch), 3, 1, 0, 90,
        "The highest blade pitch of a variable-pitch propeller, in degrees at three-quarters of the radius."),
    num("blades", 0, 1, FP(numblades), 1, 0, 2, 9, "The number of blades on each propeller."),
    num("radius", 1, 1, FP(semilen), 3, 1, 0.1f, 99.9f, "The radius of the propeller, in feet."),
    num("root chord", 2, 1, FP(Croot), 3, 1, 0.1f, 99.9f, "The chord of each blade at its root, in feet."),
    num("tip chord", 3, 1, FP(Ctip), 3, 1, 0.1f, 99.9f, "The chord of each blade at its tip, in feet."),
};

const hw_field k_rotor[] = {
    num("blades", 0, 0, FP(numblades), 1, 0, 2, 9, "The number of blades on the rotor."),
    num("radius", 1, 0, FP(semilen), 3, 1, 0.1f, 99.9f, "The radius of the rotor, in feet."),
    num("root chord", 2, 0, FP(Croot), 3, 1, 0.1f, 99.9f, "The chord of each blade at its root, in feet."),
    num("tip chord", 3, 0, FP(Ctip), 3, 1, 0.1f, 99.9f, "The chord of each blade at its tip, in feet."),
    num("min pitch", 0, 1, FP(minpitch), 3, 1, -90, 90,
        "The lowest blade pitch (collective down, or full left pedal for a tail rotor), in degrees."),
    num("max pitch", 1, 1, FP(maxpitch), 3, 1, 0, 90,
        "The highest blade pitch (collective up, or full right pedal for a tail rotor), in degrees."),
};

const hw_field k_rotor_system[] = {
    num("forward cant", 0, 0, [](int) -> float* { return &pln[0].vertcant[0]; }, 3, 1, -180, 180,
        "The angle of the main rotor's thrust up from straight back: 90 points it straight up, a little less "
        "tilts the disc forward."),
    num("side cant", 1, 0, [](int) -> float* { return &pln[0].sidecant[0]; }, 3, 1, -180, 180,
        "The angle the main rotor's disc is tilted to the side."),
    num("tail/main rpm", 2, 0, F(trotor_rat), 3, 1, 1, 99.9f, "How many times faster the tail rotor turns than the main rotor."),
    pos("main hub aft", 0, 1, [](int) -> float* { return &pln[0].Zarm[0]; }, POS_Z, "main rotor hub"),
    pos("main hub up", 1, 1, [](int) -> float* { return &pln[0].Yarm[0]; }, POS_Y, "main rotor hub"),
    pos("tail hub aft", 0, 2, [](int) -> float* { return &pln[0].Zarm[1]; }, POS_Z, "tail rotor hub"),
    pos("tail hub right", 1, 2, [](int) -> float* { return &pln[0].Xarm[1]; }, POS_X, "tail rotor hub"),
    pos("tail hub up", 2, 2, [](int) -> float* { return &pln[0].Yarm[1]; }, POS_Y, "tail rotor hub"),
    num("pitch cyclic", 0, 3, F(elevcyclic), 3, 1, 0, 45, "How far the rotor disc tilts fore and aft at full cyclic, in degrees."),
    num("roll cyclic", 1, 3, F(ailncyclic), 3, 1, 0, 45, "How far the rotor disc tilts to the side at full cyclic, in degrees."),
};

// ---- lifting parts -----------------------------------------------------------------------------------

const char k_root_qc[] = "25% chord of the wing root";

const hw_field k_lifting[] = {
    num("semi-length", 0, 0, FP(semilen), 4, 1, 0, 999.9f,
        "This is the length of the part from its root to its tip, measured along the part. 0 removes it."),
    num("root chord", 1, 0, FP(Croot), 4, 1, 0, 999.9f, "This is the chord (leading edge to trailing edge) at the root."),
    num("tip chord", 2, 0, FP(Ctip), 4, 1, 0, 999.9f, "This is the chord (leading edge to trailing edge) at the tip."),
    num("sweep", 3, 0, FP(sweep1), 3, 1, -90, 90, "This is the sweep of the part's quarter-chord line, in degrees back."),
    num("dihedral", 4, 0, FP(dihed), 4, 1, -135, 135,
        "This is the dihedral in degrees: up from level. A vertical fin has 90."),
    pos("root aft", 0, 1, FP(Zarm), POS_Z, k_root_qc),
    pos("root right", 1, 1, FP(Xarm), POS_X, k_root_qc),
    pos("root up", 2, 1, FP(Yarm), POS_Y, k_root_qc),
};
const hw_field k_hstab[] = {
    num("trim range", 3, 1, F(hstbtrimmax), 2, 0, 0, 99,
        "How far the whole stabilizer turns to trim, in degrees. 0 for a stabilizer trimmed by a tab."),
    choice("kind", 4, 1, I(hstabtype), k_stab, 0,
           "A fixed stabilizer with elevators, or a stabilator that moves as a whole."),
};
const hw_field k_pylons[] = {
    num("semi-length", 0, 0, FP(semilen), 4, 1, 0, 999.9f,
        "This is the length of each pylon from its root to its tip. 0 hangs the engines on no pylons."),
    num("root chord", 1, 0, FP(Croot), 4, 1, 0, 999.9f, "This is the pylon's chord at its root."),
    num("tip chord", 2, 0, FP(Ctip), 4, 1, 0, 999.9f, "This is the pylon's chord at its tip."),
    num("sweep", 3, 0, FP(sweep1), 3, 1, -90, 90, "This is the sweep of the pylon, in degrees back."),
    num("dihedral", 4, 0, FP(dihed), 4, 1, -135, 135, "This is the pylon's angle from level: -90 hangs it straight down."),
    pos("offset aft", 0, 1, F(pylondz), POS_Z, "pylon's offset from its engine"),
    pos("offset right", 1, 1, F(pylondx), POS_X, "pylon's offset from its engine"),
};

// ---- controls ---------------------------------------------------------------------------------------

const char k_crat[] = "The fraction of the part's chord that the control surface takes, 0 to 0.5.";
const char k_defl[] = "The control surface's largest deflection, in degrees.";

const hw_field k_controls[] = {
    num("aileron chord", 0, 0, F(ailn_crat), 3, 2, 0, 0.5f, k_crat),
    num("elevator chord", 1, 0, F(elev_crat), 3, 2, 0, 0.5f, k_crat),
    num("rudder chord", 2, 0, F(rudd_crat), 3, 2, 0, 0.5f, k_crat),
    num("spoiler chord", 3, 0, F(splr_crat), 3, 2, 0, 0.5f, k_crat),
    num("drag rud chord", 4, 0, F(drud_crat), 3, 2, 0, 0.5f, k_crat),
    num("spd brake chord", 5, 0, F(sbrk_crat), 3, 2, 0, 0.5f, k_crat),
    num("aileron up", 0, 1, F(ailn_up), 3, 1, 0, 90, k_defl),
    num("aileron down", 1, 1, F(ailn_dn), 3, 1, 0, 90, k_defl),
    num("elevator up", 2, 1, F(elev_up), 3, 1, 0, 90, k_defl),
    num("elevator down", 3, 1, F(elev_dn), 3, 1, 0, 90, k_defl),
    num("rudder", 4, 1, F(rudd_def), 3, 1, 0, 90, k_defl),
    num("spoiler", 5, 1, F(splr_def), 3, 1, 0, 90, k_defl),
    num("drag rudder", 0, 2, F(drud_def), 3, 1, 0, 90, k_defl),
    num("speed brake", 1, 2, F(sbrk_def), 3, 1, 0, 90, k_defl),
    num("slat angle", 2, 2, F(slat_inc), 3, 1, 0, 45, "How far the slats lower the leading edge's angle, in degrees."),
    whole("smoothing", 3, 2, I(con_smooth), 0, 3, "How smoothly the controls follow the stick, 0 to 3."),
};

// ---- bodies -----------------------------------------------------------------------------------------

const hw_field k_fuselage[] = {
    noyes("in propwash", 0, 0, I(fusewash), "Whether the fuselage sits in the propeller's wash."),
    num("drag coeff", 1, 0, F(fuse_cd), 3, 2, 0, 2, "The fuselage's drag coefficient on its frontal area."),
};
const hw_field k_nacelles[] = {
    noyes("nacelles", 0, 0, I(nace_eq), "Whether each engine sits in a nacelle of this shape."),
};
const hw_field k_misc[] = {
    noyes("tanks or floats", 0, 0, I(misc_eq), "Whether the aircraft carries fuel tanks or floats of this shape."),
    pos("aft", 1, 0, F(misc_Z), POS_Z, "tank or float"),
    pos("right", 2, 0, F(misc_X), POS_X, "tank or float"),
    pos("up", 3, 0, F(misc_Y), POS_Y, "tank or float"),
};
const hw_field k_fairings[] = {
    noyes("fairings", 0, 0, I(fair_eq), "Whether the wheels sit in fairings of this shape."),
};

// ---- weight, gear ------------------------------------------------------------------------------------

const char k_cg[] = "center of gravity (or balance point)";

const hw_field k_weight[] = {
    pos("cg aft", 0, 0, F(cgZ), POS_Z, k_cg),
    pos("cg up", 1, 0, F(cgY), POS_Y, k_cg),
    num("empty weight", 0, 1, F(m_empty), 6, 0, 0, 999999, "The aircraft's empty weight, in pounds."),
    num("max weight", 1, 1, F(m_max), 6, 0, 0, 999999, "The maximum take-off weight, in pounds."),
    num("fuel", 2, 1, F(m_fuel), 6, 0, 0, 999999, "The weight of the fuel the tanks hold, in pounds."),
    num("jettison load", 3, 1, F(m_jettison), 6, 0, 0, 999999,
        "The weight of the load that can be jettisoned (water, stores), in pounds."),
};

const char k_nose_tyre[] = "nose (or tail) wheel's contact with the ground";
const char k_main_tyre[] = "right main wheel's contact with the ground";
const char k_nose_att[] = "nose (or tail) gear leg's attachment";
const char k_main_att[] = "right main gear leg's attachment";
const char k_skid[] = "front of the right skid";

const hw_field k_gear_table[] = {
    choice("gear", 0, 0, I(gear_type), k_gear, 1, "The kind of landing gear."),
    noyes("retracts", 2, 0, I(gear_retract), "Whether the landing gear retracts."),
    num("nose steering", 3, 0, F(nwsteer), 3, 1, -90, 90,
        "How far the nose wheel turns with the pedals, in degrees. A tail wheel steers the other way."),
    pos("nose aft", 0, 1, F(ngearZ), POS_Z, k_nose_tyre),
    pos("nose up", 1, 1, F(ngearY), POS_Y, k_nose_tyre),
    pos("main aft", 2, 1, F(mgearZ), POS_Z, k_main_tyre),
    pos("main right", 3, 1, F(mgearX), POS_X, k_main_tyre),
    pos("main up", 4, 1, F(mgearY), POS_Y, k_main_tyre),
    pos("nose att aft", 0, 2, F(ngearZ_att), POS_Z, k_nose_att),
    pos("nose att up", 1, 2, F(ngearY_att), POS_Y, k_nose_att),
    pos("main att aft", 2, 2, F(mgearZ_att), POS_Z, k_main_att),
    pos("main att right", 3, 2, F(mgearX_att), POS_X, k_main_att),
    pos("main att up", 4, 2, F(mgearY_att), POS_Y, k_main_att),
    pos("skid aft", 0, 3, F(skidZ), POS_Z, k_skid),
    pos("skid right", 1, 3, F(skidX), POS_X, k_skid),
    pos("skid up", 2, 3, F(skidY), POS_Y, k_skid),
    num("skid length", 3, 3, F(skidl), 4, 1, 0, 999.9f, "The length of the skids' flat part, in feet."),
};

// ---- expert windows ----------------------------------------------------------------------------------

const hw_field k_foils[] = {
    noyes("variable sweep", 0, 0, IP(varsweepEQ), "Whether the part's sweep can be changed in flight."),
    num("max sweep", 1, 0, FP(sweep2), 3, 1, -90, 90, "The part's sweep at the far end of its travel, in degrees."),
};

const hw_field k_special[] = {
    pos("JATO aft", 0, 0, F(jatoZ), POS_Z, "rocket-assisted take-off bottle"),
    pos("JATO up", 1, 0, F(jatoY), POS_Y, "rocket-assisted take-off bottle"),
    num("JATO angle", 2, 0, F(jatotheta), 3, 1, -90, 90, "The angle of the rocket's thrust up from straight ahead."),
    num("JATO thrust", 3, 0, F(jatothrust), 6, 0, 0, 999999, "The rocket's thrust, in pounds."),
    num("JATO time", 4, 0, F(jatodur), 3, 1, 0, 99.9f, "How long the rocket burns, in seconds. 0: no rocket."),
    num("roll stab", 0, 1, F(stabroll), 3, 1, -90, 90, "How strongly the stability augmentation holds the wings level."),
    num("heading stab", 1, 1, F(stabhdng), 3, 1, -90, 90, "How strongly the stability augmentation holds the heading."),
    num("aileron pitch", 2, 1, F(ailpitch), 3, 1, -90, 90, "How far the ailerons also move with the stick fore and aft."),
    num("aileron flaps", 3, 1, F(ailflaps), 3, 1, -90, 90, "How far the ailerons droop with the flaps, in degrees."),
    num("brake area", 4, 1, F(brake_area), 4, 1, 0, 999.9f, "The area of the speed brake plates, in square feet."),
    num("chute area", 5, 1, F(chute_area), 5, 1, 0, 9999.9f, "The area of the drag chute, in square feet. 0: none."),
    noyes("arresting hook", 0, 2, I(arrestingEQ), "Whether the aircraft has a hook for arresting wires."),
    noyes("anti-ice", 1, 2, I(antiiceEQ), "Whether the aircraft has anti-ice equipment."),
    noyes("voice warnings", 2, 2, I(bitchinbettyEQ), "Whether a voice calls out the warnings."),
    noyes("auto spd brake", 3, 2, I(autosbrkEQ), "Whether the speed brakes come out by themselves on landing."),
    noyes("auto flap", 4, 2, I(autofbrkEQ), "Whether the flaps retract by themselves at high speed."),
    noyes("auto sweep", 5, 2, I(autosweepEQ), "Whether the wings sweep by themselves with the speed."),
};

const hw_field k_vtol[] = {
    noyes("vectoring", 0, 0, I(vectEQ), "Whether the engines' thrust can be vectored down."),
    pos("vector arm", 1, 0, F(vectarm), POS_Z, "nozzles' turning point"),
    num("pitch cyclic", 2, 0, F(elevcyclic), 3, 1, 0, 45, "How far the thrust tilts fore and aft with the stick."),
    num("roll cyclic", 3, 0, F(ailncyclic), 3, 1, 0, 45, "How far the thrust tilts to the side with the stick."),
    num("pitch puffer", 0, 1, F(puffM), 6, 0, 0, 999999, "The pitching moment of the reaction jets, in foot-pounds."),
    num("roll puffer", 1, 1, F(puffL), 6, 0, 0, 999999, "The rolling moment of the reaction jets, in foot-pounds."),
    num("yaw puffer", 2, 1, F(puffN), 6, 0, 0, 999999, "The yawing moment of the reaction jets, in foot-pounds."),
};

const char k_lim[] = "The largest angle in degrees the augmentation may command on this axis.";
const char k_gain[] = "How strongly the augmentation acts on this axis.";

const hw_field k_stability[] = {
    num("low speed", 0, 0, F(ASloV), 3, 0, 0, 999, "Below this speed the low-speed gains act."),
    num("high speed", 1, 0, F(AShiV), 3, 0, 0, 999, "Above this speed the high-speed gains act; between, a blend."),
    num("lo pitch lim", 0, 1, F(ASmaxp1), 3, 1, 0, 90, k_lim),
    num("lo pitch gain", 1, 1, F(ASp1), 4, 2, -99.99f, 99.99f, k_gain),
    num("lo hdg lim", 2, 1, F(ASmaxh1), 3, 1, 0, 90, k_lim),
    num("lo hdg gain", 3, 1, F(ASh1), 4, 2, -99.99f, 99.99f, k_gain),
    num("lo roll lim", 4, 1, F(ASmaxr1), 3, 1, 0, 90, k_lim),
    num("lo roll gain", 5, 1, F(ASr1), 4, 2, -99.99f, 99.99f, k_gain),
    num("hi pitch lim", 0, 2, F(ASmaxp2), 3, 1, 0, 90, k_lim),
    num("hi pitch gain", 1, 2, F(ASp2), 4, 2, -99.99f, 99.99f, k_gain),
    num("hi hdg lim", 2, 2, F(ASmaxh2), 3, 1, 0, 90, k_lim),
    num("hi hdg gain", 3, 2, F(ASh2), 4, 2, -99.99f, 99.99f, k_gain),
    num("hi roll lim", 4, 2, F(ASmaxr2), 3, 1, 0, 90, k_lim),
    num("hi roll gain", 5, 2, F(ASr2), 4, 2, -99.99f, 99.99f, k_gain),
};

#undef F
#undef FP
#undef I
#undef IP

template <size_t N>
constexpr int count(const hw_field (&)[N])
{
    return static_cast<int>(N);
}
#define TABLE(t) t, count(t)

const hw_window k_windows[] = {
    {200, 0, "Viewpoint", WK_VIEWPOINT, -1, 660, 230, TABLE(k_viewpoint_plane), nullptr, 0},
    {201, 0, "Panel", WK_PANEL, -1, 520, 380, TABLE(k_panel), nullptr, 0},
    {203, 0, "Force Feedback", WK_PLAIN, -1, 290, 90, TABLE(k_force), nullptr, 0},
    {205, 0, "Engines", WK_ENGINES, -1, 660, 380, TABLE(k_engines), nullptr, 0},
    {206, 0, "Props", WK_PROPS, -1, 660, 280, TABLE(k_props), nullptr, 0},
    {208, 0, "Wing 1", WK_LIFTING, 5, 790, 330, TABLE(k_lifting), nullptr, 0},
    {209, 0, "Wing 2", WK_LIFTING, 7, 790, 330, TABLE(k_lifting), nullptr, 0},
    {210, 0, "Wing 3", WK_LIFTING, 9, 790, 330, TABLE(k_lifting), nullptr, 0},
    {211, 0, "Horizontal Stabilizer", WK_LIFTING, 11, 790, 330, TABLE(k_lifting), TABLE(k_hstab)},
    {212, 0, "Vertical Stabilizer 1", WK_LIFTING, 12, 790, 330, TABLE(k_lifting), nullptr, 0},
    {213, 0, "Vertical Stabilizer 2", WK_LIFTING, 13, 790, 330, TABLE(k_lifting), nullptr, 0},
    {215, 0, "Control Geometry", WK_CONTROLS, -1, 790, 220, TABLE(k_controls), nullptr, 0},
    {217, 0, "Fuselage", WK_BODY, 18, 560, 380, TABLE(k_fuselage), nullptr, 0},
    {218, 0, "Engine Nacelles", WK_BODY, 19, 560, 380, TABLE(k_nacelles), nullptr, 0},
    {219, 0, "Fuel Tanks or Floats", WK_BODY, 23, 560, 380, TABLE(k_misc), nullptr, 0},
    {220, 0, "Wheel Fairings", WK_BODY, 25, 560, 380, TABLE(k_fairings), nullptr, 0},
    {221, 0, "Engine Pylons", WK_PYLONS, 14, 660, 460, TABLE(k_pylons), nullptr, 0},
    {223, 0, "Weight & Balance", WK_PLAIN, -1, 530, 130, TABLE(k_weight), nullptr, 0},
    {225, 0, "Landing Gear", WK_GEAR, -1, 660, 230, TABLE(k_gear_table), nullptr, 0},
    {300, 0, "Prop", WK_FOILS, 0, 530, 270, TABLE(k_foils), nullptr, 0},
    {301, 0, "Wing 1", WK_FOILS, 5, 530, 270, TABLE(k_foils), nullptr, 0},
    {302, 0, "Wing 2", WK_FOILS, 7, 530, 270, TABLE(k_foils), nullptr, 0},
    {303, 0, "Wing 3", WK_FOILS, 9, 530, 270, TABLE(k_foils), nullptr, 0},
    {304, 0, "Horizontal Stabilizer", WK_FOILS, 11, 530, 270, TABLE(k_foils), nullptr, 0},
    {305, 0, "Vertical Stabilizer 1", WK_FOILS, 12, 530, 270, TABLE(k_foils), nullptr, 0},
    {306, 0, "Vertical Stabilizer 2", WK_FOILS, 13, 530, 270, TABLE(k_foils), nullptr, 0},
    {308, 0, "Special Controls", WK_PLAIN, -1, 790, 170, TABLE(k_special), nullptr, 0},
    {309, 0, "VTOL Controls", WK_PLAIN, -1, 530, 130, TABLE(k_vtol), nullptr, 0},
    {311, 0, "Artificial Stability", WK_PLAIN, -1, 790, 170, TABLE(k_stability), nullptr, 0},

    {200, 1, "Viewpoint", WK_VIEWPOINT, -1, 660, 230, TABLE(k_viewpoint_heli), nullptr, 0},
    {201, 1, "Panel", WK_PANEL, -1, 520, 380, TABLE(k_panel), nullptr, 0},
    {203, 1, "Force Feedback", WK_PLAIN, -1, 290, 90, TABLE(k_force), nullptr, 0},
    {205, 1, "Engine", WK_ENGINES, -1, 660, 380, TABLE(k_engines), nullptr, 0},
    {206, 1, "Main Rotor", WK_ROTOR, 0, 660, 180, TABLE(k_rotor), nullptr, 0},
    {207, 1, "Tail Rotor", WK_ROTOR, 1, 660, 180, TABLE(k_rotor), nullptr, 0},
    {208, 1, "Rotor System", WK_ROTOR_SYSTEM, -1, 530, 220, TABLE(k_rotor_system), nullptr, 0},
    {210, 1, "Horizontal Stabilizer", WK_LIFTING, 11, 790, 330, TABLE(k_lifting), TABLE(k_hstab)},
    {211, 1, "Vertical Stabilizer 1", WK_LIFTING, 12, 790, 330, TABLE(k_lifting), nullptr, 0},
    {212, 1, "Vertical Stabilizer 2", WK_LIFTING, 13, 790, 330, TABLE(k_lifting), nullptr, 0},
    {214, 1, "Fuselage", WK_BODY, 18, 560, 380, TABLE(k_fuselage), nullptr, 0},
    {215, 1, "Nacelle (Rotor Mast)", WK_BODY, 19, 560, 380, TABLE(k_nacelles), nullptr, 0},
    {216, 1, "Fuel Tanks or Floats", WK_BODY, 23, 560, 380, TABLE(k_misc), nullptr, 0},
    {217, 1, "Wheel Fairings", WK_BODY, 25, 560, 380, TABLE(k_fairings), nullptr, 0},
    {219, 1, "Weight & Balance", WK_PLAIN, -1, 530, 130, TABLE(k_weight), nullptr, 0},
    {221, 1, "Landing Gear", WK_GEAR, -1, 660, 230, TABLE(k_gear_table), nullptr, 0},
    {300, 1, "Main Rotor", WK_FOILS, 0, 530, 270, TABLE(k_foils), nullptr, 0},
    {301, 1, "Tail Rotor", WK_FOILS, 1, 530, 270, TABLE(k_foils), nullptr, 0},
    {302, 1, "Horizontal Stabilizer", WK_FOILS, 11, 530, 270, TABLE(k_foils), nullptr, 0},
    {304, 1, "Stability-Augmentation", WK_PLAIN, -1, 790, 170, TABLE(k_stability), nullptr, 0},
};

#undef TABLE

constexpr float COL_W = 128.0f, ROW_H = 52.0f;

// The help line built for a position field (reused for each field drawn).
char g_help[STR_LEN];

}  // namespace

const hw_window* hw_find_window(int id, int heli)
{
    for (const hw_window& w : k_windows)
        if (w.id == id && w.heli == (heli ? 1 : 0)) return &w;
    return nullptr;
}

const hw_window* hw_open_window(void)
{
    if (mnw.topwin <= 0 || mnw.topwin >= 996) return nullptr;
    return hw_find_window(mnw.topwin, pln[0].is_heli);
}

int hw_counterpart_window(int id, int heli)
{
    const hw_window* from = hw_find_window(id, !heli);
    if (!from) return 0;
    // The plain windows share their kind and part: their tables tell them apart.
    for (const hw_window& w : k_windows)
        if (w.heli == (heli ? 1 : 0) && w.kind == from->kind && w.part == from->part &&
            (w.kind != WK_PLAIN || w.fields == from->fields))
            return w.id;
    return 0;
}

int hw_window_info(int id, const char** title, float* dx, float* dy)
{
    const hw_window* w = hw_find_window(id, pln[0].is_heli);
    if (!w) return 0;
    *title = w->title;
    *dx = w->dx;
    *dy = w->dy;
    return 1;
}

float hw_col_x(int col) { return 12.0f + COL_W * static_cast<float>(col); }
float hw_row_y(const hw_window* w, int row) { return w->dy - 40.0f - ROW_H * static_cast<float>(row); }

const char* hw_position_help(int pos, const char* thing)
{
    static const char* const lead[3] = {"This is how far to the side of the reference point the ",
                                        "This is how far above the reference point the ",
                                        "This is how far behind the reference point the "};
    std::snprintf(g_help, sizeof g_help,
                  "%s%s is. The reference point may be any point on the aircraft, but you have to use the SAME "
                  "reference point for ALL the data you enter on the aircraft. The nose of the aircraft is a typical "
                  "reference point.",
                  lead[pos - POS_X], thing);
    return g_help;
}

int hw_choice(float x, float y, const char* const* t, int n, int first, float width, int32_t* v)
{
    // The library's choice fields count 0..1 for two texts and 1..n for more, and pull any other
    // value into that range.
    const int base = n == 2 ? 0 : 1;
    int sel = *v - first + base;
    if (sel < base || sel >= base + n) {
        // A stored value that no text names (a glider's engine kind 0, no engine, among the five
        // kinds) is kept and shown as no text until an arrow picks one: the upper the first text,
        // the lower the last. The field is handed the other end to step from.
        static const char* const none[6] = {"", "", "", "", "", ""};
        const int step = textbtn_step(x, y, width);
        if (step == 0) t = none;
        sel = step > 0 ? base + n - 1 : base;
    }
    int changed = 0;
    switch (n) {
    case 2: changed = in2textbtn(x, y, t[0], t[1], width, &sel); break;
    case 3: changed = in3textbtn(x, y, t[0], t[1], t[2], width, &sel); break;
    case 4: changed = in4textbtn(x, y, t[0], t[1], t[2], t[3], width, &sel); break;
    case 5: changed = in5textbtn(x, y, t[0], t[1], t[2], t[3], t[4], width, &sel); break;
    default: changed = in6textbtn(x, y, t[0], t[1], t[2], t[3], t[4], t[5], width, &sel); break;
    }
    if (changed) *v = sel - base + first;
    return changed;
}

int hw_draw_field(const hw_field& f, const hw_window* w, int p)
{
    if (f.engines && !((f.engines >> pln[0].entype) & 1)) return 0;
    const float x = hw_col_x(f.col), y = hw_row_y(w, f.row);
    OGL_string(6, x, y + 26, f.label, 800, 6);
    const char* help = f.pos != POS_NONE ? hw_position_help(f.pos, f.help) : f.help;
    switch (f.kind) {
    case FK_NUM:
        return instdbtn_range(x + 6, y, 47, f.num(p), f.digits, f.decimals, f.lo, f.hi, help);
    case FK_INT: {
        float v = static_cast<float>(*f.whole(p));
        const int changed = instdbtn_range(x + 6, y, 47, &v, f.digits, 0, f.lo, f.hi, help);
        *f.whole(p) = static_cast<int32_t>(v);
        return changed;
    }
    case FK_NOYES: {
        int sel = *f.whole(p) != 0;
        const int changed = in2textbtn(x, y, " no", "yes", 24, &sel);
        // A value other than 0 or 1 is left as it is until it is changed here.
        if (changed) *f.whole(p) = sel;
        return changed;
    }
    case FK_CHOICE: {
        // The arrows stand just past the longest text; the help line hangs on the text.
        size_t longest = 0;
        for (int i = 0; i < f.nchoices; i++) longest = std::max(longest, std::strlen(f.choices[i]));
        const float width = 6.0f * static_cast<float>(longest) + 3.0f;
        const int changed = hw_choice(x, y, f.choices, f.nchoices, f.first, width, f.whole(p));
        if (help && mnw.mx >= x && mnw.mx <= x + width && mnw.my >= y - 3 && mnw.my <= y + 10) {
            std::snprintf(mnw.help_message, sizeof mnw.help_message, "%s", help);
            mnw.help_x1 = x;
            mnw.help_y2 = y - 20;
        }
        return changed;
    }
    default: return 0;
    }
}

int hw_draw_fields(const hw_field* f, int n, const hw_window* w, int p)
{
    int changed = 0;
    for (int i = 0; i < n; i++) changed |= hw_draw_field(f[i], w, p);
    return changed;
}
