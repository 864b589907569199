// hl_globals.cpp -- the one definition of every shared record and table.
#include "hl_types.h"

#include <cstring>

constantstruct con;
menuwindowstruct mnw;
float lookup_sin[361];
float lookup_cos[361];
float col_rgb[NUM_COLORS][3];
uint8_t rgb_array[SCREEN_H][SCREEN_W][3];

char app_path[STR_LEN], wrk_path[STR_LEN], prf_path[STR_LEN], res_path[STR_LEN];
char afl_path[STR_LEN], flp_path[STR_LEN], tex_path[STR_LEN], obj_path[STR_LEN];
char cus_path[STR_LEN], sit_path[STR_LEN];
char C_s[STR_LEN];

float planexyz[REGION_NI][REGION_NJ][3];
uint32_t planetex[REGION_NI][REGION_NJ];
float planest[REGION_NI][REGION_NJ][2][2][2];
int32_t on_water[REGION_NI][REGION_NJ];
int32_t city_on_poly[REGION_NI][REGION_NJ];

int initing = 1;
int ogl_ready = 0;
int is_3dfx = 0;
int gdone = 0;
int to_array = 0;
int hres_orig = 0, vres_orig = 0, cres_orig = 0;

planestruct pln[2];
airfoilstruct afl[2];
flightstruct flt;
atmospherestruct atm;
environmentstruct env;
scenerystruct scn;
settingstruct set;
inststruct ins;
miscstruct msc;
relstruct rel;
pathstruct pat;
graphstruct grf;
navstruct nav;
ottostruct ott;
flightplanstruct fpl;
atcstruct atc;

void clear_globals(void)
{
    std::memset(&con, 0, sizeof con);
    std::memset(&mnw, 0, sizeof mnw);
    std::memset(pln, 0, sizeof pln);
    std::memset(afl, 0, sizeof afl);
    std::memset(&flt, 0, sizeof flt);
    std::memset(&atm, 0, sizeof atm);
    std::memset(&env, 0, sizeof env);
    std::memset(&scn, 0, sizeof scn);
    std::memset(&set, 0, sizeof set);
    std::memset(&ins, 0, sizeof ins);
    std::memset(&msc, 0, sizeof msc);
    std::memset(&rel, 0, sizeof rel);
    std::memset(&pat, 0, sizeof pat);
    std::memset(&grf, 0, sizeof grf);
    std::memset(&nav, 0, sizeof nav);
    std::memset(&ott, 0, sizeof ott);
    std::memset(&fpl, 0, sizeof fpl);
    std::memset(&atc, 0, sizeof atc);
    std::memset(C_s, 0, sizeof C_s);
    std::memset(planexyz, 0, sizeof planexyz);
    std::memset(planetex, 0, sizeof planetex);
    std::memset(planest, 0, sizeof planest);
    std::memset(on_water, 0, sizeof on_water);
    std::memset(city_on_poly, 0, sizeof city_on_poly);
    mnw.menu_up = -1;
}
