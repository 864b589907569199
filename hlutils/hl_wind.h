// hl_wind.h -- the library's windows: opening a numbered window, alerts, the save-changes alert, buttons.
#pragma once

enum {
    ALERT_ABOUT = 2001,   // the about box
    ALERT_NOTICE = 2002,  // report and go on
    ALERT_COUNT = 2003,   // a table is full: show the count, then end the program
    ALERT_FATAL = 2004,   // end the program after O.K.
};

void MACIBM_startwind(int id);
void MACIBM_alert(const char* l1, const char* l2, const char* l3, const char* l4, int code);
int MACIBM_nuke_alert(const char* name);
void MACIBM_button(float x1, float y1, float x2, float y2, int raised);

// Tests install a sink that receives every alert instead of the alert window or message box. A
// sink may throw to stop a fatal alert from ending the process; with no sink, codes 2003 and 2004
// end the program with a non-zero status.
typedef void (*hl_alert_sink_fn)(const char* l1, const char* l2, const char* l3, const char* l4, int code);
void hl_set_alert_sink(hl_alert_sink_fn sink);
