// Printing the plot, its print preview, and saving the plot as a bitmap file.
#include "app/MainFrame.h"
#include "exchange/DialogPath.h"
#include "exchange/SafeFile.h"
#include "plot/mpWindow.h"
#include "print/MyPrintout.h"

#include <wx/filedlg.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/mstream.h>
#include <wx/print.h>

#include <string>

namespace {

const char* const PRINTER_FAILED = "Vorschau fehlgeschlagen. \n Druckereinstellung überprüfen";

// Every print starts from A4 and the toolkit's defaults; nothing is kept between commands.
wxPrintDialogData A4DialogData() {
  wxPrintData data;
  data.SetPaperId(wxPAPER_A4);
  return wxPrintDialogData(data);
}

// Messages from the file layer carry the path as the file system spelled it.
wxString FileMessage(const std::string& text) {
  wxString message = wxString::FromUTF8(text);
  if (message.empty()) message = wxString(text.c_str(), *wxConvFileName);
  if (message.empty()) message = wxString::From8BitData(text.c_str());
  return message;
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
  auto* frame = new wxPreviewFrame(preview, this, "Vorschau drucken", wxPoint(100, 100), wxSize(600, 650),
                                   wxDEFAULT_FRAME_STYLE | wxFRAME_FLOAT_ON_PARENT, "frame");
  frame->Initialize();
  frame->Show();
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
  wxFileDialog dialog(this, wxString::FromUTF8("Bild speichern als…"), wxEmptyString, wxEmptyString,
                      "Bilddateien (*.bmp)|*.bmp", wxFD_SAVE | wxFD_OVERWRITE_PROMPT, wxDefaultPosition,
                      wxDefaultSize, "filedlg");
  if (dialog.ShowModal() != wxID_OK) return;
  // The name stays exactly as chosen, with or without an extension.
  const wxString path = dialog.GetPath();

  wxMemoryOutputStream encoded;
  {
    wxLogNull quiet;  // a failure is reported below, once
    if (!bitmap.IsOk() || !bitmap.ConvertToImage().SaveFile(encoded, wxBITMAP_TYPE_BMP)) {
      wxLogError("Speichern des Bildes fehlgeschlagen: kein Bild");
      return;
    }
  }
  std::string bytes(encoded.GetLength(), '\0');
  encoded.CopyTo(bytes.data(), bytes.size());
  // Written beside the target and renamed over it, so a failed save leaves an older file intact.
  SafeFileWriter out(DialogPathBytes(path));
  out.Write(bytes);
  if (!out.Finish()) wxLogError("%s", "Speichern des Bildes fehlgeschlagen: " + FileMessage(out.Error()));
}
