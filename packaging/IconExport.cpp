// Writes the program's icon as PNG files for the desktop's icon theme, at build time:
//   vrx-icon-export OUTDIR   ->  OUTDIR/16x16/apps/vrx.png, 32x32/..., 48x48/...
#include "resources/Pictures.h"

#include <wx/filename.h>
#include <wx/image.h>
#include <wx/init.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
    return 2;
  }
  wxInitializer init;
  if (!init.IsOk()) return 1;
  wxImage::AddHandler(new wxPNGHandler);
  const wxString out = wxString::FromUTF8(argv[1]);
  for (const char* const* xpm : vrxWindowIconXpms()) {
    wxImage image(xpm);
    if (!image.IsOk()) return 1;
    const wxString size = wxString::Format("%dx%d", image.GetWidth(), image.GetHeight());
    const wxString dir = out + "/" + size + "/apps";
    if (!wxFileName::Mkdir(dir, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL)) return 1;
    if (!image.SaveFile(dir + "/vrx.png", wxBITMAP_TYPE_PNG)) return 1;
  }
  return 0;
}
