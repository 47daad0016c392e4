#pragma once

// The standard dialogs and message boxes the window's commands use, behind an
// interface so that tests can answer them from a script.

#include <QMessageBox>
#include <QString>

#include "model/questions.h"

class QWidget;

namespace qn {

class Dialogs : public Questions {
  public:
    // File dialogs take their filter in the "Description|pattern|Description|pattern"
    // form and a 1-based index of the entry shown first; they return the chosen
    // path, or an empty text on Cancel.
    virtual QString openFileName(const QString& filter, int filterIndex) = 0;
    virtual QString saveFileName(const QString& filter, int filterIndex) = 0;
    virtual void message(QMessageBox::Icon icon, const QString& title, const QString& text,
                         const QString& informativeText = {}) = 0;
    // The folder the file dialogs start in from now on; answers that do not
    // browse folders ignore it.
    virtual void setStartFolder(const QString& /*folder*/) {}

    // The file the next save dialog starts at (the document's own), or none.
    void setSuggestedPath(const QString& path) { m_suggestedPath = path; }
    const QString& suggestedPath() const { return m_suggestedPath; }

  private:
    QString m_suggestedPath;
};

// The "Description|pattern|..." filter as Qt name filters ("Description (pattern)").
QStringList nameFilters(const QString& filter);

// Real dialogs, centred on `parent`.
class QtDialogs : public Dialogs {
  public:
    explicit QtDialogs(QWidget* parent) : m_parent(parent) {}

    bool askYesNo(const std::string& title, const std::string& text) override;
    std::string askText(const TextQuestion& question) override;
    QString openFileName(const QString& filter, int filterIndex) override;
    QString saveFileName(const QString& filter, int filterIndex) override;
    void message(QMessageBox::Icon icon, const QString& title, const QString& text,
                 const QString& informativeText) override;
    void setStartFolder(const QString& folder) override { m_folder = folder; }

  private:
    QWidget* m_parent;
    QString m_folder;
};

}  // namespace qn
