#include "Pictures.h"

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

wxBitmap vrxPicture(PictureId id, PictureState state) {
  const char* const* xpm = vrxPictureXpm(id, state);
  return xpm ? wxBitmap(xpm) : wxNullBitmap;
}

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
  return wxIcon(VRX_ICON_32);
}

std::vector<const char* const*> vrxWindowIconXpms() { return {VRX_ICON_16, VRX_ICON_32, VRX_ICON_48}; }

wxIconBundle vrxWindowIcons() {
  wxIconBundle icons;
  for (const char* const* xpm : vrxWindowIconXpms()) icons.AddIcon(wxIcon(xpm));
  return icons;
}
