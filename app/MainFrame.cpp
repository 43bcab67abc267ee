// Building the main window: menus, controls, layout and the start-up state.
#include "app/MainFrame.h"

#include "app/Accessible.h"
#include "app/CommandIds.h"
#include "app/GaugeColours.h"
#include "app/SettingsFile.h"
#include "app/TipsDialog.h"
#include "app/wxVellButton.h"
#include "device/LoggerInfo.h"
#include "device/VellUSB.h"
#include "i18n/Tr.h"
#include "live/kwxLCDDisplay.h"
#include "plot/Plot.h"
#include "resources/Pictures.h"

#include <wx/button.h>
#include <wx/dataview.h>
#include <wx/filehistory.h>
#include <wx/filename.h>
#include <wx/gauge.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/splash.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/stdpaths.h>
#include <wx/wrapsizer.h>

#include <algorithm>
#include <cstdlib>

namespace {

const wxColour kBackground(236, 233, 216);

wxString DefaultSettingsDirectory() {
  const wxString exeDir = wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath();
  return wxString::FromUTF8(
      SettingsDirectoryFor(std::string(exeDir.utf8_str()), std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")));
}

// A caption button with its picture states.
wxVellButton* MakeVellButton(wxWindow* parent, int id, PictureId picture, const wxString& caption,
                             const wxString& tooltip, const wxSize& size) {
  const ButtonPictures pics = vrxButtonPictures(picture);
  auto* b = new wxVellButton(parent, id, pics.normal, caption, wxDefaultPosition, size);
  if (vrxHasPicture(picture, PictureState::Hover)) b->SetBitmapCurrent(pics.hover);
  if (vrxHasPicture(picture, PictureState::Pressed)) b->SetBitmapPressed(pics.pressed);
  if (vrxHasPicture(picture, PictureState::Disabled)) b->SetBitmapDisabled(pics.disabled);
  if (!tooltip.empty()) b->SetToolTip(tooltip);
  return b;
}

// A device button: a borderless picture button with four states.
wxBitmapButton* MakeDeviceButton(wxWindow* parent, int id, PictureId picture, const wxString& tooltip,
                                 const wxSize& size) {
  const ButtonPictures pics = vrxButtonPictures(picture);
  auto* b = new wxBitmapButton(parent, id, pics.normal, wxDefaultPosition, size, wxBORDER_NONE);
  b->SetBitmapCurrent(pics.hover);
  b->SetBitmapPressed(pics.pressed);
  b->SetBitmapDisabled(pics.disabled);
  b->SetToolTip(tooltip);
  SetAccessibleName(b, tooltip);  // a picture only: the tooltip says what it does
  b->SetBackgroundColour(kBackground);
  b->SetMinSize(size);
  return b;
}

wxMenuItem* MenuItem(wxMenu* menu, int id, const wxString& label, const wxString& help,
                     PictureId picture = PICTURE_COUNT) {
  auto* item = new wxMenuItem(menu, id, label, help);
  if (picture != PICTURE_COUNT) item->SetBitmap(vrxPicture(picture));
  menu->Append(item);
  return item;
}

// A box sizer whose minimum is the sum of its items' minimums. wxBoxSizer's own minimum
// scales the largest min-to-proportion ratio up to all items, which made the window wider and
// taller than most laptop screens; when space is short the items still get their minimum first.
class SumMinBoxSizer : public wxBoxSizer {
 public:
  using wxBoxSizer::wxBoxSizer;
  wxSize CalcMin() override {
    wxBoxSizer::CalcMin();  // keeps the totals the layout pass relies on
    int major = 0, minor = 0;
    for (wxSizerItem* item : m_children) {
      if (!item->IsShown()) continue;
      const wxSize s = item->GetMinSizeWithBorder();
      major += GetSizeInMajorDir(s);
      minor = std::max(minor, GetSizeInMinorDir(s));
    }
    return SizeFromMajorMinor(major, minor);
  }
};

}  // namespace

MainFrame::MainFrame(const wxString& title, const wxPoint& pos, const wxSize& size,
                     const wxString& settingsDirectory)
    : wxFrame(nullptr, wxID_ANY, title, pos, size, wxDEFAULT_FRAME_STYLE, wxASCII_STR(wxFrameNameStr)),
      m_liveTimer(this, LIVE_TIMER_ID),
      m_statusTimer(this, STATUS_TIMER_ID),
      m_settingsDirectory(settingsDirectory.empty() ? DefaultSettingsDirectory() : settingsDirectory) {
  SetName("frame");
  Bind(wxEVT_CLOSE_WINDOW, &MainFrame::OnClose, this);
  LoadSettings(std::string(m_settingsDirectory.utf8_str()));
  BuildMenuBar();
  BuildControls();
  InstallDropTargets();
  m_baseTitle = title;
  m_recordings.SetListener([this](unsigned changes) { OnRecordingsChanged(changes); });
  Initialise();
  wxStatusBar* status = CreateStatusBar(3, wxSTB_DEFAULT_STYLE, wxID_ANY, "status_line");
  status->SetStatusText(wxString::Format("VRX Version %.1f", PROGRAM_VERSION), 0);
  ShowSplash();
  // Opened once the window is up, so the modeless dialog comes up in front of it.
  if (g_showTips) CallAfter([this] { (new TipsDialog(this, g_showTips))->Show(); });
}

MainFrame::~MainFrame() {
  m_statusTimer.Stop();
  m_liveTimer.Stop();
  // The layers die with this object, before the plot window (a child) does.
  for (int key = 0; key <= 5; ++key) m_plot->RemoveLayer(key);
  SaveSettings(std::string(m_settingsDirectory.utf8_str()));
}

// Menu labels carry mnemonics (&) and the usual desktop shortcuts after a tab.
void MainFrame::BuildMenuBar() {
  auto* file = new wxMenu;
  MenuItem(file, ID_OPEN, Tr("Vorgang Ö&ffnen\tCtrl+O"), Tr("Einen gespeicherten Vorgang öffnen"), PictureMenuOpen);
  MenuItem(file, ID_SAVE, Tr("Vorgang &Speichern\tCtrl+S"), Tr("Den aktuellen Vorgang abspeichern"), PictureMenuSave);
  MenuItem(file, ID_SAVE_AS, Tr("Vorgang Speichern &als\tCtrl+Shift+S"), Tr("Den aktuellen Vorgang abspeichern"),
           PictureMenuSave);
  file->AppendSeparator();
  MenuItem(file, ID_PRINT, Tr("Diagramm &Drucken\tCtrl+P"), Tr("Aktuelles Diagramm drucken"), PictureMenuPrint);
  MenuItem(file, ID_PRINT_PREVIEW, Tr("Drucken mit Vo&rschau"), Tr("Diagramm Vorschau und Druck"), PictureMenuPrint);
  file->AppendSeparator();
  // The recently used work files are listed here, above "Verlassen".
  m_recentFiles = std::make_unique<wxFileHistory>(9, wxID_FILE1);
  m_recentFiles->UseMenu(file);
  LoadRecentFiles();
  file->AppendSeparator();
  MenuItem(file, ID_QUIT, Tr("&Verlassen\tCtrl+Q"), Tr("Beendet die Anwendung"));

  auto* plot = new wxMenu;
  auto* colours = new wxMenu;
  MenuItem(colours, ID_COLOUR_FLOW, Tr("&Durchfluss"), Tr("Durchflussanzeigefarbe ändern"));
  MenuItem(colours, ID_COLOUR_VOLUME, Tr("&Volumen"), Tr("Volumenanzeigefarbe ändern"));
  MenuItem(colours, ID_COLOUR_PRESSURE, Tr("D&ruck"), Tr("Druckanzeigefarbe ändern"));
  plot->AppendSubMenu(colours, Tr("Linien&farbe"), Tr("Linienfarben ändern"));
  auto* widths = new wxMenu;
  MenuItem(widths, ID_WIDTH_FLOW, Tr("&Durchfluss"), Tr("Durchflusslinienstärke ändern"));
  MenuItem(widths, ID_WIDTH_VOLUME, Tr("&Volumen"), Tr("Volumenlinienstärke ändern"));
  MenuItem(widths, ID_WIDTH_PRESSURE, Tr("D&ruck"), Tr("Drucklinienstärke ändern"));
  plot->AppendSubMenu(widths, Tr("Linien&stärke"), Tr("Linienart ändern"));

  auto* data = new wxMenu;
  MenuItem(data, ID_EXPORT_CSV, Tr("&Exportieren nach Excel\tCtrl+E"),
           Tr("Ausgewählte Daten nach MS Excel exportieren"));
  MenuItem(data, ID_FILTER_SETTINGS, Tr("&Filtereinstellungen"), Tr("Datenfiltereinstellung ändern"));

  auto* help = new wxMenu;
  MenuItem(help, ID_SHOW_TIPS, "Show Startup &Tips\tF1", "Display startup help tips");
  MenuItem(help, wxID_ABOUT, "&About vrx", "Version, licence and copyright");

  auto* bar = new wxMenuBar;
  bar->Append(file, Tr("&Datei"));
  bar->Append(plot, Tr("D&iagramm"));
  bar->Append(data, Tr("Da&ten"));
  bar->Append(help, "&Help");
  SetMenuBar(bar);
  bar->Enable(ID_EXPORT_CSV, false);

}

void MainFrame::BuildControls() {
  m_panel = new wxPanel(this, wxID_ANY);
  m_panel->SetBackgroundColour(kBackground);
  wxPanel* p = m_panel;

  const wxSize fileSize(55, 60), toolSize(70, 50);
  m_openButton = MakeVellButton(p, ID_OPEN_BUTTON, PictureOpen, Tr("Öffnen"), "Open previously saved work", fileSize);
  m_saveButton = MakeVellButton(p, ID_SAVE, PictureSave, Tr("Speichern"), "Save the current data", fileSize);
  m_printButton = MakeVellButton(p, ID_PRINT_BUTTON, PicturePrint, Tr("Drucken"), "Print the current plot", fileSize);
  m_imageButton = MakeVellButton(p, ID_SAVE_IMAGE, PictureSaveImage, Tr("Ansicht"),
                                 "Save an image with the current plot", fileSize);
  m_versionBadge = new wxVellButton(p, ID_VERSION_BADGE, vrxPicture(PictureBadge),
                                    wxString::Format("VRX Version %.1f", PROGRAM_VERSION), wxDefaultPosition,
                                    wxSize(100, 70));
  m_viewFlowButton =
      MakeVellButton(p, ID_VIEW_FLOW, PictureViewFlow, Tr("Durchfluss"), "Display or hide the flow data", fileSize);
  m_viewVolumeButton =
      MakeVellButton(p, ID_VIEW_VOLUME, PictureViewVolume, Tr("Volumen"), "Display or hide the volume data", fileSize);
  m_viewPressureButton = MakeVellButton(p, ID_VIEW_PRESSURE, PictureViewPressure, Tr("Druck"),
                                        "Display or hide the pressure data", fileSize);

  m_zoomInButton =
      MakeVellButton(p, ID_ZOOM_IN, PictureZoomIn, Tr("Vergrößern"), "Zoom in on the current plot", toolSize);
  m_zoomOutButton =
      MakeVellButton(p, ID_ZOOM_OUT, PictureZoomOut, Tr("Verkleinern"), "Zoom out from the current plot", toolSize);
  m_fitButton =
      MakeVellButton(p, ID_ZOOM_FIT, PictureZoomFit, Tr("Passend"), "Show the whole plot (Home key)", toolSize);
  m_measureFlowButton = MakeVellButton(p, ID_MEASURE_FLOW, PictureMeasureFlow, Tr("Messwerte 1"),
                                       "Select to measure flow point on plot", toolSize);
  m_measurePressureButton = MakeVellButton(p, ID_MEASURE_PRESSURE, PictureMeasurePressure, Tr("Messwerte 2"),
                                           "Select to measure pressure point on plot", toolSize);
  m_gridButton = MakeVellButton(p, ID_GRID, PictureGrid, Tr("Raster"), "Display grid on plot", toolSize);
  m_pointsButton = MakeVellButton(p, ID_POINTS, PicturePoints, Tr("Messpunke"), "Show or hide data points", toolSize);
  m_filterButton =
      MakeVellButton(p, ID_FILTER, PictureFilter, "Filter", "Apply averaging filter to data plot", toolSize);

  m_plot = new mpWindow(p, wxID_ANY, wxDefaultPosition, wxSize(600, 300), wxSUNKEN_BORDER);
  // On a small screen the plot gives way first.
  m_plot->SetMinSize(wxSize(300, 180));

  m_startButton = MakeDeviceButton(p, ID_LIVE_START, PictureLiveStart, "Record live data", wxSize(50, 50));
  m_stopButton = MakeDeviceButton(p, ID_LIVE_STOP, PictureLiveStop, "Stop live data capture", wxSize(50, 50));
  m_settingsButton = MakeDeviceButton(p, ID_DEVICE_SETTINGS, PictureDeviceSettings, "Change device settings",
                                      wxSize(70, 50));
  m_clearButton = MakeDeviceButton(p, ID_CLEAR_MEMORY, PictureEraseMemory, "Clear device memory", wxSize(50, 50));
  m_downloadButton = MakeDeviceButton(p, ID_DOWNLOAD, PictureDownload, "Upload all data from device",
                                      wxSize(50, 50));

  m_clockLcd = new kwxLCDClock(p, wxDefaultPosition, wxSize(150, 40));
  m_clockLcd->SetDigitCount(7);
  m_clockLcd->ShowElapsed(0);
  m_flowLcd = new kwxLCDDisplay(p, wxDefaultPosition, wxSize(100, 40));
  m_flowLcd->SetDigitCount(6);
  m_flowLcd->SetText("0");
  // Wider than the 60 x 35 first drawn: six cells in 60 pixels left a decimal point of two.
  m_pressureLcd = new kwxLCDDisplay(p, wxDefaultPosition, wxSize(100, 40));
  m_pressureLcd->SetDigitCount(6);
  m_pressureLcd->SetText("0.0");
  for (kwxLCDDisplay* lcd : {static_cast<kwxLCDDisplay*>(m_clockLcd), m_flowLcd, m_pressureLcd})
    lcd->SetMinSize(lcd->GetSize());
  // The live readouts grow with the right column, up to a size that still reads as a display.
  m_flowLcd->SetMaxSize(wxSize(300, 90));
  m_pressureLcd->SetMaxSize(wxSize(300, 90));
  const wxFont unitFont(wxFontInfo(11).Family(wxFONTFAMILY_SWISS).Bold());
  m_flowUnitLabel = new wxStaticText(p, wxID_ANY, "l/min");
  m_pressureUnitLabel = new wxStaticText(p, wxID_ANY, "psi");
  m_flowUnitLabel->SetFont(unitFont);
  m_pressureUnitLabel->SetFont(unitFont);
  ApplySettingsUnitLabels();

  // A native list (a tree view on GTK), so screen readers read its rows and cells; one row
  // highlighted: the recording on show.
  m_recordList = new wxDataViewListCtrl(p, ID_RECORDING_LIST, wxDefaultPosition, wxDefaultSize, wxDV_SINGLE);
  SetUpRecordingList();
  m_removeButton = new wxButton(p, ID_REMOVE_RECORDING, Tr("Löschen"));
  m_removeButton->SetToolTip("Remove data record from work");
  m_titleButton = new wxButton(p, ID_CHANGE_TITLE, Tr("Namen ändern"));
  m_titleButton->SetToolTip("Add or change data record title");
  m_infoButton = new wxButton(p, ID_EDIT_INFO, Tr("Extra-Informationen"));
  m_infoButton->SetToolTip("Add additional info graph");

  m_batteryGauge = new wxGauge(p, ID_STATUS_GAUGE, 700, wxDefaultPosition, wxSize(150, 16), wxGA_HORIZONTAL);
  m_memoryGauge = new wxGauge(p, ID_STATUS_GAUGE, 700, wxDefaultPosition, wxSize(150, 16), wxGA_HORIZONTAL);
  m_statusText = new wxStaticText(p, wxID_ANY, " ");

  // --- layout ---
  auto* columns = new SumMinBoxSizer(wxHORIZONTAL);
  auto* left = new wxBoxSizer(wxVERTICAL);
  auto* right = new SumMinBoxSizer(wxVERTICAL);
  columns->Add(left, 2, wxEXPAND);
  columns->Add(right, 1, wxEXPAND);

  auto* top = new wxBoxSizer(wxHORIZONTAL);
  for (wxWindow* w : {static_cast<wxWindow*>(m_openButton), static_cast<wxWindow*>(m_saveButton),
                      static_cast<wxWindow*>(m_printButton), static_cast<wxWindow*>(m_imageButton)})
    top->Add(w, 0, wxALIGN_CENTER_VERTICAL);
  top->AddSpacer(20);
  top->Add(m_versionBadge, 0, wxALIGN_CENTER_VERTICAL);
  top->AddStretchSpacer();
  for (wxWindow* w : {m_viewFlowButton, m_viewVolumeButton, m_viewPressureButton})
    top->Add(w, 0, wxALIGN_CENTER_VERTICAL);
  left->Add(top, 0, wxEXPAND | wxBOTTOM, 5);

  auto* plotRow = new wxBoxSizer(wxHORIZONTAL);
  auto* tools = new wxWrapSizer(wxVERTICAL);
  bool first = true;
  // Eight tools beside the plot; on a short screen they wrap into a second column.
  for (wxWindow* w : {m_zoomInButton, m_zoomOutButton, m_fitButton, m_measureFlowButton, m_measurePressureButton,
                      m_gridButton, m_pointsButton, m_filterButton}) {
    if (!first) tools->AddSpacer(6);
    tools->Add(w, 0);
    first = false;
  }
  plotRow->Add(tools, 0, wxALIGN_TOP);
  plotRow->Add(m_plot, 1, wxEXPAND | wxRIGHT, 20);
  left->Add(plotRow, 1, wxEXPAND);

  auto* device = new wxBoxSizer(wxHORIZONTAL);
  device->Add(m_clockLcd, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
  auto box = [p](const wxString& label) { return new wxStaticBoxSizer(wxHORIZONTAL, p, label); };
  auto* usb = box(Tr("USB Verbindung"));
  usb->Add(m_startButton, 0, wxALL, 2);
  usb->Add(m_stopButton, 0, wxALL, 2);
  auto* settings = box(Tr("Einstellungen"));
  settings->Add(m_settingsButton, 0, wxALL, 2);
  auto* memory = box(Tr("Gerätespeicher"));
  memory->Add(m_clearButton, 0, wxALL, 2);
  memory->Add(m_downloadButton, 0, wxALL, 2);
  for (wxSizer* s : {static_cast<wxSizer*>(usb), static_cast<wxSizer*>(settings), static_cast<wxSizer*>(memory)})
    device->Add(s, 0, wxALL, 5);
  left->Add(device, 0, wxEXPAND);

  auto* values = new wxBoxSizer(wxVERTICAL);
  auto* flowRow = new wxBoxSizer(wxHORIZONTAL);
  flowRow->Add(m_flowLcd, 1, wxEXPAND | wxALL, 5);
  flowRow->Add(m_flowUnitLabel, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 5);
  auto* pressureRow = new wxBoxSizer(wxHORIZONTAL);
  pressureRow->Add(m_pressureLcd, 1, wxEXPAND | wxALL, 5);
  pressureRow->Add(m_pressureUnitLabel, 0, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 5);
  values->Add(flowRow, 1, wxEXPAND);
  values->Add(pressureRow, 1, wxEXPAND);
  right->Add(values, 1, wxEXPAND);

  // The buttons wrap onto a second line when the column is narrow, rather than being cut off.
  auto* functions = new wxStaticBoxSizer(wxVERTICAL, p, Tr("Messwertfunktionen"));
  auto* functionButtons = new wxWrapSizer(wxHORIZONTAL);
  functionButtons->Add(m_removeButton, 0, wxALL, 2);
  functionButtons->Add(m_titleButton, 0, wxALL, 2);
  functionButtons->Add(m_infoButton, 0, wxALL, 2);
  functions->Add(functionButtons, 0, wxEXPAND);
  right->Add(functions, 0, wxEXPAND | wxALL, 10);
  // The list gives way on a small screen (it scrolls).
  m_recordList->SetMinSize(wxSize(200, 80));
  right->Add(m_recordList, 4, wxEXPAND | wxLEFT | wxRIGHT, 10);

  auto* status = new wxStaticBoxSizer(wxVERTICAL, p, Tr("Gerätestatus"));
  auto* batteryRow = new wxBoxSizer(wxHORIZONTAL);
  batteryRow->Add(m_batteryGauge, 1, wxALIGN_CENTER_VERTICAL | wxALL, 3);
  batteryRow->Add(new wxStaticText(p, wxID_ANY, Tr("Batterie")), 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
  auto* memoryRow = new wxBoxSizer(wxHORIZONTAL);
  memoryRow->Add(m_memoryGauge, 1, wxALIGN_CENTER_VERTICAL | wxALL, 3);
  memoryRow->Add(new wxStaticText(p, wxID_ANY, Tr("Speicher")), 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
  status->Add(batteryRow, 0, wxEXPAND);
  status->Add(memoryRow, 0, wxEXPAND);
  status->Add(m_statusText, 0, wxEXPAND | wxALL, 3);
  right->Add(status, 0, wxEXPAND | wxALL, 10);

  p->SetSizer(columns);
  MakeAccessible();
  auto* frameSizer = new wxBoxSizer(wxVERTICAL);
  frameSizer->Add(p, 1, wxEXPAND);
  SetSizerAndFit(frameSizer);
}

// Keyboard and screen-reader access: Tab follows the layout, every control has a name.
void MainFrame::MakeAccessible() {
  MakeKeyboardFocusVisible();
  // The list sits below its three buttons; it was created before them.
  m_recordList->MoveAfterInTabOrder(m_infoButton);
  // No stop for Tab on the badge: it has no command. The plot is one, after its tools: its
  // keys (Home, +, -) work while it has the keyboard.
  m_versionBadge->DisableFocusFromKeyboard();
  SetAccessibleName(m_recordList, Tr("Messwerte"));
  SetAccessibleName(m_plot, Tr("Diagramm"));
  MakeAccessibleChart(m_plot);
  m_clockLcd->SetAccessibleCaption(Tr("Zeit"));
  m_flowLcd->SetAccessibleCaption(Tr("Durchfluss"));
  m_pressureLcd->SetAccessibleCaption(Tr("Druck"));
  SetAccessibleName(m_batteryGauge, Tr("Batterie"));
  SetAccessibleName(m_memoryGauge, Tr("Speicher"));
  // The toggles start off; the start-up state switches the flow view on.
  for (wxWindow* toggle : {m_measureFlowButton, m_measurePressureButton, m_gridButton, m_pointsButton, m_filterButton,
                           m_viewFlowButton, m_viewVolumeButton, m_viewPressureButton})
    SetAccessibleToggleState(toggle, false);
}

void MainFrame::ApplySettingsUnitLabels() {
  m_flowUnitLabel->SetLabel(g_flowUnitLitres == 1 ? "l/min" : "GPM");
  if (g_pressureUnit == 'b') m_pressureUnitLabel->SetLabel("Bar");
  else if (g_pressureUnit == 'p') m_pressureUnitLabel->SetLabel("psi");
}

void MainFrame::Initialise() {
  CreatePlotLayers();
  m_batteryGauge->SetValue(0);
  SetGaugeColours(m_batteryGauge, wxColour(255, 0, 0), wxColour(50, 50, 50));
  // Opens on the flow view, with ticks and lines.
  m_showFlow = m_showVolume = m_showPressure = false;
  m_measureFlowOn = m_measurePressureOn = m_showGrid = m_pointsMode = false;
  wxCommandEvent flow(wxEVT_BUTTON, ID_VIEW_FLOW);
  OnViewFlow(flow);
  m_showVolume = m_showPressure = false;
  RebuildPlotLayers();
  m_startButton->Enable(true);
  m_stopButton->Enable(false);
  m_removeButton->Enable(false);
  m_titleButton->Enable(false);
  m_infoButton->Enable(false);
  m_filterOn = false;
  m_filterHalfWidth = 2;
  m_statusTimer.Start(5000, wxTIMER_CONTINUOUS);
  m_link = std::make_unique<VellUSB>();
}

void MainFrame::ShowSplash() {
  wxInitAllImageHandlers();
  new wxSplashScreen(vrxPicture(PictureSplash), wxSPLASH_CENTRE_ON_SCREEN | wxSPLASH_TIMEOUT, 2000, nullptr,
                     wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSIMPLE_BORDER | wxSTAY_ON_TOP);
  wxYield();
}
