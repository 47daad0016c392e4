#pragma once

// Texts in the model are UTF-8. Files from older Windows machines carry their
// texts in the Windows-1252 character set; those lines are converted on reading.

#include <string>
#include <string_view>

namespace qn {

bool isValidUtf8(std::string_view text);

// The text unchanged when it is valid UTF-8, else read as Windows-1252.
std::string toUtf8(std::string_view text);

}  // namespace qn
