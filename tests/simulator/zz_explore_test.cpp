#include "flight_harness.h"
#include "funct.h"
#include "fltgeom.h"
#include "hl_types.h"
#include "synthetic_aircraft.h"
#include <kvtest.h>
#include <cstdio>
TEST(Explore, Nan)
{
    TempDir dir;
    fh_world();
    syn_airfoil(dir.str(), "offset.afl", 0.1f, 0.2f, 15.0f, 0.006f, 6.0f, 0.0f, 0.5f);
    std::snprintf(afl_path, STR_LEN, "%s/", dir.str().c_str());
    planestruct pl = syn_aircraft();
    for (int p = 0; p < 18; p++) syn_foils(pl, p, "offset.afl");
    ASSERT_EQ(fh_load(syn_write(pl, dir).c_str()), 1);
    fh_start_air(1000.0f, 50.0f, 0.0f);
    flt.machno = 0;
    flt.alpha[5][0] = 2.0f; flt.v_el[5][0] = 0.7f * atm.a;
    float cl, cd, cm;
    Fco_subsonic(0,0,0,&cl,&cd,&cm,5,0);
    printf("a %f cl %f cd %f cm %f e %f AR %f cdif %f CL %f CDI %f zl %f al %f\n", atm.a, cl, cd, cm, pln[0].e[5], pln[0].AR[5], fgeo.cdi_factor[5], flt.CL_grndeffect[5], flt.CDIgrndeffect[5], afl[0].al_zl[5][0][0], pln[0].al_D_al0[5]);
}
