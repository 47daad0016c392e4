#pragma once

// Questions answered in order from a script, recording every question asked.
// ScriptedAnswers<Questions> serves the model's commands; the window's tests
// derive from ScriptedAnswers<Dialogs> (scripteddialogs.h).

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "model/questions.h"

namespace qn::test {

template <class Base>
class ScriptedAnswers : public Base {
  public:
    std::deque<bool> yesNo;          // No when the script has run out
    std::deque<std::string> texts;   // the empty text (Cancel) when it has run out
    std::vector<std::string> asked;  // "title|text" of message boxes, "title|prompt" of input boxes
    std::vector<TextQuestion> textQuestions;
    bool strict = true;  // a question beyond the script fails the test

    bool askYesNo(const std::string& title, const std::string& text) override {
        asked.push_back(title + "|" + text);
        return next(yesNo, false);
    }
    std::string askText(const TextQuestion& question) override {
        asked.push_back(question.title + "|" + question.prompt);
        textQuestions.push_back(question);
        return next(texts, std::string());
    }

  protected:
    template <class T>
    T next(std::deque<T>& script, T whenEmpty) {
        if (script.empty()) {
            EXPECT_FALSE(strict) << "unexpected question: " << asked.back();
            return whenEmpty;
        }
        T answer = std::move(script.front());
        script.pop_front();
        return answer;
    }
};

using ScriptedQuestions = ScriptedAnswers<Questions>;

}  // namespace qn::test
