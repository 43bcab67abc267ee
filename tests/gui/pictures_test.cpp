// Every picture decodes at its size, the button states really differ, and a contact sheet
// of all of them is written to /tmp/pictures.png for looking at.
#include "GuiHarness.h"
#include "Pictures.h"

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

#include <algorithm>
#include <map>
#include <string>

namespace {

// The sizes the main window, menus and dialogs are laid out for.
const std::map<PictureId, wxSize> EXPECTED_SIZES = {
    {PictureOpen, {50, 50}},           {PictureSave, {50, 50}},
    {PicturePrint, {50, 50}},          {PictureSaveImage, {50, 50}},
    {PictureBadge, {98, 60}},          {PictureZoomIn, {35, 30}},
    {PictureZoomOut, {35, 30}},        {PictureZoomFit, {35, 30}},
    {PictureMeasureFlow, {35, 30}},
    {PictureMeasurePressure, {35, 30}}, {PictureGrid, {35, 30}},
    {PicturePoints, {35, 30}},         {PictureFilter, {35, 30}},
    {PictureViewFlow, {50, 50}},       {PictureViewVolume, {50, 50}},
    {PictureViewPressure, {50, 50}},   {PictureLiveStart, {70, 70}},
    {PictureLiveStop, {70, 70}},       {PictureDeviceSettings, {70, 70}},
    {PictureEraseMemory, {70, 70}},    {PictureDownload, {70, 70}},
    {PictureTipHelp, {70, 70}},        {PictureMenuOpen, {16, 15}},
    {PictureMenuSave, {16, 15}},       {PictureMenuPrint, {16, 15}},
    {PictureSplash, {640, 540}},       {PictureUsbConnected, {280, 70}},
    {PictureDownloadDone, {280, 70}},  {PictureUsbMissing, {280, 70}},
    {PictureWindowIcon, {32, 32}},
};

const PictureState ALL_STATES[] = {PictureState::Normal, PictureState::Hover,
                                   PictureState::Pressed, PictureState::Disabled,
                                   PictureState::On};

bool IsButton(PictureId id) { return id <= PictureDownload && id != PictureBadge; }

bool IsToggle(PictureId id) {
  return (id >= PictureMeasureFlow && id <= PictureFilter) ||
         (id >= PictureViewFlow && id <= PictureViewPressure);
}

// Share of pixels that differ between two images of the same size.
double DifferentShare(const wxImage& a, const wxImage& b) {
  const unsigned char* p = a.GetData();
  const unsigned char* q = b.GetData();
  const int n = a.GetWidth() * a.GetHeight();
  int differ = 0;
  for (int i = 0; i < n; ++i)
    differ += p[3 * i] != q[3 * i] || p[3 * i + 1] != q[3 * i + 1] || p[3 * i + 2] != q[3 * i + 2];
  return double(differ) / n;
}

}  // namespace

TEST(Pictures, EveryPictureAndStateDecodesAtItsSize) {
  ASSERT_EQ(EXPECTED_SIZES.size(), size_t(PICTURE_COUNT));
  for (int i = 0; i < PICTURE_COUNT; ++i) {
    const auto id = PictureId(i);
    SCOPED_TRACE(vrxPictureName(id));
    EXPECT_EQ(vrxPictureSize(id), EXPECTED_SIZES.at(id));
    for (PictureState st : ALL_STATES) {
      const bool own = IsButton(id) ? (st != PictureState::On || IsToggle(id))
                                    : st == PictureState::Normal;
      EXPECT_EQ(vrxHasPicture(id, st), own) << int(st);
      const wxBitmap bmp = vrxPicture(id, st);
      ASSERT_TRUE(bmp.IsOk()) << int(st);
      EXPECT_EQ(bmp.GetSize(), EXPECTED_SIZES.at(id)) << int(st);
    }
  }
  EXPECT_TRUE(guitest::LogCapture::Get().Errors().empty());
}

TEST(Pictures, ButtonStatesLookDifferent) {
  for (int i = 0; i < PICTURE_COUNT; ++i) {
    const auto id = PictureId(i);
    if (!IsButton(id)) continue;
    SCOPED_TRACE(vrxPictureName(id));
    const ButtonPictures b = vrxButtonPictures(id);
    const wxImage normal = b.normal.ConvertToImage();
    // At least 5% of the pixels change, so each state is seen at a glance.
    EXPECT_GT(DifferentShare(normal, b.hover.ConvertToImage()), 0.05);
    EXPECT_GT(DifferentShare(normal, b.pressed.ConvertToImage()), 0.05);
    EXPECT_GT(DifferentShare(normal, b.disabled.ConvertToImage()), 0.05);
    EXPECT_GT(DifferentShare(b.hover.ConvertToImage(), b.pressed.ConvertToImage()), 0.05);
    EXPECT_EQ(b.on.IsOk(), IsToggle(id));
    if (b.on.IsOk()) {
      EXPECT_GT(DifferentShare(normal, b.on.ConvertToImage()), 0.05);
      EXPECT_GT(DifferentShare(b.hover.ConvertToImage(), b.on.ConvertToImage()), 0.05);
    }
    // Disabled pictures carry no colour.
    const wxImage disabled = b.disabled.ConvertToImage();
    const unsigned char* p = disabled.GetData();
    for (int k = 0; k < disabled.GetWidth() * disabled.GetHeight(); ++k, p += 3) {
      const bool background = p[0] == 236 && p[1] == 233 && p[2] == 216;
      if (!background) {
        ASSERT_LE(std::max({p[0], p[1], p[2]}) - std::min({p[0], p[1], p[2]}), 24) << k;
      }
    }
  }
}

TEST(Pictures, OpaquePicturesSitOnTheWindowBackground) {
  for (PictureId id : {PictureOpen, PictureBadge, PictureZoomIn, PictureViewFlow,
                       PictureLiveStart, PictureTipHelp, PictureUsbConnected}) {
    const wxImage img = vrxPicture(id).ConvertToImage();
    EXPECT_FALSE(img.HasMask()) << vrxPictureName(id);
    // The corners of a button show the window background, so the face blends in.
    if (IsButton(id)) {
      EXPECT_EQ(wxColour(img.GetRed(0, 0), img.GetGreen(0, 0), img.GetBlue(0, 0)),
                wxColour(236, 233, 216))
          << vrxPictureName(id);
    }
  }
  for (PictureId id : {PictureMenuOpen, PictureMenuSave, PictureMenuPrint, PictureWindowIcon}) {
    EXPECT_TRUE(vrxPicture(id).GetMask() != nullptr) << vrxPictureName(id);
  }
}

// Each picture shows the same pixels as wx's own XPM reader gives: colours where opaque, and
// transparent just where wx's mask is. Both as images and as the bitmaps the windows get.
TEST(Pictures, FastReaderGivesWxsPixels) {
  auto expectSame = [](const wxImage& mine, const wxImage& wx, const std::string& what) {
    ASSERT_EQ(mine.GetSize(), wx.GetSize()) << what;
    ASSERT_EQ(mine.HasMask(), wx.HasMask()) << what;
    for (int y = 0; y < wx.GetHeight(); ++y)
      for (int x = 0; x < wx.GetWidth(); ++x) {
        const bool clear = wx.HasMask() && wx.IsTransparent(x, y);
        ASSERT_EQ(mine.HasMask() && mine.IsTransparent(x, y), clear) << what << " at " << x << "," << y;
        if (!clear) {
          ASSERT_EQ(wxColour(mine.GetRed(x, y), mine.GetGreen(x, y), mine.GetBlue(x, y)),
                    wxColour(wx.GetRed(x, y), wx.GetGreen(x, y), wx.GetBlue(x, y)))
              << what << " at " << x << "," << y;
        }
      }
  };
  for (int i = 0; i < PICTURE_COUNT; ++i) {
    for (PictureState st : ALL_STATES) {
      const auto id = PictureId(i);
      if (!vrxHasPicture(id, st)) continue;
      const std::string what = std::string(vrxPictureName(id)) + " state " + std::to_string(int(st));
      const char* const* xpm = vrxPictureXpm(id, st);
      expectSame(vrxImageFromXpm(xpm), wxImage(xpm), what);
      expectSame(vrxPicture(id, st).ConvertToImage(), wxBitmap(xpm).ConvertToImage(), what + " bitmap");
    }
  }
  for (const char* const* xpm : vrxWindowIconXpms()) expectSame(vrxImageFromXpm(xpm), wxImage(xpm), "icon");
  // Forms our pictures do not use go to wx's reader: two characters a pixel, colour names.
  static const char* const twoChars[] = {"2 1 2 2", "aa c #FF0000", "bb c None", "aabb"};
  static const char* const named[] = {"2 1 2 1", "a c red", "b c #00FF00", "ab"};
  expectSame(vrxImageFromXpm(twoChars), wxImage(twoChars), "two characters a pixel");
  expectSame(vrxImageFromXpm(named), wxImage(named), "colour name");
  EXPECT_FALSE(vrxBitmapFromXpm(nullptr).IsOk());
}

TEST(Pictures, OutOfRangeAndFallbacks) {
  EXPECT_FALSE(vrxPicture(PICTURE_COUNT).IsOk());
  EXPECT_FALSE(vrxPicture(PictureId(-1)).IsOk());
  EXPECT_EQ(vrxPictureXpm(PICTURE_COUNT), nullptr);
  EXPECT_EQ(vrxPictureSize(PICTURE_COUNT), wxSize(0, 0));
  EXPECT_STREQ(vrxPictureName(PICTURE_COUNT), "");
  EXPECT_FALSE(vrxHasPicture(PictureOpen, PictureState(9)));
  // A state a picture lacks gives its normal picture.
  EXPECT_EQ(vrxPictureXpm(PictureSplash, PictureState::Pressed), vrxPictureXpm(PictureSplash));
  EXPECT_EQ(vrxPictureXpm(PictureZoomIn, PictureState::On), vrxPictureXpm(PictureZoomIn));
  EXPECT_FALSE(vrxButtonPictures(PictureZoomIn).on.IsOk());
}

TEST(Pictures, WindowIcons) {
  const wxIcon icon = vrxWindowIcon();
  ASSERT_TRUE(icon.IsOk());
  EXPECT_EQ(icon.GetWidth(), 32);
  const wxIconBundle icons = vrxWindowIcons();
  ASSERT_EQ(icons.GetIconCount(), 3u);
  for (int s : {16, 32, 48}) EXPECT_EQ(icons.GetIcon(wxSize(s, s)).GetWidth(), s);
}

TEST(Pictures, ContactSheet) {
  // Every picture in every state it has, one row per picture (the splash at the end).
  const int labelW = 130, gap = 8;
  int width = 0, height = gap;
  for (int i = 0; i < PICTURE_COUNT; ++i) {
    const auto id = PictureId(i);
    int states = 0;
    for (PictureState st : ALL_STATES) states += vrxHasPicture(id, st);
    const wxSize s = vrxPictureSize(id);
    width = std::max(width, labelW + states * (s.x + gap));
    height += s.y + gap;
  }
  wxBitmap sheet(width, height, 24);
  {
    wxMemoryDC dc(sheet);
    dc.SetBackground(wxBrush(wxColour(128, 128, 128)));
    dc.Clear();
    dc.SetFont(*wxNORMAL_FONT);
    dc.SetTextForeground(*wxWHITE);
    int y = gap;
    for (int i = 0; i < PICTURE_COUNT; ++i) {
      const auto id = PictureId(i);
      dc.DrawText(vrxPictureName(id), gap, y);
      int x = labelW;
      for (PictureState st : ALL_STATES) {
        if (!vrxHasPicture(id, st)) continue;
        dc.DrawBitmap(vrxPicture(id, st), x, y, true);
        x += vrxPictureSize(id).x + gap;
      }
      y += vrxPictureSize(id).y + gap;
    }
  }
  EXPECT_TRUE(guitest::SavePng(sheet, "/tmp/pictures.png"));
}
