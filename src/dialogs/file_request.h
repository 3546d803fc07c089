#pragma once

#include <string>
#include <string_view>

#include "platform/prompter.h"

namespace corvane {

// A chooser filter such as "Gerber Plot Files (*.%s)|*.%s|All Files (*.*)|*.*||"
// with every "%s" replaced by the extension.
std::string FormatFileFilter(std::string_view format, std::string_view extension);

// The open-file chooser of the dialogs' Add File and Load buttons: one file
// that must exist, the kind's filter, its extension as the default, starting
// in `initialDir`.
FileChooserRequest OpenFileRequest(std::string_view filterFormat, std::string_view extension,
                                   std::string initialDir);

}  // namespace corvane
