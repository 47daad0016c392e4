#include "dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QRegularExpression>

#include "staff/clientlayout.h"

namespace qn {

namespace {

constexpr double kTwipsPerPixel = staff::kTwipsPerPixel;

// The patterns of a name filter, such as "*.msf" for "MIDI Source Files (*.MSF)";
// used as the suffix a typed name without one gets.
QString defaultSuffix(const QString& nameFilter) {
    static const QRegularExpression pattern(QStringLiteral(R"(\(\*\.(\w+)\))"));
    const auto match = pattern.match(nameFilter);
    return match.hasMatch() ? match.captured(1).toLower() : QString();
}

QString runFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, const QString& filter,
                      int filterIndex, const QString& folder, const QString& suggested = {}) {
    QFileDialog dialog(parent);
    if (!folder.isEmpty()) dialog.setDirectory(folder);
    // Qt's own dialog matches patterns such as *.MSF whatever the letter case of
    // the file names, on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    const QStringList filters = nameFilters(filter);
    dialog.setNameFilters(filters);
    if (filterIndex >= 1 && filterIndex <= filters.size()) {
        dialog.selectNameFilter(filters.at(filterIndex - 1));
        if (mode == QFileDialog::AcceptSave)
            dialog.setDefaultSuffix(defaultSuffix(filters.at(filterIndex - 1)));
    }
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        if (dialog.acceptMode() == QFileDialog::AcceptSave)
            dialog.setDefaultSuffix(defaultSuffix(f));
    });
    if (!suggested.isEmpty()) dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QStringList nameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts.at(i);
        // Qt reads the patterns from the parentheses; add them when the text has none.
        result << (description.contains(QLatin1Char('('))
                       ? description
                       : QStringLiteral("%1 (%2)").arg(description, parts.at(i + 1)));
    }
    return result;
}

bool QtDialogs::askYesNo(const std::string& title, const std::string& text) {
    return QMessageBox::question(m_parent, QString::fromStdString(title),
                                 QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

std::string QtDialogs::askText(const TextQuestion& question) {
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(QString::fromStdString(question.title));
    dialog.setLabelText(QString::fromStdString(question.prompt));
    dialog.setTextValue(QString::fromStdString(question.defaultText));
    if (question.positionTwips)
        dialog.move(static_cast<int>(question.positionTwips->first / kTwipsPerPixel),
                    static_cast<int>(question.positionTwips->second / kTwipsPerPixel));
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.textValue().toStdString();
}

QString QtDialogs::openFileName(const QString& filter, int filterIndex) {
    return runFileDialog(m_parent, QFileDialog::AcceptOpen, filter, filterIndex, m_folder);
}

QString QtDialogs::saveFileName(const QString& filter, int filterIndex) {
    return runFileDialog(m_parent, QFileDialog::AcceptSave, filter, filterIndex, m_folder,
                         suggestedPath());
}

void QtDialogs::message(QMessageBox::Icon icon, const QString& title, const QString& text,
                        const QString& informativeText) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, m_parent);
    box.setInformativeText(informativeText);
    box.exec();
}

}  // namespace qn
