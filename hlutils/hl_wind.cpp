// hl_wind.cpp -- alerts (the alert window itself comes with the window module).
#include "hl_wind.h"

#include "hl_types.h"
#include "plt.h"

#include <cstdio>
#include <cstdlib>
#include <string>

static hl_alert_sink_fn g_alert_sink = nullptr;

void hl_set_alert_sink(hl_alert_sink_fn sink) { g_alert_sink = sink; }

void MACIBM_alert(const char* l1, const char* l2, const char* l3, const char* l4, int code)
{
    if (g_alert_sink) {
        g_alert_sink(l1 ? l1 : "", l2 ? l2 : "", l3 ? l3 : "", l4 ? l4 : "", code);
        return;
    }
    std::string text = std::string(l1 ? l1 : "") + "\n\n" + (l2 ? l2 : "") + "\n\n" + (l3 ? l3 : "") +
                       "\n\n" + (l4 ? l4 : "");
    PLT_beep();
    PLT_message_box("Vantrel Message", text.c_str());
    if (code == ALERT_COUNT || code == ALERT_FATAL) {
        gdone = 1;
        std::exit(1);
    }
}
