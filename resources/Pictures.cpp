#include "Pictures.h"

#include <cstdio>
#include <cstring>
#include <iterator>

namespace {

#include "xpm/pictures.inc"

constexpr int STATE_COUNT = 5;

struct PictureRow {
  PictureId id;
  const char* name;
  int width;
  int height;
  const char* const* xpm[STATE_COUNT];  // indexed by PictureState; nullptr where missing
};

constexpr PictureRow ROWS[] = {VRX_PICTURE_ROWS};

constexpr bool RowsFollowTheEnum() {
  for (int i = 0; i < static_cast<int>(std::size(ROWS)); ++i)
    if (ROWS[i].id != i || ROWS[i].xpm[0] == nullptr) return false;
  return true;
}
static_assert(std::size(ROWS) == PICTURE_COUNT, "pictures.inc is out of step with PictureId");
static_assert(RowsFollowTheEnum(), "pictures.inc is out of step with PictureId");

const PictureRow* Row(PictureId id) {
  if (id < 0 || id >= PICTURE_COUNT) return nullptr;
  return &ROWS[id];
}

int StateIndex(PictureState state) {
  const int i = static_cast<int>(state);
  return (i >= 0 && i < STATE_COUNT) ? i : 0;
}

}  // namespace

bool vrxHasPicture(PictureId id, PictureState state) {
  const PictureRow* row = Row(id);
  const int i = static_cast<int>(state);
  return row && i >= 0 && i < STATE_COUNT && row->xpm[i] != nullptr;
}

wxSize vrxPictureSize(PictureId id) {
  const PictureRow* row = Row(id);
  return row ? wxSize(row->width, row->height) : wxSize(0, 0);
}

const char* vrxPictureName(PictureId id) {
  const PictureRow* row = Row(id);
  return row ? row->name : "";
}

const char* const* vrxPictureXpm(PictureId id, PictureState state) {
  const PictureRow* row = Row(id);
  if (!row) return nullptr;
  const char* const* xpm = row->xpm[StateIndex(state)];
  return xpm ? xpm : row->xpm[0];
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Reads the XPM form scripts/make_pictures.py writes; false for anything else.
bool DecodeOwnXpm(const char* const* xpm, wxImage& out) {
  int width = 0, height = 0, colours = 0, charsPerPixel = 0;
  if (std::sscanf(xpm[0], "%d %d %d %d", &width, &height, &colours, &charsPerPixel) != 4 || charsPerPixel != 1 ||
      width <= 0 || height <= 0 || colours <= 0 || colours > 256)
    return false;
  struct Colour {
    bool known = false, none = false;
    unsigned char rgb[3] = {0, 0, 0};
  };
  Colour table[256];
  bool hasNone = false;
  for (int i = 1; i <= colours; ++i) {
    // "K c #RRGGBB" or "K c None"
    const char* line = xpm[i];
    if (!line[0] || std::strncmp(line + 1, " c ", 3) != 0) return false;
    Colour& c = table[static_cast<unsigned char>(line[0])];
    const char* colour = line + 4;
    if (std::strcmp(colour, "None") == 0) {
      c.none = hasNone = true;
    } else {
      if (colour[0] != '#' || std::strlen(colour) != 7) return false;
      for (int k = 0; k < 3; ++k) {
        const int hi = HexDigit(colour[1 + 2 * k]), lo = HexDigit(colour[2 + 2 * k]);
        if (hi < 0 || lo < 0) return false;
        c.rgb[k] = static_cast<unsigned char>(hi * 16 + lo);
      }
    }
    c.known = true;
  }
  // Transparent pixels take a colour no other pixel has, which then becomes the mask.
  unsigned char mask[3] = {255, 0, 255};
  if (hasNone) {
    auto used = [&](const unsigned char* rgb) {
      for (const Colour& c : table)
        if (c.known && !c.none && std::memcmp(c.rgb, rgb, 3) == 0) return true;
      return false;
    };
    while (used(mask)) {
      if (mask[0] == 0) return false;
      --mask[0];
    }
    for (Colour& c : table)
      if (c.none) std::memcpy(c.rgb, mask, 3);
  }
  wxImage image(width, height, false);
  unsigned char* px = image.GetData();
  for (int y = 0; y < height; ++y) {
    const char* row = xpm[1 + colours + y];
    for (int x = 0; x < width; ++x, px += 3) {
      const Colour& c = table[static_cast<unsigned char>(row[x])];
      if (!c.known) return false;  // also the end of a short row
      std::memcpy(px, c.rgb, 3);
    }
  }
  if (hasNone) image.SetMaskColour(mask[0], mask[1], mask[2]);
  out = image;
  return true;
}

}  // namespace

wxImage vrxImageFromXpm(const char* const* xpm) {
  if (!xpm) return wxNullImage;
  wxImage image;
  if (!DecodeOwnXpm(xpm, image)) image = wxImage(xpm);
  return image;
}

wxBitmap vrxBitmapFromXpm(const char* const* xpm) {
  const wxImage image = vrxImageFromXpm(xpm);
  return image.IsOk() ? wxBitmap(image) : wxNullBitmap;
}

wxBitmap vrxPicture(PictureId id, PictureState state) { return vrxBitmapFromXpm(vrxPictureXpm(id, state)); }

ButtonPictures vrxButtonPictures(PictureId id) {
  ButtonPictures p;
  p.normal = vrxPicture(id, PictureState::Normal);
  p.hover = vrxPicture(id, PictureState::Hover);
  p.pressed = vrxPicture(id, PictureState::Pressed);
  p.disabled = vrxPicture(id, PictureState::Disabled);
  if (vrxHasPicture(id, PictureState::On)) p.on = vrxPicture(id, PictureState::On);
  return p;
}

wxIcon vrxWindowIcon() {
  wxIcon icon;
  icon.CopyFromBitmap(vrxBitmapFromXpm(VRX_ICON_32));
  return icon;
}

std::vector<const char* const*> vrxWindowIconXpms() { return {VRX_ICON_16, VRX_ICON_32, VRX_ICON_48}; }

wxIconBundle vrxWindowIcons() {
  wxIconBundle icons;
  for (const char* const* xpm : vrxWindowIconXpms()) {
    wxIcon icon;
    icon.CopyFromBitmap(vrxBitmapFromXpm(xpm));
    icons.AddIcon(icon);
  }
  return icons;
}
