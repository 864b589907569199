// hl_airfoil.h -- one aircraft's airfoil tables, and the part editor's synthesis constants.
#pragma once
#include <cstdint>

constexpr int AFL_PARTS = 28;     // part numbers 0..27, as in the aircraft record
constexpr int AFL_CL_ROWS = 171;  // lift rows: table index 100..270 (10 to 90 degrees)
constexpr int AFL_CD_ROWS = 271;  // drag rows: table index 0..270 (0 to 90 degrees)
constexpr int FLAP_ROWS = 51;     // flap rows: deflection fraction h/50, h = 0..50

// The coefficient tables of one aircraft: per part, root (0) or tip (1), low (0) or high (1)
// Reynolds number. Table index n stands for n/10 degrees up to n = 200 and n - 180 degrees above;
// `clpos[..][n - 100]` and `cdpos[..][n]` hold positive angles, `clneg` and `cdneg` the mirrored
// negative ones. Below 10 degrees the lift is the straight line clM * alpha + clB.
//
// The part editor edits one part at a time in afl[0]: its constants at [part 0][root][low] and the
// scalar synthesis constants and derived values further down.
//
// Cleared by clear_globals(); afl[p] is rewritten as a whole each time aircraft p is loaded.
struct airfoilstruct {
    float trat[AFL_PARTS][2];                          // thickness ratio, root and tip
    float Re[AFL_PARTS][2][2];                         // Reynolds number, millions
    float al_zl[AFL_PARTS][2][2];                      // zero-lift angle, degrees
    float clpos[AFL_PARTS][2][2][AFL_CL_ROWS];         // lift at +10..+90 degrees
    float cdpos[AFL_PARTS][2][2][AFL_CD_ROWS];         // drag at 0..+90 degrees
    float clneg[AFL_PARTS][2][2][AFL_CL_ROWS];         // lift at -10..-90 degrees
    float cdneg[AFL_PARTS][2][2][AFL_CD_ROWS];         // drag at 0..-90 degrees
    float clM[AFL_PARTS][2][2];                        // lift slope, per degree
    float clB[AFL_PARTS][2][2];                        // lift at zero angle of attack
    float cmal2[AFL_PARTS][2][2], cmal3[AFL_PARTS][2][2];  // angles of the inner moment points, degrees
    float cm1[AFL_PARTS][2][2];                        // moment coefficient at -20 degrees
    float cm2[AFL_PARTS][2][2];                        // at cmal2
    float cm3[AFL_PARTS][2][2];                        // at cmal3
    float cm4[AFL_PARTS][2][2];                        // at +20 degrees

    // Airfoil synthesis constants (the part editor's; saved in the part file's constants line).
    float Lpow;      // curvature of the lift curve into the stall
    float Lstall;    // maximum lift coefficient
    float Ldrop1;    // lift lost at the stall itself (sharpness)
    float Ldrop2;    // lift lost from the stall to 20 degrees
    float Lpowstl;   // curvature of the lift curve after the stall
    float almin;     // negative stall angle, degrees (-20..-10)
    float almax;     // positive stall angle, degrees (10..20)
    float DminCL;    // lift coefficient of minimum drag
    float Dmin;      // minimum drag coefficient
    float Dal10;     // drag coefficient at 10 degrees
    float Dpow;      // power of the drag curve
    float Bwidth;    // width of the low-drag bucket, in lift coefficient
    float Bdepth;    // drag reduction at the bucket's centre
    float Bpower;    // curvature power of the bucket
    float Bloc;      // lift coefficient at the bucket's centre

    // Flap synthesis constants: added lift, drag and moment = c1 x + c2 x^2 + c3 x^3, x the
    // deflection fraction 0..1.
    float FLPlco1, FLPlco2, FLPlco3;
    float FLPdco1, FLPdco2, FLPdco3;
    float FLPmco1, FLPmco2, FLPmco3;

    // Derived from the airfoil constants by the synthesis before each generation.
    float linlolift, linhilift;          // the straight line's lift at -10 and +10 degrees
    float Llintostall;                   // Lstall - linhilift
    float LstallnegPLdrop1;              // lift just past the negative stall
    float LstallposMLdrop1;              // lift just past the positive stall
    float alDmin;                        // angle of minimum drag, degrees
    float tenMalDmin;                    // 10 - alDmin
    float delD;                          // Dal10 - Dmin
    float Blocalpha;                     // angle of the bucket's centre, degrees
    float Bwidth1, Bwidth2;              // half and full bucket width, degrees
    float Bpwr1, Bpwr2;                  // bucket powers, outer and inner
    float Bdepth1, Bdepth2;              // bucket reductions, outer and inner
    float almintoend, almintolin;        // almin + 20, almin + 10
    float almaxtoend, almaxtolin;        // almax - 20, almax - 10
};

extern airfoilstruct afl[2];
