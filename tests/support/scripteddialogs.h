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

    QString openFileName(const QString& filter, int filterIndex) override {
        asked.push_back(QStringLiteral("open|%1|%2").arg(filter).arg(filterIndex).toStdString());
        return next(fileAnswers, QString());
    }
    QString saveFileName(const QString& filter, int filterIndex) override {
        asked.push_back(QStringLiteral("save|%1|%2").arg(filter).arg(filterIndex).toStdString());
        return next(fileAnswers, QString());
    }
    void message(QMessageBox::Icon, const QString& title, const QString& text,
                 const QString& informativeText) override {
        messages << title + "|" + text + "|" + informativeText;
    }
};

}  // namespace qn::test
