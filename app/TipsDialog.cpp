#include "TipsDialog.h"

#include "Pictures.h"
#include "TipText.h"

#include <wx/button.h>
#include <wx/dcclient.h>
#include <wx/sizer.h>
#include <wx/statbox.h>

#include <algorithm>
#include <chrono>
#include <random>

wxDEFINE_EVENT(vrxEVT_TIPS_FLAG, wxCommandEvent);

Tip::Tip(const wxString& t, const char* const* xpm)
    : text(t), image(std::make_unique<wxBitmap>(vrxBitmapFromXpm(xpm))) {}

wxBEGIN_EVENT_TABLE(TipsDialog, wxDialog)
  EVT_PAINT(TipsDialog::OnPaint)
  EVT_BUTTON(TipsDialog::ID_NEXT_TIP, TipsDialog::OnNextTip)
  EVT_CHECKBOX(TipsDialog::ID_SHOW_TIPS, TipsDialog::OnShowTipsChanged)
  EVT_BUTTON(wxID_OK, TipsDialog::OnOk)
  EVT_CLOSE(TipsDialog::OnClose)
wxEND_EVENT_TABLE()

namespace {

constexpr int PICTURE_X = 10;
constexpr int PICTURE_Y = 10;
constexpr int TEXT_X = 100;
constexpr int TEXT_Y = 15;
constexpr int LINE_STEP = 20;
constexpr int TIP_BAND = 100;  // height above the controls where the tip is painted

// The picture of each tip, in the order of TIP_TEXTS.
constexpr PictureId TIP_PICTURES[TIP_COUNT] = {
    PictureLiveStart, PictureDeviceSettings, PictureDownload, PictureEraseMemory,
    PictureOpen,      PictureTipHelp,        PictureSaveImage,
};

}  // namespace

TipsDialog::TipsDialog(wxWindow* parent, bool showTips)
    : wxDialog(parent, wxID_ANY, "Help Tips", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE, "dialog"),
      m_parent(parent),
      m_showTips(showTips) {
  SetBackgroundColour(wxColour(236, 233, 216));

  for (std::size_t i = 0; i < TIP_COUNT; ++i)
    m_tips.emplace_back(wxString::FromUTF8(TIP_TEXTS[i]), vrxPictureXpm(TIP_PICTURES[i]));

  // A generator of our own, so other users of rand() are not reseeded behind their back.
  std::minstd_rand rng(static_cast<unsigned>(
      std::chrono::system_clock::now().time_since_epoch().count()));
  m_current = rng() % m_tips.size();

  auto* group = new wxStaticBoxSizer(wxHORIZONTAL, this, wxEmptyString);
  wxWindow* box = group->GetStaticBox();
  m_showTipsBox = new wxCheckBox(box, ID_SHOW_TIPS, "Show Tips at Startup");
  m_showTipsBox->SetValue(showTips);
  group->Add(m_showTipsBox, 0, wxLEFT | wxALIGN_CENTER_VERTICAL, 10);
  group->Add(new wxButton(box, ID_NEXT_TIP, "Next Tip", wxDefaultPosition, wxSize(100, 30)), 0,
             wxLEFT, 40);
  group->Add(new wxButton(box, wxID_OK, "OK", wxDefaultPosition, wxSize(100, 30)), 0,
             wxLEFT | wxRIGHT, 10);

  // Wide enough for the longest drawn line, so no tip is cut off at the right edge.
  int widest = 0;
  for (const Tip& tip : m_tips)
    for (const std::string& line : BreakTipText(tip.text.utf8_string()))
      widest = std::max(widest, GetTextExtent(wxString::FromUTF8(line)).GetWidth());

  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(group, 0, wxTOP | wxEXPAND, TIP_BAND);
  top->SetMinSize(wxSize(TEXT_X + widest + 15, -1));
  SetSizerAndFit(top);
}

void TipsDialog::SetCurrentTip(std::size_t index) {
  if (index >= m_tips.size()) return;
  m_current = index;
  Refresh();
}

void TipsDialog::DrawTip(wxDC& dc) const {
  const Tip& tip = m_tips[m_current];
  if (tip.image && tip.image->IsOk()) dc.DrawBitmap(*tip.image, PICTURE_X, PICTURE_Y, true);
  dc.SetFont(GetFont());
  dc.SetTextForeground(GetForegroundColour());
  int y = TEXT_Y;
  for (const std::string& line : BreakTipText(tip.text.utf8_string())) {
    dc.DrawText(wxString::FromUTF8(line), TEXT_X, y);
    y += LINE_STEP;
  }
}

void TipsDialog::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  DrawTip(dc);
}

void TipsDialog::OnNextTip(wxCommandEvent&) {
  m_current = (m_current + 1) % m_tips.size();
  Refresh();
}

void TipsDialog::OnShowTipsChanged(wxCommandEvent&) {
  m_showTips = m_showTipsBox->GetValue();
  if (!m_parent) return;
  wxCommandEvent flag(vrxEVT_TIPS_FLAG, m_showTips ? 1 : 0);
  flag.SetEventObject(this);
  m_parent->GetEventHandler()->ProcessEvent(flag);
}

void TipsDialog::OnOk(wxCommandEvent&) {
  Close();
}

// Each "Show Startup Tips" makes a new dialog, so a closed one is destroyed rather than
// kept hidden until the main window goes.
void TipsDialog::OnClose(wxCloseEvent&) {
  Destroy();
}
