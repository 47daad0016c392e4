#pragma once

// Dialogs answered from a script, recording what was asked.

#include <QStringList>
#include <deque>

#include "app/dialogs.h"

namespace qn::test {

class ScriptedDialogs : public Dialogs {
  public:
    std::deque<bool> yesNoAnswers;
    std::deque<std::string> textAnswers;
    std::deque<QString> fileAnswers;

    QStringList asked;  // "title|text" of every question, file dialog and message
    QStringList messages;
    QString startFolder;
    QStringList foldersAsked;  // the start folder of every file dialog

    bool askYesNo(const std::string& title, const std::string& text) override {
        asked << QString::fromStdString(title + "|" + text);
        if (yesNoAnswers.empty()) return false;
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    std::string askText(const TextQuestion& question) override {
        asked << QString::fromStdString(question.title + "|" + question.prompt);
        if (textAnswers.empty()) return {};
        std::string answer = textAnswers.front();
        textAnswers.pop_front();
        return answer;
    }
    QString openFileName(const QString& filter, int filterIndex) override {
        return nextFile(QStringLiteral("open|%1|%2").arg(filter).arg(filterIndex));
    }
    QString saveFileName(const QString& filter, int filterIndex) override {
        return nextFile(QStringLiteral("save|%1|%2").arg(filter).arg(filterIndex));
    }
    void message(QMessageBox::Icon, const QString& title, const QString& text,
                 const QString& informativeText) override {
        messages << title + "|" + text + "|" + informativeText;
    }
    void setStartFolder(const QString& folder) override { startFolder = folder; }

  private:
    QString nextFile(const QString& question) {
        asked << question;
        foldersAsked << startFolder;
        if (fileAnswers.empty()) return {};
        QString answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
};

}  // namespace qn::test
