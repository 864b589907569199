// menu_test.cpp -- the menu table's layout, bounds and the choice of items by clicks.
#include "hl_event.h"
#include "hl_menu.h"
#include "hl_types.h"
#include "hl_wind.h"
#include "kvtest.h"
#include "test_program.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Menus : public ::testing::Test {
protected:
    void SetUp() override
    {
        clear_globals();
        hl_reset_menus();
        clear_recorded_alerts();
        test_program_log().clear();
    }
    static void click(float x, float y)
    {
        mnw.mx = x;
        mnw.my = y;
        mnw.mouse_clicked = 1;
        hl_menu_click();
    }
    static void click_item(int menu, int place)
    {
        click((mnw.itemx1[menu][place] + mnw.itemx2[menu][place]) / 2,
              (mnw.itemy1[menu][place] + mnw.itemy2[menu][place]) / 2);
    }
    static void box(int menu, int place, float x1, float y1, float x2, float y2)
    {
        EXPECT_FLOAT_EQ(mnw.itemx1[menu][place], x1) << menu << "/" << place;
        EXPECT_FLOAT_EQ(mnw.itemy1[menu][place], y1) << menu << "/" << place;
        EXPECT_FLOAT_EQ(mnw.itemx2[menu][place], x2) << menu << "/" << place;
        EXPECT_FLOAT_EQ(mnw.itemy2[menu][place], y2) << menu << "/" << place;
    }
};

TEST_F(Menus, TitlesRunAlongTheBar)
{
    MACIBM_create_menu(0, -1, "File");
    MACIBM_create_menu(1, -1, "Location");
    MACIBM_create_menu(2, -1, "X");
    const float want[3][4] = {{10, 583, 34, 600}, {44, 583, 92, 600}, {102, 583, 108, 600}};
    for (int m = 0; m < 3; m++) {
        EXPECT_EQ(mnw.menu_prnt[m], -1);
        EXPECT_FLOAT_EQ(mnw.menux1[m], want[m][0]);
        EXPECT_FLOAT_EQ(mnw.menuy1[m], want[m][1]);
        EXPECT_FLOAT_EQ(mnw.menux2[m], want[m][2]);
        EXPECT_FLOAT_EQ(mnw.menuy2[m], want[m][3]);
    }
    // Menu 0 made again starts the bar over (the simulator rebuilds its bar with every region).
    MACIBM_create_menu(0, -1, "About");
    EXPECT_FLOAT_EQ(mnw.menux1[0], 10);
}

TEST_F(Menus, ItemsStackDownwardsAndWidthFollowsTheLongestName)
{
    MACIBM_create_menu(0, -1, "File");
    MACIBM_append_menu(0, 0, "Open", "");
    box(0, 0, 10, 571, 10 + 6 * 4 + 25, 583);
    MACIBM_append_menu(0, 1, "Save As...", "");
    // Adding a longer item widens every item of the menu.
    const float d = 6 * 10 + 25;
    box(0, 0, 10, 571, 10 + d, 583);
    box(0, 1, 10, 559, 10 + d, 571);
}

TEST_F(Menus, SeparatorTakesTwoUnits)
{
    MACIBM_create_menu(0, -1, "File");
    MACIBM_append_menu(0, 0, "Open", "");
    MACIBM_append_menu(0, 1, "-", "");
    MACIBM_append_menu(0, 2, "Quit", "");
    const float d = 6 * 4 + 25;
    box(0, 0, 10, 571, 10 + d, 583);
    box(0, 1, 10, 569, 10 + d, 571);
    box(0, 2, 10, 557, 10 + d, 569);
}

TEST_F(Menus, LongMenuWrapsIntoANewColumn)
{
    MACIBM_create_menu(3, -1, "Airports");
    for (int p = 0; p < 60; p++) MACIBM_append_menu(3, 300 + p, ("Field " + std::to_string(p)).c_str(), "");
    const float d = 6 * 8 + 25;
    // Item p of the first column spans 583 - 12(p+1) .. 583 - 12p; the first whose top would be below
    // 40 (p = 46: 583 - 552 = 31) starts a second column level with the first item.
    box(3, 45, 10, 583 - 12 * 46, 10 + d, 583 - 12 * 45);
    box(3, 46, 10 + d, 571, 10 + 2 * d, 583);
    box(3, 47, 10 + d, 559, 10 + 2 * d, 571);
    hl_open_menu(3);
    EXPECT_EQ(m_x1, 10);
    EXPECT_EQ(m_x2, static_cast<int>(10 + 2 * d));
    EXPECT_EQ(m_y2, 583);
    EXPECT_EQ(m_y1, static_cast<int>(583 - 12 * 46));
}

TEST_F(Menus, SubmenuHangsFromItsParentItemAsLaidOutLast)
{
    MACIBM_create_menu(0, -1, "Edit");
    MACIBM_append_menu(0, 0, "Undo", "");
    MACIBM_append_menu(0, 1, "Shape", "");
    MACIBM_create_menu(5, 1, "Shape");
    MACIBM_append_menu(5, 500, "Circle", "");
    EXPECT_EQ(mnw.menu_prnt[5], 0);
    // The parent menu grows after the submenu was made: the submenu follows its parent item.
    MACIBM_append_menu(0, 2, "A much longer item", "");
    const float d0 = 6 * 18 + 25, d5 = 6 * 6 + 25;
    EXPECT_FLOAT_EQ(mnw.menux1[5], mnw.itemx1[0][1]);
    EXPECT_FLOAT_EQ(mnw.menux2[5], 10 + d0);
    box(5, 0, 10 + d0, 559, 10 + d0 + d5, 571);
}

TEST_F(Menus, HelpTextsKeptForTheFirstFifteenMenusOnly)
{
    MACIBM_create_menu(14, -1, "Fourteen");
    MACIBM_append_menu(14, 1403, "Item", "Help of 1403.");
    EXPECT_STREQ(mnw.item_help[1403], "Help of 1403.");
    MACIBM_create_menu(15, -1, "Fifteen");
    MACIBM_append_menu(15, 1500, "Item", "Never kept.");
    EXPECT_STREQ(mnw.item_name[15][0], "Item");
}

TEST_F(Menus, LongNamesAndHelpAreCutNotOverflowed)
{
    std::string name(100, 'n'), help(1000, 'h');
    MACIBM_create_menu(0, -1, name.c_str());
    MACIBM_append_menu(0, 0, name.c_str(), help.c_str());
    EXPECT_EQ(std::string(mnw.menu_name[0]), name.substr(0, MENU_NAME_LEN - 1));
    EXPECT_EQ(std::string(mnw.item_name[0][0]), name.substr(0, MENU_NAME_LEN - 1));
    EXPECT_EQ(std::string(mnw.item_help[0]), help.substr(0, STR_LEN - 1));
    EXPECT_EQ(mnw.item_name[0][1][0], 0);
}

TEST_F(Menus, IndicesOutOfRangeAreFatal)
{
    struct Case { int menu, item, parent; bool create; const char* text; };
    const Case cases[] = {
        {320, 0, -1, true, "Menu index out of range in create_menu!"},
        {-1, 0, -1, true, "Menu index out of range in create_menu!"},
        {5, 0, 32000, true, "Menu index out of range in create_menu!"},
        {320, 32000, 0, false, "Menu index out of range in append_menu!"},
        {-3, 0, 0, false, "Menu index out of range in append_menu!"},
        {2, 300, 0, false, "Item index out of range in append_menu!"},
        {2, 199, 0, false, "Item index out of range in append_menu!"},
    };
    for (const Case& c : cases) {
        clear_recorded_alerts();
        if (c.create) EXPECT_THROW(MACIBM_create_menu(c.menu, c.parent, "Name"), FatalAlert);
        else EXPECT_THROW(MACIBM_append_menu(c.menu, c.item, "Name", ""), FatalAlert);
        ASSERT_EQ(recorded_alerts().size(), 1u);
        EXPECT_EQ(recorded_alerts()[0].l1, c.text);
        EXPECT_EQ(recorded_alerts()[0].l4, "Name");
        EXPECT_EQ(recorded_alerts()[0].code, ALERT_FATAL);
    }
}

TEST_F(Menus, ClicksOpenCloseAndChoose)
{
    MACIBM_create_menu(0, -1, "File");
    MACIBM_append_menu(0, 0, "Open", "");
    MACIBM_append_menu(0, 1, "-", "");
    MACIBM_append_menu(0, 2, "Quit", "");
    MACIBM_create_menu(1, -1, "View");
    MACIBM_append_menu(1, 104, "Wide", "");

    click(20, 590);
    EXPECT_EQ(mnw.menu_up, 0);
    click(20, 590);
    EXPECT_EQ(mnw.menu_up, -1);
    click(20, 590);
    click(60, 590);   // another title opens that menu instead
    EXPECT_EQ(mnw.menu_up, 1);
    click_item(1, 4);
    EXPECT_EQ(mnw.menu_up, -1);
    EXPECT_EQ(mnw.mouse_clicked, 0);

    click(20, 590);
    click_item(0, 1);   // the separator
    EXPECT_EQ(mnw.menu_up, -1);
    click(20, 590);
    click(500, 300);    // nowhere
    EXPECT_EQ(mnw.menu_up, -1);
    click_item(0, 2);   // items of a closed menu are not there
    click(20, 590);
    click_item(0, 2);

    ASSERT_EQ(test_program_log().menus.size(), 2u);
    EXPECT_EQ(test_program_log().menus[0], 104);
    EXPECT_EQ(test_program_log().menus[1], 2);
}

TEST_F(Menus, AnOpenWindowKeepsTheMenusShut)
{
    MACIBM_create_menu(0, -1, "File");
    MACIBM_append_menu(0, 0, "Open", "");
    for (int w : {WIND_ALERT, WIND_NUKE, WIND_OPEN}) {
        mnw.topwin = w;
        mnw.mx = 20;
        mnw.my = 590;
        MACIBM_handleclick();
        EXPECT_EQ(mnw.menu_up, -1) << w;
    }
    EXPECT_TRUE(test_program_log().menus.empty());
}

TEST_F(Menus, UnusedMenusAreNotSubmenusOfMenuZero)
{
    MACIBM_create_menu(0, -1, "File");
    MACIBM_append_menu(0, 0, "Open", "");
    click(20, 590);
    // Menus never made have parent 0 after clearing; clicking over where their zero boxes would be
    // must not open one of them.
    click(0, 0);
    EXPECT_EQ(mnw.menu_up, -1);
    EXPECT_TRUE(test_program_log().menus.empty());
}

}  // namespace
