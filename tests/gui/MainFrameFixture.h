#pragma once

// A main window in a fresh settings directory, with an emulated USB bus in the process
// (one simulated logger plugged in unless a test unplugs it).
#include "GuiHarness.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "sim/SimBus.h"

#include <gtest/gtest.h>
#include <wx/weakref.h>

#include <filesystem>
#include <fstream>
#include <memory>

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sim::SimBus::InMockEnvironment()) << "run under LD_PRELOAD=libumockdev-preload.so.0";
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir = std::filesystem::temp_directory_path() / (std::string("vrx-gui-") + info->test_suite_name() + "-" + info->name());
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    bus = std::make_unique<sim::SimBus>();
    logger = std::make_shared<sim::SimLogger>();
    slot = bus->Plug(logger);
    guitest::LogCapture::Get().Clear();
  }

  void TearDown() override {
    if (frame) {
      frame->m_recordings.MarkSaved();  // no close prompt when a test leaves its window behind
      frame->Destroy();
    }
    CloseTopLevelWindows();
    guitest::Pump();
    bus.reset();
    std::filesystem::remove_all(dir);
  }

  // Opens the main window; `settings` is the settings file's content (none if empty).
  void Open(const std::string& settings = "0\n98\n0\n0\n") {
    if (!settings.empty()) std::ofstream(dir / "vrxv43.ini") << settings;
    frame = new MainFrame("Unbennant", wxDefaultPosition, wxSize(440, 440), wxString::FromUTF8(dir.string()));
    frame->Show();
    guitest::Pump();
  }

  // Gives the window the keyboard, as a window manager gives it to a new window. The splash
  // screen goes first: while it is up it holds the keyboard.
  void Activate() {
    for (wxWindow* w : wxTopLevelWindows)
      if (w != frame) w->Destroy();
    guitest::Pump();
    frame->Raise();
    ASSERT_TRUE(guitest::PumpUntil([&] { return frame->IsActive(); }));
  }

  // Sends a command as its button or menu item would.
  void Command(int id, wxEventType type = wxEVT_BUTTON) {
    wxCommandEvent event(type, id);
    event.SetEventObject(frame);
    frame->GetEventHandler()->ProcessEvent(event);
  }

  void StatusTick() {
    wxTimerEvent event(frame->m_statusTimer);
    frame->GetEventHandler()->ProcessEvent(event);
  }

  // Other top-level windows (tips dialogs, splash) left open by the window under test.
  static void CloseTopLevelWindows() {
    for (wxWindow* w : wxTopLevelWindows) w->Destroy();
  }

  std::filesystem::path dir;
  std::unique_ptr<sim::SimBus> bus;
  std::shared_ptr<sim::SimLogger> logger;
  int slot = -1;
  wxWeakRef<MainFrame> frame;
};
