// Printing the plot, its print preview, and saving the plot as a bitmap file.
#include "app/FileDialog.h"
#include "app/MainFrame.h"
#include "app/StatusConfirmation.h"
#include "exchange/CsvExport.h"
#include "exchange/DialogPath.h"
#include "exchange/FileErrors.h"
#include "exchange/SafeFile.h"
#include "plot/mpWindow.h"
#include "print/ImageName.h"
#include "print/MyPrintout.h"

#include <wx/display.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/mstream.h>
#include <wx/print.h>

#include <algorithm>
#include <string>

namespace {

const char* const PRINTER_FAILED = "Vorschau fehlgeschlagen. \n Druckereinstellung überprüfen";

// The preview frame is never smaller than this.
const wxSize PREVIEW_MIN_SIZE(600, 650);

// Every print starts from A4 and the toolkit's defaults; nothing is kept between commands.
wxPrintDialogData A4DialogData() {
  wxPrintData data;
  data.SetPaperId(wxPAPER_A4);
  return wxPrintDialogData(data);
}

// The largest of the preview's own zoom steps that shows the whole page without scrolling.
void ZoomToWholePage(wxPrintPreviewBase& preview) {
  wxPreviewCanvas* canvas = preview.GetCanvas();
  if (!canvas) return;
  for (int zoom : {100, 95, 90, 85, 80, 75, 70, 65, 60, 55, 50, 45, 40, 35, 30, 25, 20, 15, 10}) {
    preview.SetZoom(zoom);
    const wxSize page = canvas->GetVirtualSize(), room = canvas->GetClientSize();
    if (page.x <= room.x && page.y <= room.y) return;
  }
}

}  // namespace

void MainFrame::OnPrintPreview(wxCommandEvent&) {
  wxPrintDialogData dialogData = A4DialogData();
  ShowPrintPreview(new wxPrintPreview(new MyPrintout(*m_plot, "Erste ( r)"),
                                      new MyPrintout(*m_plot, "Zweite ( r)"), &dialogData));
}

void MainFrame::ShowPrintPreview(wxPrintPreview* preview) {
  if (!preview->IsOk()) {
    delete preview;  // and with it both printouts
    wxMessageBox(wxString::FromUTF8(PRINTER_FAILED), "Vorschau", wxOK);
    return;
  }
  // As tall as the screen allows below its place, so the page can be seen whole.
  const wxRect screen = wxDisplay(this).GetClientArea();
  const int height = std::max(PREVIEW_MIN_SIZE.y, std::min(screen.height * 9 / 10, screen.GetBottom() - 100 - 20));
  const wxSize size(std::max(PREVIEW_MIN_SIZE.x, height * 4 / 5), height);
  auto* frame = new wxPreviewFrame(preview, this, "Vorschau drucken", wxPoint(100, 100), size,
                                   wxDEFAULT_FRAME_STYLE | wxFRAME_FLOAT_ON_PARENT, "frame");
  frame->Initialize();
  frame->Show();
  ZoomToWholePage(*preview);
}

void MainFrame::OnPrint(wxCommandEvent&) {
  wxPrintDialogData dialogData = A4DialogData();
  wxPrinter printer(&dialogData);
  PrintPlot(printer);
}

bool MainFrame::PrintPlot(wxPrinterBase& printer) {
  MyPrintout printout(*m_plot, "Ausdrucken");
  if (printer.Print(this, &printout, true)) return true;
  // A cancelled dialog is the user's choice, not a fault.
  if (wxPrinterBase::GetLastError() == wxPRINTER_ERROR)
    wxMessageBox(wxString::FromUTF8(PRINTER_FAILED), "Drucken", wxOK);
  return false;
}

void MainFrame::OnSaveImage(wxCommandEvent&) {
  m_plot->UpdateView();
  // What the window shows now; the repaint just asked for comes after this command.
  const wxBitmap bitmap = m_plot->SnapshotBitmap();
  // Proposed after the recording shown, as the CSV export names its file.
  const int shown = m_recordings.Shown();
  const std::string stem =
      shown >= 0 ? CsvDefaultFileName(m_recordings[static_cast<size_t>(shown)].GetDateTime()) : "Diagramm";
  int filter = 0;
  const wxString chosen = ChooseFile(this, SettingsDirectory(), wxString::FromUTF8("Bild speichern als…"),
                                     wxString::FromUTF8(stem + ".bmp"), IMAGE_WILDCARD,
                                     wxFD_SAVE | wxFD_OVERWRITE_PROMPT, &filter, "filedlg");
  if (chosen.empty()) return;
  // The type chosen decides the extension; a name with one of ours keeps it.
  const ImageFile file = ImageFileFor(DialogPathBytes(chosen), filter);
  const wxString path = DialogPathFromBytes(file.path);
  if (!MayReplaceAddedName(this, chosen, path, wxString::FromUTF8("Bild speichern als…"))) return;

  wxMemoryOutputStream encoded;
  {
    wxLogNull quiet;  // a failure is reported below, once
    const wxBitmapType type = file.type == ImageType::Png ? wxBITMAP_TYPE_PNG : wxBITMAP_TYPE_BMP;
    if (!bitmap.IsOk() || !bitmap.ConvertToImage().SaveFile(encoded, type)) {
      wxLogError("%s", wxString::FromUTF8(CannotSaveText(file.path, "das Bild konnte nicht erzeugt werden")));
      return;
    }
  }
  std::string bytes(encoded.GetLength(), '\0');
  encoded.CopyTo(bytes.data(), bytes.size());
  // Written beside the target and renamed over it, so a failed save leaves an older file intact.
  SafeFileWriter out(file.path);
  out.Write(bytes);
  if (!out.Finish()) {
    wxLogError("%s", wxString::FromUTF8(CannotSaveText(file.path, out.ErrorNumber())));
    return;
  }
  ConfirmInStatusLine(this, "Gespeichert: " + wxFileName(path).GetFullName());
}
