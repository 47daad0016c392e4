#pragma once

// File input and output of documents. Only regular files are read, so a
// pipe or a device chosen by mistake cannot hang the program. Saving goes
// through SafeFile: a failed or interrupted save never damages the file that
// was there.

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/composition.h"
#include "model/editstate.h"

namespace qn {

// The whole file, or nothing with `error` set to a sentence for the user; a
// file beyond 64 MB, or anything but a regular file, is refused as no document
// of the program's.
std::optional<std::string> readWholeFile(const QString& path, QString* error);

// `path` names a regular file (links followed): what may be read without
// waiting on a pipe or a device.
bool isRegularFile(const QString& path);
// Both paths name the same existing file, whatever the links and folders in between.
bool isSameFile(const QString& a, const QString& b);

// Replaces `path` with `bytes`; false with `error` set when it could not.
bool saveWholeFile(const QString& path, const void* bytes, size_t size, QString* error);
inline bool saveWholeFile(const QString& path, const std::string& text, QString* error) {
    return saveWholeFile(path, text.data(), text.size(), error);
}
inline bool saveWholeFile(const QString& path, const std::vector<uint8_t>& bytes, QString* error) {
    return saveWholeFile(path, bytes.data(), bytes.size(), error);
}

// Open on a composition that New has just cleared: reads and applies the .msf
// file. On failure the composition stays cleared and `error` says why,
// naming the line for a rejected file. A UTF-8 byte-order mark is skipped;
// UTF-16 text is refused.
bool openMsfFile(const QString& path, Composition& c, EditState& e, QString* error);

// The whole composition as a Standard MIDI File, as "Save as MIDI File" writes it.
std::vector<uint8_t> exportMidiBytes(Composition& c);
// The same with the lyrics added, as "Save as Karaoke MIDI" writes it.
std::vector<uint8_t> exportKaraokeBytes(Composition& c);

}  // namespace qn
