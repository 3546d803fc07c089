#pragma once

#include <cstdint>

namespace corvane {

// Command numbers: the program's own from 32771 up, the framework's standard
// ones from 57600 up. Handlers, menus, the toolbar and the help refer to these.
inline constexpr int32_t kIdFileNew = 57600;
inline constexpr int32_t kIdFileOpen = 57601;
inline constexpr int32_t kIdFileSave = 57603;
inline constexpr int32_t kIdFileSaveAs = 57604;
inline constexpr int32_t kIdFilePrintSetup = 57606;
inline constexpr int32_t kIdFilePrint = 57607;
inline constexpr int32_t kIdFilePrintDirect = 57608;  // no menu item: the command line
inline constexpr int32_t kIdFilePrintPreview = 57609;
inline constexpr int32_t kIdFileMruFirst = 57616;
inline constexpr int32_t kIdFileMruLast = 57619;
inline constexpr int32_t kIdAppAbout = 57664;
inline constexpr int32_t kIdAppExit = 57665;
inline constexpr int32_t kIdContextHelp = 57669;
inline constexpr int32_t kIdHelp = 57670;
inline constexpr int32_t kIdViewToolbar = 59392;
inline constexpr int32_t kIdViewStatusBar = 59393;

inline constexpr int32_t kIdGerberFile = 32771;
inline constexpr int32_t kIdApertureFile = 32777;
inline constexpr int32_t kIdDrillToolFile = 32778;
inline constexpr int32_t kIdNcDrillFile = 32779;
inline constexpr int32_t kIdZoomIn = 32780;
inline constexpr int32_t kIdZoomOut = 32781;
inline constexpr int32_t kIdReloadAll = 32786;
inline constexpr int32_t kIdZoomTool = 32787;
inline constexpr int32_t kIdSetVisibility = 32789;
inline constexpr int32_t kIdAutoOrigin = 32790;
inline constexpr int32_t kIdMirrorX = 32791;
inline constexpr int32_t kIdMirrorY = 32792;
inline constexpr int32_t kIdZoomExtents = 32793;
inline constexpr int32_t kIdRedraw = 32795;
inline constexpr int32_t kIdHelpTopics = 32796;
inline constexpr int32_t kIdDrillFormat = 32798;
inline constexpr int32_t kIdGerberFormat = 32799;
inline constexpr int32_t kIdApertureFormat = 32800;
inline constexpr int32_t kIdDrillToolFormat = 32801;
inline constexpr int32_t kIdPrintMagnification = 32808;
inline constexpr int32_t kIdOffsetLayer = 32809;
inline constexpr int32_t kIdMeasure = 32811;
inline constexpr int32_t kIdStandardInterpretation = 32812;
inline constexpr int32_t kIdFileOpenFolder = 32813;
inline constexpr int32_t kIdViewLayerPanel = 32814;

// The board as made (32900-32919).
inline constexpr int32_t kIdViewBoardTop = 32900;
inline constexpr int32_t kIdViewBoardBottom = 32901;
inline constexpr int32_t kIdViewPlotLayers = 32902;
inline constexpr int32_t kIdBoardMaskColor = 32903;
inline constexpr int32_t kIdBoardFinishColor = 32904;
inline constexpr int32_t kIdBoardSilkColor = 32905;
inline constexpr int32_t kIdBoardPaste = 32906;
// Fabrication checks.
inline constexpr int32_t kIdFabricationChecks = 32880;
// The Inspector: its panel, Find, and the unit it measures in.
inline constexpr int32_t kIdViewInspector = 32820;
inline constexpr int32_t kIdFindNetOrComponent = 32821;
inline constexpr int32_t kIdUnitsOfFiles = 32822;
inline constexpr int32_t kIdUnitsMillimetre = 32823;
inline constexpr int32_t kIdUnitsInch = 32824;
inline constexpr int32_t kIdUnitsMil = 32825;
// Comparing two revisions.
inline constexpr int32_t kIdCompareWith = 32840;
inline constexpr int32_t kIdCompareWithFolder = 32841;
inline constexpr int32_t kIdLeaveCompare = 32842;
inline constexpr int32_t kIdNextDifference = 32843;
inline constexpr int32_t kIdPreviousDifference = 32844;

inline constexpr int32_t kRecentFileCount = 4;

// The netlist check.
inline constexpr int32_t kIdCheckNetlist = 32860;

}  // namespace corvane
