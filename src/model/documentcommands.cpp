#include "documentcommands.h"

#include <filesystem>

#include "msfwriter.h"
#include "numbertext.h"

namespace qn {

CommandResult newComposition(Composition& c, EditState& e) {
    c.NoteCount.fill(0);
    e.ScrollPos = 0;
    c.DocName = "Untitled";
    c.CompName = c.DocName;
    e.clearSelection();
    CommandResult r;
    r.staff = r.selection = true;
    return r;
}

bool PromptSaveChanges(Composition& c, Questions& q, const std::function<bool()>& save) {
    if (c.Modified &&
        q.askYesNo("End program", "Do you want to save changes to " + c.DocName + " ?") && !save())
        return false;
    c.Modified = false;
    return true;
}

std::string fileNameOf(std::string_view path) {
    return std::filesystem::path(path).filename().string();
}

std::optional<MsfError> openMsf(std::string_view text, std::string_view path, Composition& c,
                                EditState& e) {
    c.Effects.fill(false);
    c.BassClef = false;
    c.NoteCount.fill(0);
    c.TrackInstrument.fill(0);
    // Lyrics of the previous composition would otherwise show past this one's end.
    for (auto& lyric : c.Lyrics)
        lyric.clear();
    const Composition cleared = c;

    if (auto error = readMsf(text, c)) {
        c = cleared;
        return error;
    }
    c.DocName = fileNameOf(path);
    c.ComputeSongLength();
    e.ScrollPos = static_cast<int>(roundHalfEven(c.SongLength - 10.0));
    if (c.SongLength < 1) e.ScrollPos = 1;
    if (e.ScrollPos < 0) e.ScrollPos = 0;
    e.clearSelection();
    c.Modified = false;
    return std::nullopt;
}

std::string msfTextForSave(const Composition& c, std::string_view path) {
    return writeMsf(c, fileNameOf(path));
}

void markSaved(Composition& c, std::string_view path) {
    c.DocName = fileNameOf(path);
    c.ComputeSongLength();
    c.Modified = false;
}

}  // namespace qn
