// The main window's command table: every menu item and button reaches a handler, through
// the event kind it sends, and nothing else is bound.
#include "MainFrameFixture.h"
#include "app/TipsDialog.h"
#include "plot/MeasureEvent.h"

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/dataview.h>
#include <wx/menu.h>
#include <wx/panel.h>

#include <set>
#include <utility>

namespace {

// Reads the static table of the window class.
struct TableReader : MainFrame {
  static std::set<std::pair<wxEventType, int>> Entries() {
    std::set<std::pair<wxEventType, int>> out;
    for (const wxEventTableEntry* e = sm_eventTable.entries; e->m_fn; ++e) {
      // One range only: the recent files of the "Datei" menu.
      if (e->m_lastId != wxID_ANY) {
        EXPECT_EQ(e->m_id, wxID_FILE1);
        EXPECT_EQ(e->m_lastId, wxID_FILE9);
      }
      out.insert({e->m_eventType, e->m_id});
    }
    return out;
  }
};

using Entry = std::pair<wxEventType, int>;

}  // namespace

TEST_F(MainFrameTest, EveryCommandIsRoutedAndNothingElse) {
  std::set<Entry> expected;
  for (int id : std::initializer_list<int>{ID_QUIT, ID_OPEN, ID_SAVE, ID_SAVE_AS, ID_PRINT, ID_PRINT_PREVIEW, ID_FILTER_SETTINGS,
                 ID_COLOUR_FLOW, ID_COLOUR_VOLUME, ID_COLOUR_PRESSURE, ID_WIDTH_FLOW, ID_WIDTH_VOLUME,
                 ID_WIDTH_PRESSURE, ID_EXPORT_CSV, ID_SHOW_TIPS, wxID_ABOUT, wxID_FILE1})
    expected.insert({wxEVT_MENU, id});
  for (int id : {ID_OPEN_BUTTON, ID_SAVE, ID_PRINT_BUTTON, ID_SAVE_IMAGE, ID_ZOOM_IN, ID_ZOOM_OUT, ID_ZOOM_FIT,
                 ID_MEASURE_FLOW, ID_MEASURE_PRESSURE, ID_GRID, ID_POINTS, ID_FILTER, ID_VIEW_FLOW, ID_VIEW_VOLUME,
                 ID_VIEW_PRESSURE, ID_LIVE_START, ID_LIVE_STOP, ID_DEVICE_SETTINGS, ID_CLEAR_MEMORY, ID_DOWNLOAD,
                 ID_REMOVE_RECORDING, ID_CHANGE_TITLE, ID_EDIT_INFO})
    expected.insert({wxEVT_BUTTON, id});
  for (wxEventType t : {wxEVT_DATAVIEW_SELECTION_CHANGED, wxEVT_DATAVIEW_ITEM_ACTIVATED})
    expected.insert({t, ID_RECORDING_LIST});
  expected.insert({wxEVT_TIMER, STATUS_TIMER_ID});
  expected.insert({wxEVT_TIMER, LIVE_TIMER_ID});
  expected.insert({MeasureEvent, wxID_ANY});
  expected.insert({vrxEVT_TIPS_FLAG, wxID_ANY});
  EXPECT_EQ(TableReader::Entries(), expected);

  // Every menu item and every picture button of the window sends a routed command.
  Open();
  const auto routed = TableReader::Entries();
  std::vector<wxMenu*> menus;
  for (size_t i = 0; i < frame->GetMenuBar()->GetMenuCount(); ++i) menus.push_back(frame->GetMenuBar()->GetMenu(i));
  int items = 0;
  while (!menus.empty()) {
    wxMenu* menu = menus.back();
    menus.pop_back();
    for (wxMenuItem* item : menu->GetMenuItems()) {
      if (item->IsSeparator()) continue;
      if (item->IsSubMenu()) {
        menus.push_back(item->GetSubMenu());
        continue;
      }
      ++items;
      EXPECT_TRUE(routed.count({wxEVT_MENU, item->GetId()})) << item->GetItemLabelText();
    }
  }
  EXPECT_EQ(items, 16);
  int buttons = 0;
  for (wxWindow* child : frame->m_panel->GetChildren()) {
    if (!dynamic_cast<wxButton*>(child) || child->GetId() == ID_VERSION_BADGE) continue;
    ++buttons;
    EXPECT_TRUE(routed.count({wxEVT_BUTTON, child->GetId()})) << child->GetId();
  }
  EXPECT_EQ(buttons, 23);
  // The version badge has no command behind it.
  EXPECT_FALSE(routed.count({wxEVT_BUTTON, ID_VERSION_BADGE}));
}
