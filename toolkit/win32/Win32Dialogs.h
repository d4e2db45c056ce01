#pragma once

#include <optional>
#include <string>

#include "toolkit/Toolkit.h"

namespace korvane::win32 {

// The modal questions, each owned by the window the user works in (so that window waits for
// the answer), titled with the application's name unless a title is given.
toolkit::MessageResult AskMessage(const std::string& prompt, toolkit::MessageButtons buttons,
                                  const std::string& title);
void ShowFailure(const std::string& message);
// A small dialog of its own: the prompt, an empty text box, OK and Cancel. The typed text, or
// "" when cancelled.
std::string AskInput(const std::string& prompt, const std::string& title);
// The common open or save dialog. The filter ("Description|pattern|...") and the option flags
// are the dialog's own; the default extension is added to a name typed without one.
std::optional<std::string> AskFile(const toolkit::FileDialogSpec& request);

// "Map File (*.map)|*.map" as the common dialog takes it: pairs of texts, each ended by a null
// character, and one more null character at the end. An incomplete last pair is dropped.
std::wstring CommonDialogFilter(const std::string& filter);

}  // namespace korvane::win32
