// Every picture the program shows: button faces in all their states, menu images, the
// version badge, the splash picture, the settings dialog's status pictures, the tips
// dialog's own picture and the window icon.
//
// The pictures are XPM files in resources/xpm/, drawn by scripts/make_pictures.py and
// compiled in, so nothing is loaded from disk at run time. Call these functions only after
// wx has started (a wxBitmap needs the GUI toolkit).
#pragma once

#include <wx/bitmap.h>
#include <wx/gdicmn.h>
#include <wx/icon.h>
#include <wx/iconbndl.h>
#include <wx/image.h>

#include <vector>

// One entry per picture (a button counts once; its states are chosen by PictureState).
// Sizes in pixels, w x h; "toggle" means the button also has an on-state picture.
enum PictureId : int {
  // File row of the main window (50 x 50 in 55 x 60 buttons; the caption is drawn over
  // the bottom of the picture, so the symbols sit in the upper part).
  PictureOpen,       // id 29 "Öffnen"
  PictureSave,       // id 4 "Speichern"
  PicturePrint,      // id 6 "Drucken"
  PictureSaveImage,  // id 31 "Ansicht" (save the plot as an image)

  PictureBadge,  // id 0 version badge, 98 x 60, one picture only

  // Plot tools (35 x 30 in 70 x 50 buttons).
  PictureZoomIn,           // id 9 "Vergrößern"
  PictureZoomOut,          // id 10 "Verkleinern"
  PictureZoomFit,          // id 57 "Passend" (the whole recording)
  PictureMeasureFlow,      // id 14 "Messwerte 1", toggle
  PictureMeasurePressure,  // id 56 "Messwerte 2", toggle
  PictureGrid,             // id 15 "Raster", toggle
  PicturePoints,           // id 16 "Messpunke", toggle
  PictureFilter,           // id 38 "Filter", toggle

  // Series view toggles (50 x 50 in 55 x 60 buttons), all toggles.
  PictureViewFlow,      // id 11 "Durchfluss"
  PictureViewVolume,    // id 12 "Volumen"
  PictureViewPressure,  // id 13 "Druck"

  // Device buttons (70 x 70; the buttons are 50 x 50 or 70 x 50 and show the middle, so
  // the symbol and the state frames stay inside the central 50 x 50).
  PictureLiveStart,       // id 17 "Record live data"
  PictureLiveStop,        // id 18 "Stop live data capture"
  PictureDeviceSettings,  // id 19 "Change device settings"
  PictureEraseMemory,     // id 20 "Clear device memory"
  PictureDownload,        // id 22 "Upload all data from device"

  PictureTipHelp,  // tips dialog, tip 5 (help note under the pointer), 70 x 70

  // Menu images, 16 x 15, transparent background.
  PictureMenuOpen,
  PictureMenuSave,
  PictureMenuPrint,

  PictureSplash,  // 640 x 540 splash picture

  // Status pictures of the logger settings dialog, 280 x 70.
  PictureUsbConnected,  // USB plug, green "USB Connected"
  PictureDownloadDone,  // USB plug, green "Download Erfolgreich"
  PictureUsbMissing,    // crossed-out plug, red "USB nicht erkannt." / "Re-Stecken Sie den USB"

  PictureWindowIcon,  // 32 x 32, transparent background (16 and 48 via vrxWindowIcons)

  PICTURE_COUNT
};

// Button states. Every button picture (PictureOpen .. PictureDownload) has Normal, Hover,
// Pressed and Disabled; the toggles also have On, which the owner shows as both the normal
// and the hover picture while the toggle is on.
enum class PictureState : int { Normal, Hover, Pressed, Disabled, On };

// True when the picture has its own image for that state.
bool vrxHasPicture(PictureId id, PictureState state);

// Size of a picture (the same for all its states), without decoding it; (0, 0) for an
// id out of range.
wxSize vrxPictureSize(PictureId id);

// Short name (for contact sheets and test messages), e.g. "open"; "" out of range.
const char* vrxPictureName(PictureId id);

// The picture as a bitmap. A state the picture does not have gives its Normal picture, so
// single pictures can be asked for with any state; an id out of range gives wxNullBitmap.
wxBitmap vrxPicture(PictureId id, PictureState state = PictureState::Normal);

// The raw XPM data behind vrxPicture (same fallbacks; nullptr out of range), for code that
// builds its own bitmap, such as a tip that owns its picture.
const char* const* vrxPictureXpm(PictureId id, PictureState state = PictureState::Normal);

// XPM data as a bitmap, the same pixels as wxBitmap(xpm) gives. Our own pictures (one
// character a pixel, colours as #RRGGBB or None) are read with a table lookup a pixel,
// many times faster than wx's general reader, which builds a string for every pixel;
// anything else goes to wx's reader. wxNullBitmap for nullptr.
wxBitmap vrxBitmapFromXpm(const char* const* xpm);
wxImage vrxImageFromXpm(const char* const* xpm);

// All states of a button at once; `on` is invalid (!IsOk()) for a button without an
// on-state picture.
struct ButtonPictures {
  wxBitmap normal;
  wxBitmap hover;
  wxBitmap pressed;
  wxBitmap disabled;
  wxBitmap on;
};
ButtonPictures vrxButtonPictures(PictureId id);

// The main window's icon ("anIcon"): 32 x 32, and the same drawn at 16, 32 and 48 pixels
// for window managers that pick a size.
wxIcon vrxWindowIcon();
wxIconBundle vrxWindowIcons();
// The icon's XPM data at 16, 32 and 48 pixels (for exporting it to the desktop's icon theme).
std::vector<const char* const*> vrxWindowIconXpms();
