// hl_plane.h -- the aircraft record, byte for byte the aircraft file's, its byte-order swap, and
// reading and writing the aircraft file.
#pragma once
#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>

// How a field is treated when the file was written on the other byte order.
enum {
    PLN_TEXT = 0,  // zero-terminated text, never swapped
    PLN_SWAP = 1,  // every 4-byte value reversed
    PLN_KEEP = 2,  // numbers left as read: the loader recomputes them
};

// The record, field by field in file order: X(type, name, dimensions, kind, offset in the record).
// This one list declares the record, checks every offset, drives the byte swap and the tests.
// Dimensions run outermost first: [28] surfaces (wings, stabilisers, fins, blades) or bodies,
// [4] engines, [8] elements, [18] stations, [16] points. Lengths are feet, power horsepower and
// speeds rpm as stored in the file; the loader converts them to SI units in memory.
#define PLANE_FIELDS(X) \
    X(char,    C_file,         [400]       , PLN_TEXT,      0) /* file name of the aircraft file */ \
    X(char,    C_name,         [400]       , PLN_TEXT,    400) /* aircraft name */ \
    X(char,    C_path,         [400]       , PLN_TEXT,    800) /* full path of the aircraft file */ \
    X(int32_t, is_heli,                    , PLN_SWAP,   1200) /* 1 for a helicopter */ \
    X(int32_t, us_alt,                     , PLN_KEEP,   1204) /* altimeter in US units (inches of mercury) when 1 */ \
    X(char,    tailnum,        [400]       , PLN_TEXT,   1208) /* tail number text */ \
    X(int32_t, asi_units,                  , PLN_SWAP,   1608) /* airspeed units of the panel: 1 or 2 (byte-order probe) */ \
    X(float,   Vso,                        , PLN_SWAP,   1612) /* stall speed, landing configuration */ \
    X(float,   Vs,                         , PLN_SWAP,   1616) /* stall speed, clean */ \
    X(float,   Vfe,                        , PLN_SWAP,   1620) /* maximum flap-extended speed */ \
    X(float,   Vno,                        , PLN_SWAP,   1624) /* maximum structural cruising speed */ \
    X(float,   Vne,                        , PLN_SWAP,   1628) /* never-exceed speed */ \
    X(float,   Mmo,                        , PLN_SWAP,   1632) /* maximum Mach number */ \
    X(float,   peX,                        , PLN_SWAP,   1636) /* pilot eye point, x */ \
    X(float,   peY,                        , PLN_SWAP,   1640) /* pilot eye point, y */ \
    X(float,   peZ,                        , PLN_SWAP,   1644) /* pilot eye point, z */ \
    X(int32_t, paneltype,                  , PLN_SWAP,   1648) /* instrument panel choice */ \
    X(int32_t, radiotype,                  , PLN_SWAP,   1652) /* radio stack choice */ \
    X(int32_t, AStype,                     , PLN_SWAP,   1656) /* airspeed indicator: 1 linear, 2 power law, 3 linear with drum */ \
    X(int32_t, supptype,                   , PLN_SWAP,   1660) /* supplementary instrument choice */ \
    X(int32_t, HUDtype,                    , PLN_SWAP,   1664) /* head-up display choice */ \
    X(int32_t, VVItype,                    , PLN_SWAP,   1668) /* vertical-speed indicator choice */ \
    X(int32_t, ecam,                       , PLN_KEEP,   1672) /* engine/system display choice */ \
    X(int32_t, tape,                       , PLN_KEEP,   1676) /* tape instrument choice */ \
    X(int32_t, cp,                         , PLN_KEEP,   1680) /* 1 while the aircraft's own panel picture is shown */ \
    X(float,   ASpwr,                      , PLN_KEEP,   1684) /* airspeed dial law exponent (set at load) */ \
    X(float,   Vmin,                       , PLN_KEEP,   1688) /* airspeed dial lower end (set at load) */ \
    X(float,   Vmax,                       , PLN_KEEP,   1692) /* airspeed dial upper end (set at load) */ \
    X(int32_t, gsx1,                       , PLN_KEEP,   1696) /* panel geometry */ \
    X(int32_t, gsx2,                       , PLN_KEEP,   1700) /* panel geometry */ \
    X(int32_t, gsw,                        , PLN_KEEP,   1704) /* panel geometry */ \
    X(int32_t, gsy1,                       , PLN_KEEP,   1708) /* panel geometry */ \
    X(int32_t, gsyc,                       , PLN_KEEP,   1712) /* panel geometry */ \
    X(int32_t, gsy2,                       , PLN_KEEP,   1716) /* panel geometry */ \
    X(int32_t, ah_dim_int,                 , PLN_KEEP,   1720) /* attitude indicator geometry */ \
    X(int32_t, ah_semidim_int,             , PLN_KEEP,   1724) /* attitude indicator geometry */ \
    X(float,   ah_semidim_flt,             , PLN_KEEP,   1728) /* attitude indicator geometry */ \
    X(int32_t, ah_top_prim,                , PLN_KEEP,   1732) /* attitude indicator geometry */ \
    X(int32_t, ah_top_roll,                , PLN_KEEP,   1736) /* attitude indicator geometry */ \
    X(int32_t, ah_bot_prim,                , PLN_KEEP,   1740) /* attitude indicator geometry */ \
    X(int32_t, ah_bot_roll,                , PLN_KEEP,   1744) /* attitude indicator geometry */ \
    X(float,   ahx1_prim,      [118]       , PLN_KEEP,   1748) /* attitude indicator scan lines */ \
    X(float,   ahx1_roll,      [118]       , PLN_KEEP,   2220) /* attitude indicator scan lines */ \
    X(float,   ahx2_prim,      [118]       , PLN_KEEP,   2692) /* attitude indicator scan lines */ \
    X(float,   ahx2_roll,      [118]       , PLN_KEEP,   3164) /* attitude indicator scan lines */ \
    X(int32_t, has_ins,        [9]         , PLN_SWAP,   3636) /* per panel slot: instrument present */ \
    X(int32_t, ins_of_loc,     [9]         , PLN_SWAP,   3672) /* per panel slot: instrument kind */ \
    X(int32_t, ff_hydraulic,               , PLN_SWAP,   3708) /* force feedback: hydraulic controls */ \
    X(int32_t, ff_stickshaker,             , PLN_SWAP,   3712) /* force feedback: stick shaker */ \
    X(int32_t, entype,                     , PLN_SWAP,   3716) /* engine type */ \
    X(int32_t, revthrustEQ,                , PLN_SWAP,   3720) /* has reverse thrust */ \
    X(int32_t, numen,                      , PLN_SWAP,   3724) /* number of engines */ \
    X(float,   sfc,                        , PLN_SWAP,   3728) /* specific fuel consumption */ \
    X(float,   pmax,                       , PLN_SWAP,   3732) /* maximum power (horsepower in the file) */ \
    X(float,   gearrat,                    , PLN_SWAP,   3736) /* propeller gear ratio */ \
    X(float,   critalt,                    , PLN_SWAP,   3740) /* critical altitude */ \
    X(float,   mpmax,                      , PLN_SWAP,   3744) /* maximum manifold pressure */ \
    X(float,   omegamin,                   , PLN_SWAP,   3748) /* minimum engine/propeller speed (rpm in the file) */ \
    X(float,   omegamax,                   , PLN_SWAP,   3752) /* maximum engine/propeller speed */ \
    X(float,   omegamingreen,              , PLN_SWAP,   3756) /* green arc lower speed */ \
    X(float,   omegamaxgreen,              , PLN_SWAP,   3760) /* green arc upper speed */ \
    X(float,   tmax,                       , PLN_SWAP,   3764) /* maximum thrust */ \
    X(float,   burnerinc,                  , PLN_SWAP,   3768) /* afterburner thrust increase */ \
    X(float,   facejet,                    , PLN_SWAP,   3772) /* jet face area */ \
    X(float,   spooltime,                  , PLN_SWAP,   3776) /* engine spool-up time */ \
    X(int32_t, vectEQ,                     , PLN_SWAP,   3780) /* has thrust vectoring */ \
    X(int32_t, varpitchEQ,                 , PLN_SWAP,   3784) /* has variable-pitch propellers */ \
    X(float,   vectarm,                    , PLN_SWAP,   3788) /* vectoring arm */ \
    X(float,   pylondx,                    , PLN_SWAP,   3792) /* engine pylon offset x */ \
    X(float,   pylondz,                    , PLN_SWAP,   3796) /* engine pylon offset z */ \
    X(float,   trotor_rat,                 , PLN_SWAP,   3800) /* tail rotor ratio */ \
    X(int32_t, propdir,        [4]         , PLN_SWAP,   3804) /* per engine: propeller direction */ \
    X(float,   numblades,      [4]         , PLN_SWAP,   3820) /* per engine: number of blades */ \
    X(float,   minpitch,       [4]         , PLN_SWAP,   3836) /* per engine: minimum blade pitch */ \
    X(float,   maxpitch,       [4]         , PLN_SWAP,   3852) /* per engine: maximum blade pitch */ \
    X(float,   sidecant,       [4]         , PLN_SWAP,   3868) /* per engine: side cant */ \
    X(float,   vertcant,       [4]         , PLN_SWAP,   3884) /* per engine: vertical cant */ \
    X(float,   miprop,         [4]         , PLN_KEEP,   3900) /* per engine: propeller inertia */ \
    X(float,   discarea,       [4]         , PLN_KEEP,   3916) /* per engine: disc area */ \
    X(float,   ringarea,       [4][8]      , PLN_KEEP,   3932) /* per engine and ring: ring area */ \
    X(float,   des_adv,        [4]         , PLN_SWAP,   4060) /* per engine: design advance ratio */ \
    X(float,   des_rpm,        [4]         , PLN_SWAP,   4076) /* per engine: design rpm */ \
    X(float,   des_vel,        [4]         , PLN_SWAP,   4092) /* per engine: design speed */ \
    X(char,    Rafl0,          [28][400]   , PLN_TEXT,   4108) /* per surface: root airfoil file, low Reynolds number */ \
    X(char,    Rafl1,          [28][400]   , PLN_TEXT,  15308) /* per surface: root airfoil file, high Reynolds number */ \
    X(char,    Tafl0,          [28][400]   , PLN_TEXT,  26508) /* per surface: tip airfoil file, low Reynolds number */ \
    X(char,    Tafl1,          [28][400]   , PLN_TEXT,  37708) /* per surface: tip airfoil file, high Reynolds number */ \
    X(int32_t, els,            [28]        , PLN_SWAP,  48908) /* per surface: number of elements */ \
    X(float,   Xarm,           [28]        , PLN_SWAP,  49020) /* per surface: root x position */ \
    X(float,   Yarm,           [28]        , PLN_SWAP,  49132) /* per surface: root y position */ \
    X(float,   Zarm,           [28]        , PLN_SWAP,  49244) /* per surface: root z position */ \
    X(float,   Croot,          [28]        , PLN_SWAP,  49356) /* per surface: root chord */ \
    X(float,   Ctip,           [28]        , PLN_SWAP,  49468) /* per surface: tip chord */ \
    X(float,   semilen,        [28]        , PLN_SWAP,  49580) /* per surface: semi-length */ \
    X(float,   sweep1,         [28]        , PLN_SWAP,  49692) /* per surface: sweep, first setting */ \
    X(float,   sweep2,         [28]        , PLN_SWAP,  49804) /* per surface: sweep, second setting */ \
    X(float,   sweepnow,       [28]        , PLN_SWAP,  49916) /* per surface: current sweep */ \
    X(int32_t, varsweepEQ,     [28]        , PLN_SWAP,  50028) /* per surface: has variable sweep */ \
    X(float,   dihed,          [28]        , PLN_SWAP,  50140) /* per surface: dihedral */ \
    X(float,   anginc,         [28][8]     , PLN_SWAP,  50252) /* per surface and element: incidence */ \
    X(int32_t, in_downwash,    [28][28][8] , PLN_KEEP,  51148) /* per surface, surface and element: downwash influence */ \
    X(int32_t, in_propwash,    [28][4][8]  , PLN_KEEP,  76236) /* per surface, engine and element: propwash influence */ \
    X(float,   spec_wash,      [28]        , PLN_KEEP,  79820) /* per surface: wash factor */ \
    X(float,   lo_washdir,     [28][4]     , PLN_KEEP,  79932) /* per surface and engine: wash direction, low */ \
    X(float,   hi_washdir,     [28][4]     , PLN_KEEP,  80380) /* per surface and engine: wash direction, high */ \
    X(float,   max_washdir,    [28][4]     , PLN_KEEP,  80828) /* per surface and engine: wash direction, maximum */ \
    X(float,   s,              [28][8]     , PLN_KEEP,  81276) /* per surface and element: element area */ \
    X(float,   mac,            [28][8]     , PLN_KEEP,  82172) /* per surface and element: mean chord */ \
    X(float,   AR,             [28]        , PLN_KEEP,  83068) /* per surface: aspect ratio */ \
    X(float,   e,              [28]        , PLN_KEEP,  83180) /* per surface: span efficiency */ \
    X(float,   delta_fac,      [28]        , PLN_KEEP,  83292) /* per surface: derived factor */ \
    X(float,   al_D_al0,       [28]        , PLN_KEEP,  83404) /* per surface: derived factor */ \
    X(float,   cl_D_cl0,       [28]        , PLN_KEEP,  83516) /* per surface: derived factor */ \
    X(float,   cm_D_cm0,       [28]        , PLN_KEEP,  83628) /* per surface: derived factor */ \
    X(float,   alpha_max,      [28]        , PLN_KEEP,  83740) /* per surface: derived maximum angle of attack */ \
    X(float,   slat_effect,    [28]        , PLN_KEEP,  83852) /* per surface: derived slat effect */ \
    X(int32_t, ailn,           [28][8]     , PLN_SWAP,  83964) /* per surface and element: is aileron */ \
    X(int32_t, ADFtype,                    , PLN_KEEP,  84860) /* ADF instrument choice */ \
    X(int32_t, splr,           [28][8]     , PLN_SWAP,  84864) /* per surface and element: is spoiler */ \
    X(int32_t, TStype,                     , PLN_KEEP,  85760) /* turn-slip instrument choice */ \
    X(int32_t, flap,           [28][8]     , PLN_SWAP,  85764) /* per surface and element: is flap */ \
    X(int32_t, flapEQ,                     , PLN_KEEP,  86660) /* has flaps */ \
    X(int32_t, slat,           [28][8]     , PLN_SWAP,  86664) /* per surface and element: is slat */ \
    X(int32_t, slatEQ,                     , PLN_KEEP,  87560) /* has slats */ \
    X(int32_t, sbrk,           [28][8]     , PLN_SWAP,  87564) /* per surface and element: is speed brake */ \
    X(int32_t, sbrkEQ,                     , PLN_KEEP,  88460) /* has speed brakes */ \
    X(int32_t, drud,           [28][8]     , PLN_SWAP,  88464) /* per surface and element: is drag rudder */ \
    X(int32_t, dummy3,                     , PLN_KEEP,  89360) /* spare */ \
    X(int32_t, elev,           [28][8]     , PLN_SWAP,  89364) /* per surface and element: is elevator */ \
    X(int32_t, dummy4,                     , PLN_KEEP,  90260) /* spare */ \
    X(int32_t, rudd,           [28][8]     , PLN_SWAP,  90264) /* per surface and element: is rudder */ \
    X(int32_t, dummy5,                     , PLN_KEEP,  91160) /* spare */ \
    X(float,   slat_inc,                   , PLN_SWAP,  91164) /* slat incidence */ \
    X(float,   hstbtrimmax,                , PLN_SWAP,  91168) /* horizontal stabiliser trim maximum */ \
    X(int32_t, con_smooth,                 , PLN_SWAP,  91172) /* control smoothing */ \
    X(int32_t, hstabtype,                  , PLN_SWAP,  91176) /* horizontal stabiliser type */ \
    X(char,    flap_str,       [400]       , PLN_TEXT,  91180) /* flap file name */ \
    X(float,   clflap,         [51]        , PLN_KEEP,  91580) /* flap lift curve */ \
    X(float,   cdflap,         [51]        , PLN_KEEP,  91784) /* flap drag curve */ \
    X(float,   cmflap,         [51]        , PLN_KEEP,  91988) /* flap moment curve */ \
    X(int32_t, puffEQ,                     , PLN_SWAP,  92192) /* has reaction-control puffers */ \
    X(int32_t, fbrkEQ,                     , PLN_SWAP,  92196) /* equipment flag fbrk */ \
    X(int32_t, chuteEQ,                    , PLN_SWAP,  92200) /* has drag chute */ \
    X(int32_t, jatoEQ,                     , PLN_SWAP,  92204) /* has rocket assist */ \
    X(int32_t, collectEQ,                  , PLN_SWAP,  92208) /* has collective */ \
    X(int32_t, jettisonEQ,                 , PLN_SWAP,  92212) /* has jettisonable load */ \
    X(float,   ailn_crat,                  , PLN_SWAP,  92216) /* aileron chord ratio */ \
    X(float,   ailn_up,                    , PLN_SWAP,  92220) /* aileron up deflection */ \
    X(float,   ailn_dn,                    , PLN_SWAP,  92224) /* aileron down deflection */ \
    X(float,   elev_crat,                  , PLN_SWAP,  92228) /* elevator chord ratio */ \
    X(float,   elev_up,                    , PLN_SWAP,  92232) /* elevator up deflection */ \
    X(float,   elev_dn,                    , PLN_SWAP,  92236) /* elevator down deflection */ \
    X(float,   rudd_crat,                  , PLN_SWAP,  92240) /* rudder chord ratio */ \
    X(float,   rudd_def,                   , PLN_SWAP,  92244) /* rudder deflection */ \
    X(float,   splr_crat,                  , PLN_SWAP,  92248) /* spoiler chord ratio */ \
    X(float,   splr_def,                   , PLN_SWAP,  92252) /* spoiler deflection */ \
    X(float,   drud_crat,                  , PLN_SWAP,  92256) /* drag rudder chord ratio */ \
    X(float,   drud_def,                   , PLN_SWAP,  92260) /* drag rudder deflection */ \
    X(float,   sbrk_crat,                  , PLN_SWAP,  92264) /* speed brake chord ratio */ \
    X(float,   sbrk_def,                   , PLN_SWAP,  92268) /* speed brake deflection */ \
    X(int32_t, fusewash,                   , PLN_SWAP,  92272) /* fuselage in propwash */ \
    X(float,   fuse_cd,                    , PLN_SWAP,  92276) /* fuselage drag coefficient */ \
    X(float,   fuseYcent,                  , PLN_KEEP,  92280) /* fuselage y centre */ \
    X(float,   fuseZcent,                  , PLN_KEEP,  92284) /* fuselage z centre */ \
    X(float,   fuse_s_frn,                 , PLN_KEEP,  92288) /* fuselage frontal area */ \
    X(float,   fuse_s_sid,                 , PLN_KEEP,  92292) /* fuselage side area */ \
    X(float,   fuse_s_top,                 , PLN_KEEP,  92296) /* fuselage top area */ \
    X(int32_t, nace_eq,                    , PLN_SWAP,  92300) /* has nacelles */ \
    X(float,   nace_s,                     , PLN_KEEP,  92304) /* nacelle area */ \
    X(int32_t, misc_eq,                    , PLN_SWAP,  92308) /* has miscellaneous body */ \
    X(float,   misc_s,                     , PLN_KEEP,  92312) /* miscellaneous body area */ \
    X(float,   misc_X,                     , PLN_SWAP,  92316) /* miscellaneous body x */ \
    X(float,   misc_Y,                     , PLN_SWAP,  92320) /* miscellaneous body y */ \
    X(float,   misc_Z,                     , PLN_SWAP,  92324) /* miscellaneous body z */ \
    X(int32_t, fair_eq,                    , PLN_SWAP,  92328) /* has fairings */ \
    X(float,   fair_s,                     , PLN_KEEP,  92332) /* fairing area */ \
    X(float,   body_r,         [28]        , PLN_SWAP,  92336) /* per body: radius */ \
    X(float,   body_X,         [28][18][16], PLN_SWAP,  92448) /* per body, station and point: x */ \
    X(float,   body_Y,         [28][18][16], PLN_SWAP, 124704) /* per body, station and point: y */ \
    X(float,   body_Z,         [28][18][16], PLN_SWAP, 156960) /* per body, station and point: z */ \
    X(float,   cgZ,                        , PLN_SWAP, 189216) /* centre of gravity z */ \
    X(float,   cgY,                        , PLN_SWAP, 189220) /* centre of gravity y */ \
    X(float,   Jxx_unitmass,               , PLN_KEEP, 189224) /* roll inertia per unit mass */ \
    X(float,   Jyy_unitmass,               , PLN_KEEP, 189228) /* pitch inertia per unit mass */ \
    X(float,   Jzz_unitmass,               , PLN_KEEP, 189232) /* yaw inertia per unit mass */ \
    X(float,   m_empty,                    , PLN_SWAP, 189236) /* empty mass */ \
    X(float,   m_max,                      , PLN_SWAP, 189240) /* maximum mass */ \
    X(float,   m_fuel,                     , PLN_SWAP, 189244) /* fuel mass */ \
    X(float,   m_jettison,                 , PLN_SWAP, 189248) /* jettisonable mass */ \
    X(int32_t, gear_type,                  , PLN_SWAP, 189252) /* landing gear type */ \
    X(int32_t, gear_retract,               , PLN_SWAP, 189256) /* gear retractable */ \
    X(float,   nwsteer,                    , PLN_SWAP, 189260) /* nose-wheel steering */ \
    X(float,   h_eqlbm,                    , PLN_KEEP, 189264) /* equilibrium height */ \
    X(float,   the_eqlbm,                  , PLN_KEEP, 189268) /* equilibrium pitch */ \
    X(float,   skidX,                      , PLN_SWAP, 189272) /* skid x */ \
    X(float,   skidY,                      , PLN_SWAP, 189276) /* skid y */ \
    X(float,   skidZ,                      , PLN_SWAP, 189280) /* skid z */ \
    X(float,   skidl,                      , PLN_SWAP, 189284) /* skid length */ \
    X(float,   ngearZ,                     , PLN_SWAP, 189288) /* nose gear z */ \
    X(float,   ngearY,                     , PLN_SWAP, 189292) /* nose gear y */ \
    X(float,   mgearZ,                     , PLN_SWAP, 189296) /* main gear z */ \
    X(float,   mgearX,                     , PLN_SWAP, 189300) /* main gear x */ \
    X(float,   mgearY,                     , PLN_SWAP, 189304) /* main gear y */ \
    X(float,   ngearZ_att,                 , PLN_SWAP, 189308) /* nose gear attach z */ \
    X(float,   ngearY_att,                 , PLN_SWAP, 189312) /* nose gear attach y */ \
    X(float,   mgearZ_att,                 , PLN_SWAP, 189316) /* main gear attach z */ \
    X(float,   mgearX_att,                 , PLN_SWAP, 189320) /* main gear attach x */ \
    X(float,   mgearY_att,                 , PLN_SWAP, 189324) /* main gear attach y */ \
    X(float,   ngearcon,                   , PLN_KEEP, 189328) /* nose gear spring */ \
    X(float,   ngeardmp,                   , PLN_KEEP, 189332) /* nose gear damping */ \
    X(float,   mgearcon,                   , PLN_KEEP, 189336) /* main gear spring */ \
    X(float,   mgeardmp,                   , PLN_KEEP, 189340) /* main gear damping */ \
    X(float,   skidcon,                    , PLN_KEEP, 189344) /* skid spring */ \
    X(float,   skiddmp,                    , PLN_KEEP, 189348) /* skid damping */ \
    X(float,   wheelrad,                   , PLN_SWAP, 189352) /* wheel radius */ \
    X(float,   condef,         [9]         , PLN_KEEP, 189356) /* control deflections */ \
    X(int32_t, gear_stat,      [3]         , PLN_KEEP, 189392) /* gear states */ \
    X(float,   jatoZ,                      , PLN_SWAP, 189404) /* rocket assist z */ \
    X(float,   jatoY,                      , PLN_SWAP, 189408) /* rocket assist y */ \
    X(float,   jatotheta,                  , PLN_SWAP, 189412) /* rocket assist angle */ \
    X(float,   jatothrust,                 , PLN_SWAP, 189416) /* rocket assist thrust */ \
    X(float,   jatodur,                    , PLN_SWAP, 189420) /* rocket assist duration */ \
    X(float,   stabroll,                   , PLN_SWAP, 189424) /* roll stability augmentation */ \
    X(float,   stabhdng,                   , PLN_SWAP, 189428) /* heading stability augmentation */ \
    X(float,   ailpitch,                   , PLN_SWAP, 189432) /* aileron pitch mixing */ \
    X(float,   ailflaps,                   , PLN_SWAP, 189436) /* aileron flap mixing */ \
    X(int32_t, antiiceEQ,                  , PLN_SWAP, 189440) /* has anti-ice */ \
    X(int32_t, arrestingEQ,                , PLN_SWAP, 189444) /* has arresting hook */ \
    X(int32_t, bitchinbettyEQ,             , PLN_SWAP, 189448) /* has voice warnings */ \
    X(int32_t, autosbrkEQ,                 , PLN_SWAP, 189452) /* has automatic speed brakes */ \
    X(int32_t, autofbrkEQ,                 , PLN_SWAP, 189456) /* has automatic flap brakes */ \
    X(int32_t, autosweepEQ,                , PLN_SWAP, 189460) /* has automatic sweep */ \
    X(float,   brake_area,                 , PLN_SWAP, 189464) /* brake area */ \
    X(float,   chute_area,                 , PLN_SWAP, 189468) /* drag chute area */ \
    X(float,   elevcyclic,                 , PLN_SWAP, 189472) /* elevator cyclic */ \
    X(float,   ailncyclic,                 , PLN_SWAP, 189476) /* aileron cyclic */ \
    X(float,   puffL,                      , PLN_SWAP, 189480) /* puffer roll moment */ \
    X(float,   puffM,                      , PLN_SWAP, 189484) /* puffer pitch moment */ \
    X(float,   puffN,                      , PLN_SWAP, 189488) /* puffer yaw moment */ \
    X(float,   AShiV,                      , PLN_SWAP, 189492) /* autopilot high speed */ \
    X(float,   ASloV,                      , PLN_SWAP, 189496) /* autopilot low speed */ \
    X(float,   ASmaxp1,                    , PLN_SWAP, 189500) /* autopilot pitch limit 1 */ \
    X(float,   ASp1,                       , PLN_SWAP, 189504) /* autopilot pitch gain 1 */ \
    X(float,   ASmaxp2,                    , PLN_SWAP, 189508) /* autopilot pitch limit 2 */ \
    X(float,   ASp2,                       , PLN_SWAP, 189512) /* autopilot pitch gain 2 */ \
    X(float,   ASmaxh1,                    , PLN_SWAP, 189516) /* autopilot heading limit 1 */ \
    X(float,   ASh1,                       , PLN_SWAP, 189520) /* autopilot heading gain 1 */ \
    X(float,   ASmaxh2,                    , PLN_SWAP, 189524) /* autopilot heading limit 2 */ \
    X(float,   ASh2,                       , PLN_SWAP, 189528) /* autopilot heading gain 2 */ \
    X(float,   ASmaxr1,                    , PLN_SWAP, 189532) /* autopilot roll limit 1 */ \
    X(float,   ASr1,                       , PLN_SWAP, 189536) /* autopilot roll gain 1 */ \
    X(float,   ASmaxr2,                    , PLN_SWAP, 189540) /* autopilot roll limit 2 */ \
    X(float,   ASr2,                       , PLN_SWAP, 189544) /* autopilot roll gain 2 */

// The aircraft record. pln[0] is the user's aircraft, pln[1] the second aircraft.
struct planestruct {
#define PLN_DECLARE(type, name, dims, kind, offset) type name dims;
    PLANE_FIELDS(PLN_DECLARE)
#undef PLN_DECLARE
};

extern planestruct pln[2];

// One field of the record as the list gives it.
struct pln_field {
    const char* name;
    int32_t offset;  // bytes from the start of the record
    int32_t bytes;   // whole field
    int32_t kind;    // PLN_TEXT, PLN_SWAP or PLN_KEEP
};

inline constexpr pln_field pln_fields[] = {
#define PLN_DESCRIBE(type, name, dims, kind, offset) \
    {#name, static_cast<int32_t>(offsetof(planestruct, name)), static_cast<int32_t>(sizeof(planestruct::name)), kind},
    PLANE_FIELDS(PLN_DESCRIBE)
#undef PLN_DESCRIBE
};
inline constexpr int PLN_NUM_FIELDS = sizeof pln_fields / sizeof pln_fields[0];

// Every text field is an array of texts of this length.
inline constexpr int PLN_TEXT_LEN = 400;

constexpr bool pln_texts_whole(void)
{
    for (const pln_field& f : pln_fields)
        if (f.kind == PLN_TEXT && (f.bytes % PLN_TEXT_LEN) != 0) return false;
    return true;
}

// Number of fields of one kind, or with values 1, of 4-byte values of that kind.
constexpr int pln_count(int kind, int values)
{
    int n = 0;
    for (const pln_field& f : pln_fields)
        if (f.kind == kind) n += values ? f.bytes / 4 : 1;
    return n;
}

// The layout is the file's: no padding, 4-byte little-endian IEEE numbers, and each field where the
// list says it is.
static_assert(sizeof(int32_t) == 4 && sizeof(float) == 4 && std::numeric_limits<float>::is_iec559);
static_assert(std::endian::native == std::endian::little, "the files' native byte order is little-endian");
static_assert(std::is_standard_layout_v<planestruct> && std::is_trivially_copyable_v<planestruct>);
static_assert(sizeof(planestruct) == 189548 && alignof(planestruct) == 4);
#define PLN_CHECK_OFFSET(type, name, dims, kind, offset) \
    static_assert(offsetof(planestruct, name) == (offset), "planestruct." #name " is not at its file offset");
PLANE_FIELDS(PLN_CHECK_OFFSET)
#undef PLN_CHECK_OFFSET
static_assert(PLN_NUM_FIELDS == 253 && pln_count(PLN_TEXT, 0) == 9 && pln_count(PLN_SWAP, 0) == 169 &&
              pln_count(PLN_KEEP, 0) == 75 && pln_count(PLN_SWAP, 1) == 26759);
static_assert(pln_texts_whole());

constexpr int ACF_TYPE = 202;     // file type of the aircraft file (binary)
constexpr int ACF_VERSION = 46;

// Reverses every 4-byte value of the fields marked PLN_SWAP in pln[p] (or in *rec).
void rev_pln_bytes(int p);
void rev_pln_record(planestruct* rec);

// What reading an aircraft file found.
enum AcfReadResult {
    ACF_READ_OK = 0,
    ACF_READ_MISSING,   // the file cannot be opened
    ACF_READ_DAMAGED,   // not an aircraft file's header, or shorter than the whole record
    ACF_READ_VERSION,   // an aircraft file of another version
};

// Reads the aircraft file at path into *rec, raising no alert of its own, except that with
// version_fatal 1 a wrong or unreadable version is the header reader's fatal alert. The whole
// record is read into a scratch copy first: *rec changes only with ACF_READ_OK, and then holds
// the record in this machine's byte order with every text terminated.
AcfReadResult read_plane_record(const char* path, planestruct* rec, int version_fatal);
// The notice of a file that read_plane_record could not take for being damaged or of another
// version, naming path; nothing for ACF_READ_OK and ACF_READ_MISSING, whose handling is the caller's.
void acf_read_alert(AcfReadResult r, const char* path);

// Reads the aircraft file at path into pln[p]. The whole record is read into a scratch copy first;
// a file that is missing returns 0 silently, one that is damaged (bad header, short record) raises
// an alert naming it and returns 0, and in both cases pln[p] is left as it was. A wrong version is
// fatal. The byte order is decided by asi_units, every text field comes back terminated, and the
// counts in the record (els, numen ...) are left for the loader to check. Returns 1 when pln[p]
// holds the file.
int read_plane(int p, const char* path);

// Writes pln[p] as an aircraft file at path and closes it. Returns 1 when the whole file was
// written, else raises the save alert and returns 0.
int write_plane(int p, const char* path);
