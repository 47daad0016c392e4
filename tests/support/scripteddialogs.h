#pragma once

// The window's dialogs answered from a script: the shared question script plus
// file dialogs and messages.

#include <QMessageBox>
#include <QString>
#include <QStringList>

#include "app/dialogs.h"
#include "scriptedquestions.h"

namespace qn::test {

class ScriptedDialogs : public ScriptedAnswers<Dialogs> {
  public:
    ScriptedDialogs() { strict = false; }

    std::deque<QString> fileAnswers;  // an empty name (Cancel) when it has run out
    QStringList messages;             // "title|text|informative text"
    QString startFolder;
    QStringList foldersAsked;  // the start folder of every file dialog

    // Every question and file dialog so far, as `asked` holds them.
    QStringList questions() const {
        QStringList list;
        for (const std::string& question : asked)
            list << QString::fromStdString(question);
        return list;
    }

    QString openFileName(const QString& filter, int filterIndex) override {
        asked.push_back(QStringLiteral("open|%1|%2").arg(filter).arg(filterIndex).toStdString());
        foldersAsked << startFolder;
        return next(fileAnswers, QString());
    }
    QString saveFileName(const QString& filter, int filterIndex) override {
        asked.push_back(QStringLiteral("save|%1|%2").arg(filter).arg(filterIndex).toStdString());
        foldersAsked << startFolder;
        return next(fileAnswers, QString());
    }
    void message(QMessageBox::Icon, const QString& title, const QString& text,
                 const QString& informativeText) override {
        messages << title + "|" + text + "|" + informativeText;
    }
    void setStartFolder(const QString& folder) override { startFolder = folder; }
};

}  // namespace qn::test
