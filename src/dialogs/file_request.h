#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/prompter.h"

namespace corvane {

// A chooser filter such as "Gerber Plot Files (*.%s)|*.%s|All Files (*.*)|*.*||"
// with every "%s" replaced by the extension.
std::string FormatFileFilter(std::string_view format, std::string_view extension);

// Which files a chooser's extra entry lists by today's extensions.
enum class FileFamily : uint8_t { kPlot, kDrill };
inline constexpr std::string_view kAllPlotFilesName = "All Plot Files";
inline constexpr std::string_view kAllDrillFilesName = "All Drill Files";

// The filter with an entry for every extension today's files of `family` are
// named with ("All Plot Files|*.gbr;*.ger;...|"), put before its "All Files"
// entry; a filter without one gains "All Files (*.*)|*.*" after it.
std::string WithTodaysExtensions(std::string_view filter, FileFamily family);

// What an open-file chooser opens for the text typed into its name field in
// `folder`: the path of an existing regular file the text names, absolute or
// relative to the folder, whatever the chooser's filter shows; nothing else.
std::optional<std::string> TypedFileToOpen(std::string_view folder, std::string_view typed);

// The open-file chooser of the dialogs' Add File and Load buttons: one file
// that must exist, the kind's filter, its extension as the default, starting
// in `initialDir`.
FileChooserRequest OpenFileRequest(std::string_view filterFormat, std::string_view extension,
                                   std::string initialDir);

}  // namespace corvane
