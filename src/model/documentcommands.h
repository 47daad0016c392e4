#pragma once

// New, Open and Save on the model side; the window adds the dialogs and the
// file input and output.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "commandresult.h"
#include "composition.h"
#include "editstate.h"
#include "msfreader.h"
#include "questions.h"

namespace qn {

// New: only the notes go; lyrics, instruments, octaves, texts, division,
// effects and bass clef stay. Callers run PromptSaveChanges first.
CommandResult newComposition(Composition& c, EditState& e);

// When there are unsaved changes, asks whether to save them and runs `save` on
// Yes. Returns false when that save did not happen (the file dialog was
// cancelled, the file could not be written): the caller then abandons what it
// was about to do and the changes stay unsaved. Otherwise the changes count as
// dealt with afterwards.
bool PromptSaveChanges(Composition& c, Questions& q, const std::function<bool()>& save);

// The file name without its folder.
std::string fileNameOf(std::string_view path);

// Reads a .msf file's text into a composition that New has just cleared.
// Effects, bass clef and instruments are cleared first; octaves are kept when
// the file has none. On success the document takes the file's name and the
// view scrolls near the song's end. A rejected file leaves the cleared
// composition and returns the reason.
std::optional<MsfError> openMsf(std::string_view text, std::string_view path, Composition& c,
                                EditState& e);

// The text Save writes to `path`.
std::string msfTextForSave(const Composition& c, std::string_view path);
// After the file is written: the document takes its name and counts as saved.
void markSaved(Composition& c, std::string_view path);

}  // namespace qn
