#pragma once

// A running program with its channel list, and short ways to fill channels and read rows.

#include "tests/app/gui_test.h"

#include <array>
#include <string>

#include <wx/menu.h>
#include <wx/toolbar.h>

#include "app/command_ids.h"
#include "app/list_view_ex.h"
#include "app/main_frame.h"
#include "app/pwr455_app.h"
#include "app/pwr455_doc.h"
#include "app/pwr455_view.h"
#include "radio/r455_radio.h"

using RowTexts = std::array<std::string, 7>;

class ChannelListTest : public testing::Test {
protected:
    void SetUp() override { StartProgram(); }
    void TearDown() override { StopProgram(); }

    static CPWR455View* View()
    {
        CPWR455Doc* doc = GetPWR455App().GetDocument();
        return doc ? dynamic_cast<CPWR455View*>(doc->GetFirstView()) : nullptr;
    }
    static CListViewEx* List() { return View()->GetListCtrl(); }
    static CR455Radio* Radio() { return GetPWR455App().GetDocument()->GetRadioData(); }

    // Puts channel `ch` in use with a frequency and a name (the engine's own data only; the
    // list is not rebuilt).
    static void UseChannel(unsigned ch, const std::string& frequency, const std::string& name)
    {
        Radio()->SetChAppear(ch, "ON");
        std::string f = frequency;
        Radio()->SetChFrequency(ch, f);
        Radio()->SetChName(ch, name);
    }

    // Channels 2 to 4 in use (TOWER 121.500, ATIS 118.100, GROUND 119.250), the others as new.
    static void UseExampleChannels()
    {
        UseChannel(2, "121.500", "TOWER");
        UseChannel(3, "118.100", "ATIS");
        UseChannel(4, "119.250", "GROUND");
    }

    // The texts the list shows in channel `ch`'s row.
    static RowTexts Row(unsigned ch)
    {
        RowTexts texts;
        for (int c = 0; c < 7; ++c)
            texts[c] = List()->GetItemText(static_cast<long>(ch) - 1, c).utf8_string();
        return texts;
    }

    // The texts of all 20 rows.
    static std::array<RowTexts, 20> AllRows()
    {
        std::array<RowTexts, 20> rows;
        for (unsigned ch = 1; ch <= 20; ++ch)
            rows[ch - 1] = Row(ch);
        return rows;
    }

    // A key pressed in the list's rows.
    static void PressKey(int keyCode)
    {
        wxKeyEvent key(wxEVT_KEY_DOWN);
        key.m_keyCode = keyCode;
        wxWindow* rows = List()->GetRowsWindow();
        key.SetEventObject(rows);
        rows->HandleWindowEvent(key);
    }

    // Whether the menu item of `id` is enabled after the update handlers ran.
    static bool IsEnabled(unsigned id)
    {
        UpdateUi();
        wxMenuItem* item = FindMenuItem(id);
        return item && item->IsEnabled();
    }
    // The same for the toolbar button (Copy, Paste and Clear have one).
    static bool IsToolEnabled(unsigned id)
    {
        UpdateUi();
        wxToolBar* bar = GetPWR455App().GetMainFrame()->GetToolBar();
        return bar && bar->GetToolEnabled(CmdId(id));
    }
};
