#pragma once

// Questions that commands ask the user. The window answers them with message
// boxes and input boxes; tests answer them from a script.

#include <optional>
#include <string>

namespace qn {

struct TextQuestion {
    std::string prompt;
    std::string title;
    std::string defaultText;
    std::optional<std::pair<int, int>> positionTwips;  // top-left corner on the screen
};

class Questions {
  public:
    virtual ~Questions() = default;
    // A Yes/No message box; true for Yes.
    virtual bool askYesNo(const std::string& title, const std::string& text) = 0;
    // An input box; the empty text on Cancel.
    virtual std::string askText(const TextQuestion& question) = 0;
};

}  // namespace qn
