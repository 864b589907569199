// hl_globals.cpp -- the one definition of every shared record and table.
#include "hl_types.h"
#include "hl_model.h"

#include <cstring>

constantstruct con;
menuwindowstruct mnw;
float lookup_sin[361];
float lookup_cos[361];
float col_rgb[NUM_COLORS][3];
uint8_t rgb_array[SCREEN_H][SCREEN_W][3];

char app_path[STR_LEN], wrk_path[STR_LEN], prf_path[STR_LEN], res_path[STR_LEN];
char cd_path[STR_LEN];
char afl_path[STR_LEN], flp_path[STR_LEN], tex_path[STR_LEN], obj_path[STR_LEN];
char cus_path[STR_LEN], sit_path[STR_LEN];
char C_s[STR_LEN];

float planexyz[REGION_NI][REGION_NJ][3];
uint32_t planetex[REGION_NI][REGION_NJ];
float planest[REGION_NI][REGION_NJ][2][2][2];
int32_t on_water[REGION_NI][REGION_NJ];
int32_t city_on_poly[REGION_NI][REGION_NJ];
float planenrml[REGION_NI][REGION_NJ][3];
int32_t tree_on_poly[REGION_NI][REGION_NJ];
int32_t frig_on_poly[REGION_NI][REGION_NJ];
int32_t carr_on_poly[REGION_NI][REGION_NJ];
int32_t oilr_on_poly[REGION_NI][REGION_NJ];
float city_xyz[REGION_NI][REGION_NJ][2][5][3];
float tree_xyz[REGION_NI][REGION_NJ][2][4][3];
float cloudxyz[CLOUD_NI][CLOUD_NJ][3];
float cloudrgb[CLOUD_NI][CLOUD_NJ][3];
int32_t obj_type[OBJ_MAX];
float obj_xyz[OBJ_MAX][50][4][3];
int32_t obj_slot;
float obj_nrml[OBJ_MAX][OBJ_ELEMENTS][3];
int32_t obj_poltyp[OBJ_MAX][OBJ_ELEMENTS];
int32_t obj_texrgb[OBJ_MAX][OBJ_ELEMENTS];
char objtex_name[OBJTEX_MAX][OBJTEX_NAME_LEN + 1];
int32_t current_tex_numb;
int32_t apt_to_index[LCL_MAX];
int32_t apt_lcl_max = -1, apt_lcl_num;
int32_t vor_to_index[LCL_MAX], ndb_to_index[LCL_MAX];
int32_t vor_lcl_num, ndb_lcl_num;
int32_t rwy_geo_ind[MAX_RWY];
int32_t geo_tway[GEO_ROWS];
int32_t geo_rows;
float geo_markxyz[GEO_ROWS][GEO_MARKS][4][3];
float geo_litexyz[GEO_ROWS][GEO_LITES][3];
int32_t geo_rmax1[GEO_ROWS], geo_rmax2[GEO_ROWS], geo_tmax1[GEO_ROWS], geo_tmax2[GEO_ROWS];
int32_t geo_RCLS[GEO_ROWS];
int32_t geo_type[GEO_ROWS];
int32_t geo_litgls[GEO_ROWS][2], geo_litrwy[GEO_ROWS][2], geo_litapp[GEO_ROWS][2];
float geo_sockxyz[GEO_ROWS][2][3];
float geo_rabSxyz[GEO_ROWS][2][3], geo_rabDxyz[GEO_ROWS][2][3];

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

int32_t apt_wrl_max = -1, rwy_wrl_max = -1, nav_wrl_max = 1;
float apt_h[MAX_APT];
int32_t apt_twr[MAX_APT], apt_bld[MAX_APT];
char apt_id[MAX_APT][APT_ID_LEN];
char apt_name[MAX_APT][APT_NAME_LEN];
int32_t apt_lo_ind[MAX_APT], apt_hi_ind[MAX_APT], apt_inreg[MAX_APT];
float rwy_lat[MAX_RWY], rwy_lon[MAX_RWY];
int32_t rwy_num[MAX_RWY];
char rwy_lcr[MAX_RWY];
int32_t rwy_hdng[MAX_RWY], rwy_len[MAX_RWY], rwy_width[MAX_RWY], rwy_lite[MAX_RWY];
int32_t nav_type[MAX_NAV], nav_frq[MAX_NAV], nav_hdng[MAX_NAV];
float nav_lat[MAX_NAV], nav_lon[MAX_NAV], nav_h[MAX_NAV];
char nav_id[MAX_NAV][APT_ID_LEN];
char nav_name[MAX_NAV][APT_NAME_LEN];
int32_t nav_inreg[MAX_NAV];
float fix_lat[MAX_FIX], fix_lon[MAX_FIX];
char fix_name[MAX_FIX][FIX_NAME_LEN];

// Empties the world databases.
static void clear_world_db(void)
{
    apt_wrl_max = -1;
    rwy_wrl_max = -1;
    nav_wrl_max = 1;
    std::memset(apt_h, 0, sizeof apt_h);
    std::memset(apt_twr, 0, sizeof apt_twr);
    std::memset(apt_bld, 0, sizeof apt_bld);
    std::memset(apt_id, 0, sizeof apt_id);
    std::memset(apt_name, 0, sizeof apt_name);
    std::memset(apt_lo_ind, 0, sizeof apt_lo_ind);
    std::memset(apt_hi_ind, 0, sizeof apt_hi_ind);
    std::memset(apt_inreg, 0, sizeof apt_inreg);
    std::memset(rwy_lat, 0, sizeof rwy_lat);
    std::memset(rwy_lon, 0, sizeof rwy_lon);
    std::memset(rwy_num, 0, sizeof rwy_num);
    std::memset(rwy_lcr, 0, sizeof rwy_lcr);
    std::memset(rwy_hdng, 0, sizeof rwy_hdng);
    std::memset(rwy_len, 0, sizeof rwy_len);
    std::memset(rwy_width, 0, sizeof rwy_width);
    std::memset(rwy_lite, 0, sizeof rwy_lite);
    std::memset(nav_type, 0, sizeof nav_type);
    std::memset(nav_frq, 0, sizeof nav_frq);
    std::memset(nav_hdng, 0, sizeof nav_hdng);
    std::memset(nav_lat, 0, sizeof nav_lat);
    std::memset(nav_lon, 0, sizeof nav_lon);
    std::memset(nav_h, 0, sizeof nav_h);
    std::memset(nav_id, 0, sizeof nav_id);
    std::memset(nav_name, 0, sizeof nav_name);
    std::memset(nav_inreg, 0, sizeof nav_inreg);
    for (int i = 0; i < MAX_FIX; i++) fix_lat[i] = fix_lon[i] = -999.0f;
    std::memset(fix_name, 0, sizeof fix_name);
}

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
    std::memset(mdl, 0, sizeof mdl);
    std::memset(&mpose, 0, sizeof mpose);
    clear_world_db();
    std::memset(C_s, 0, sizeof C_s);
    std::memset(planexyz, 0, sizeof planexyz);
    std::memset(planetex, 0, sizeof planetex);
    std::memset(planest, 0, sizeof planest);
    std::memset(on_water, 0, sizeof on_water);
    std::memset(city_on_poly, 0, sizeof city_on_poly);
    std::memset(planenrml, 0, sizeof planenrml);
    std::memset(tree_on_poly, 0, sizeof tree_on_poly);
    std::memset(frig_on_poly, 0, sizeof frig_on_poly);
    std::memset(carr_on_poly, 0, sizeof carr_on_poly);
    std::memset(oilr_on_poly, 0, sizeof oilr_on_poly);
    std::memset(city_xyz, 0, sizeof city_xyz);
    std::memset(tree_xyz, 0, sizeof tree_xyz);
    std::memset(cloudxyz, 0, sizeof cloudxyz);
    std::memset(cloudrgb, 0, sizeof cloudrgb);
    std::memset(obj_type, 0, sizeof obj_type);
    std::memset(obj_xyz, 0, sizeof obj_xyz);
    obj_slot = OBJ_FIRST_SCENERY - 1;
    std::memset(obj_nrml, 0, sizeof obj_nrml);
    std::memset(obj_poltyp, 0, sizeof obj_poltyp);
    std::memset(obj_texrgb, 0, sizeof obj_texrgb);
    std::memset(objtex_name, 0, sizeof objtex_name);
    current_tex_numb = 0;
    std::memset(apt_to_index, 0, sizeof apt_to_index);
    std::memset(vor_to_index, 0, sizeof vor_to_index);
    std::memset(ndb_to_index, 0, sizeof ndb_to_index);
    apt_lcl_num = vor_lcl_num = ndb_lcl_num = geo_rows = 0;
    apt_lcl_max = -1;   // no region loaded yet
    for (int32_t& g : rwy_geo_ind) g = -1;
    std::memset(geo_tway, 0, sizeof geo_tway);
    std::memset(geo_markxyz, 0, sizeof geo_markxyz);
    std::memset(geo_litexyz, 0, sizeof geo_litexyz);
    std::memset(geo_rmax1, 0, sizeof geo_rmax1);
    std::memset(geo_rmax2, 0, sizeof geo_rmax2);
    std::memset(geo_tmax1, 0, sizeof geo_tmax1);
    std::memset(geo_tmax2, 0, sizeof geo_tmax2);
    std::memset(geo_RCLS, 0, sizeof geo_RCLS);
    std::memset(geo_type, 0, sizeof geo_type);
    std::memset(geo_litgls, 0, sizeof geo_litgls);
    std::memset(geo_litrwy, 0, sizeof geo_litrwy);
    std::memset(geo_litapp, 0, sizeof geo_litapp);
    std::memset(geo_sockxyz, 0, sizeof geo_sockxyz);
    std::memset(geo_rabSxyz, 0, sizeof geo_rabSxyz);
    std::memset(geo_rabDxyz, 0, sizeof geo_rabDxyz);
    mnw.menu_up = -1;
}
