#pragma once

// Reader of .msf files. Every line is tested against every rule in a fixed
// order (a line may match several); values outside the model's ranges reject
// the whole file with a message that names the line.

#include <optional>
#include <string>
#include <string_view>

#include "composition.h"

namespace qn {

struct MsfError {
    int line = 0;  // 1-based
    std::string message;
    std::string text() const { return "line " + std::to_string(line) + ": " + message; }
};

// Reads the file text into c, which must hold the composition as cleared for
// opening (no notes, instruments 0, no effects, bass clef off). Octaves missing
// from the file keep their values. On an error c is left partly read: callers
// restore the cleared composition. Lines that are not valid UTF-8 are taken as
// Windows-1252 text.
std::optional<MsfError> readMsf(std::string_view text, Composition& c);

}  // namespace qn
