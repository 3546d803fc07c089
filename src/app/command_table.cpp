#include "app/command_table.h"

#include <algorithm>
#include <array>

namespace corvane {
namespace {

constexpr std::array kCommands = {
    CommandInfo{kIdFileNew, "&New\tCtrl+N", "Create a new document", "New Work File"},
    CommandInfo{kIdFileOpen, "&Open...\tCtrl+O", "Open an existing document", "Open Work File"},
    CommandInfo{kIdFileOpenFolder, "Open &Folder...",
                "Open a folder of fabrication files as one working set", "Open Folder"},
    CommandInfo{kIdFileSave, "&Save\tCtrl+S", "Save the active document", "Save Work File"},
    CommandInfo{kIdFileSaveAs, "Save &As...", "Save the active document with a new name",
                "Save Work File As"},
    CommandInfo{kIdFilePrint, "&Print...\tCtrl+P", "Print the active document", "Print"},
    CommandInfo{kIdFilePrintPreview, "Print Pre&view", "Display full pages", "Print Preview"},
    CommandInfo{kIdFilePrintSetup, "P&rint Setup...", "Change the printer and printing options",
                "Print Setup"},
    CommandInfo{kIdFileMruFirst, "Recent File", "Open this document", ""},
    CommandInfo{kIdAppExit, "E&xit", "Quit the application; prompts to save documents", "Exit"},
    CommandInfo{kIdGerberFile, "&Gerber File", "Load Gerber plot file", "Load Gerber"},
    CommandInfo{kIdApertureFile, "&Aperture File", "Loads a Gerber Aperture File",
                "Load Apertures"},
    CommandInfo{kIdNcDrillFile, "&NC Drill File", "Load NC drill file", "Load NC drill list"},
    CommandInfo{kIdDrillToolFile, "&Drill Tool File", "Load NC drill tool file",
                "Load Drill Tools"},
    CommandInfo{kIdSetVisibility, "Set &Visibility", "Set layer visibility (show/hide layers)",
                "Set Visibility"},
    CommandInfo{kIdOffsetLayer, "&Offset Layer", "Sets the offset of a selected layer or drills",
                "Offset Layer"},
    CommandInfo{kIdReloadAll, "&Reload All", "Reload all previously specified data files",
                "Reload All"},
    CommandInfo{kIdMirrorX, "Mirror &X", "Mirror plot along X (horizontal) axis", "Mirror X"},
    CommandInfo{kIdMirrorY, "Mirror &Y", "Mirror plot along Y (vertical) axis", "Mirror Y"},
    CommandInfo{kIdAutoOrigin, "Auto Origin",
                "Automatically adjusts origin to place plot in upper left corner of display",
                "Auto Origin"},
    CommandInfo{kIdRedraw, "&Redraw\tF5", "", ""},
    CommandInfo{kIdViewToolbar, "&Toolbar", "Show or hide the toolbar", "Toggle ToolBar"},
    CommandInfo{kIdViewStatusBar, "&Status Bar", "Show or hide the status bar", "Toggle StatusBar"},
    CommandInfo{kIdViewLayerPanel, "&Layers", "Show or hide the layer panel", "Toggle Layers"},
    CommandInfo{kIdViewInspector, "&Inspector", "Show or hide the Inspector panel",
                "Toggle Inspector"},
    CommandInfo{kIdFindNetOrComponent, "&Find Net or Component...\tCtrl+F",
                "Highlight a net or a component found by its name", "Find"},
    CommandInfo{kIdUnitsOfFiles, "Units of the &Files", "Measure in the units the files use",
                "Units of the Files"},
    CommandInfo{kIdUnitsMillimetre, "&Millimetres", "Measure in millimetres", "Millimetres"},
    CommandInfo{kIdUnitsInch, "In&ches", "Measure in inches", "Inches"},
    CommandInfo{kIdUnitsMil, "Mi&ls", "Measure in thousandths of an inch", "Mils"},
    CommandInfo{kIdZoomIn, "&In", "Increase magnification of display window", "Zoom In"},
    CommandInfo{kIdZoomOut, "&Out", "Decrease magnification of display window", "Zoom Out"},
    CommandInfo{kIdZoomExtents, "&Extents\tShift+F8",
                "Reset magnification to display all of plot image", "Zoom Extents"},
    CommandInfo{kIdPrintMagnification, "&Print Magnification",
                "Sets the magnification used for printing", "Print Magnification"},
    CommandInfo{kIdMeasure, "&Measure", "Measures the distance between two points on the screen",
                "Measure"},
    CommandInfo{kIdCheckNetlist, "Check &Netlist...",
                "Compare the copper's nets with the set's netlist: opens, shorts and unconnected points",
                "Check Netlist"},
    CommandInfo{kIdGerberFormat, "&Gerber File Format",
                "Changes various Gerber file format related options", "Gerber Format"},
    CommandInfo{kIdDrillFormat, "&Drill File Format",
                "Changes various drill file format related options", "Drill Format"},
    CommandInfo{kIdApertureFormat, "&Aperture File Format",
                "Changes various aperture file format related options", "Aperture Format"},
    CommandInfo{kIdDrillToolFormat, "Drill &Tool File Format",
                "Changes various drill tool file format related options", "Drill Tool Format"},
    CommandInfo{kIdStandardInterpretation, "&Standard Interpretation",
                "Draws the files as today's Gerber and Excellon formats define them",
                "Standard Interpretation"},
    CommandInfo{kIdHelpTopics, "&Help Topics", "", ""},
    CommandInfo{kIdAppAbout, "&About Corvane...",
                "Display program information, version number and copyright", "About"},
    CommandInfo{kIdZoomTool, "", "Zoom pointer tool", "Zoom Tool"},
    CommandInfo{kIdViewBoardTop, "Board &Top", "Show the board as made, seen from the top",
                "Board Top"},
    CommandInfo{kIdViewBoardBottom, "Board &Bottom",
                "Show the board as made, seen from below (mirrored)", "Board Bottom"},
    CommandInfo{kIdViewPlotLayers, "&Plot Layers", "Show each layer in its own colour",
                "Plot Layers"},
    CommandInfo{kIdBoardMaskColor, "Board &Mask Colour", "Paint the board's mask the next colour",
                "Mask Colour"},
    CommandInfo{kIdBoardFinishColor, "Board &Finish Colour",
                "Show the finish of bare copper in the next colour", "Finish Colour"},
    CommandInfo{kIdBoardSilkColor, "Board Sil&kscreen Colour",
                "Print the silkscreen in the next colour", "Silkscreen Colour"},
    CommandInfo{kIdBoardPaste, "Board P&aste", "Show or hide the solder paste on the board",
                "Board Paste"},
    CommandInfo{kIdFabricationChecks, "&Fabrication Checks...",
                "Finds what the shop cannot build: thin copper, narrow gaps, thin rings, small "
                "holes, mask webs and silkscreen on pads",
                "Fabrication Checks"},
    CommandInfo{kIdCompareWith, "Compare &With...",
                "Compare the open working set with another revision (archive, job file, work "
                "file)",
                "Compare With"},
    CommandInfo{kIdCompareWithFolder, "Compare With Fol&der...",
                "Compare the open working set with another revision in a folder",
                "Compare With Folder"},
    CommandInfo{kIdLeaveCompare, "&Leave Compare Mode", "Return to the normal picture",
                "Leave Compare Mode"},
    CommandInfo{kIdNextDifference, "&Next Difference\tF8", "Zoom to the next difference",
                "Next Difference"},
    CommandInfo{kIdPreviousDifference, "&Previous Difference\tShift+F8",
                "Zoom to the previous difference", "Previous Difference"},
};

using K = MenuEntry::Kind;
constexpr MenuEntry Cmd(int32_t id) { return MenuEntry{K::kCommand, id}; }
constexpr MenuEntry kSep{K::kSeparator, 0};

constexpr std::array kWorkspaceMenu = {Cmd(kIdFileNew),
                                       Cmd(kIdFileOpen),
                                       Cmd(kIdFileOpenFolder),
                                       Cmd(kIdCompareWith),
                                       Cmd(kIdCompareWithFolder),
                                       Cmd(kIdLeaveCompare),
                                       Cmd(kIdFileSave),
                                       Cmd(kIdFileSaveAs),
                                       kSep,
                                       Cmd(kIdFilePrint),
                                       Cmd(kIdFilePrintPreview),
                                       Cmd(kIdFilePrintSetup),
                                       kSep,
                                       MenuEntry{K::kRecentFiles, kIdFileMruFirst},
                                       kSep,
                                       Cmd(kIdAppExit)};
constexpr std::array kFilesMenu = {Cmd(kIdGerberFile),
                                   Cmd(kIdApertureFile),
                                   Cmd(kIdNcDrillFile),
                                   Cmd(kIdDrillToolFile),
                                   kSep,
                                   Cmd(kIdSetVisibility),
                                   Cmd(kIdOffsetLayer),
                                   kSep,
                                   Cmd(kIdReloadAll)};
constexpr std::array kViewMenu = {
    Cmd(kIdMirrorX),     Cmd(kIdMirrorY),      Cmd(kIdAutoOrigin), kSep, Cmd(kIdRedraw), kSep,
    Cmd(kIdViewToolbar), Cmd(kIdViewStatusBar), Cmd(kIdViewLayerPanel),
    kSep, Cmd(kIdViewBoardTop), Cmd(kIdViewBoardBottom), Cmd(kIdViewPlotLayers),
    kSep, Cmd(kIdBoardMaskColor), Cmd(kIdBoardFinishColor), Cmd(kIdBoardSilkColor),
    Cmd(kIdBoardPaste), kSep,
    Cmd(kIdViewInspector), Cmd(kIdFindNetOrComponent), kSep, Cmd(kIdUnitsOfFiles),
    Cmd(kIdUnitsMillimetre), Cmd(kIdUnitsInch), Cmd(kIdUnitsMil)};
constexpr std::array kZoomMenu = {Cmd(kIdZoomIn), Cmd(kIdZoomOut), Cmd(kIdZoomExtents), kSep,
                                  Cmd(kIdPrintMagnification)};
constexpr std::array kToolsMenu = {Cmd(kIdMeasure), Cmd(kIdCheckNetlist),
                                   Cmd(kIdFabricationChecks), kSep,
                                   Cmd(kIdNextDifference), Cmd(kIdPreviousDifference)};
constexpr std::array kOptionsMenu = {Cmd(kIdGerberFormat),
                                     Cmd(kIdDrillFormat),
                                     Cmd(kIdApertureFormat),
                                     Cmd(kIdDrillToolFormat),
                                     kSep,
                                     Cmd(kIdStandardInterpretation)};
constexpr std::array kHelpMenu = {Cmd(kIdHelpTopics), kSep, Cmd(kIdAppAbout)};

constexpr std::array kMenus = {MenuInfo{"&Workspace", kWorkspaceMenu},
                               MenuInfo{"&Files", kFilesMenu},
                               MenuInfo{"&View", kViewMenu},
                               MenuInfo{"&Zoom", kZoomMenu},
                               MenuInfo{"&Tools", kToolsMenu},
                               MenuInfo{"&Options", kOptionsMenu},
                               MenuInfo{"&Help", kHelpMenu}};

constexpr int32_t kSeparator = kToolbarSeparator;
constexpr std::array kToolbar = {kIdFileNew,       kIdFileOpen,     kIdFileSave,
                                 kSeparator,       kIdFilePrint,    kSeparator,
                                 kIdGerberFile,    kIdApertureFile, kIdNcDrillFile,
                                 kIdDrillToolFile, kSeparator,      kIdSetVisibility,
                                 kIdOffsetLayer,   kIdMeasure,      kSeparator,
                                 kIdZoomTool,      kIdZoomIn,       kIdZoomOut,
                                 kSeparator,       kIdZoomExtents,  kIdStandardInterpretation};

constexpr std::array kAccelerators = {Accelerator{Accelerator::Key::kN, true, kIdFileNew},
                                      Accelerator{Accelerator::Key::kO, true, kIdFileOpen},
                                      Accelerator{Accelerator::Key::kS, true, kIdFileSave},
                                      Accelerator{Accelerator::Key::kP, true, kIdFilePrint},
                                      Accelerator{Accelerator::Key::kF, true,
                                                  kIdFindNetOrComponent},
                                      Accelerator{Accelerator::Key::kF8, false, kIdNextDifference},
                                      Accelerator{Accelerator::Key::kF8, false,
                                                  kIdPreviousDifference, true}};

}  // namespace

std::span<const CommandInfo> AllCommands() { return kCommands; }

const CommandInfo* FindCommand(int32_t id) {
  if (id >= kIdFileMruFirst && id <= kIdFileMruLast) id = kIdFileMruFirst;
  const auto it = std::find_if(kCommands.begin(), kCommands.end(),
                               [id](const CommandInfo& c) { return c.id == id; });
  return it == kCommands.end() ? nullptr : &*it;
}

std::span<const MenuInfo> MainMenu() { return kMenus; }
std::span<const int32_t> ToolbarButtons() { return kToolbar; }
std::span<const Accelerator> Accelerators() { return kAccelerators; }

int32_t ToolbarImageIndex(int32_t id) {
  if (id == kToolbarSeparator) return -1;
  int32_t index = 0;
  for (const int32_t button : kToolbar) {
    if (button == id) return index;
    if (button != kToolbarSeparator) ++index;
  }
  return -1;
}

}  // namespace corvane
