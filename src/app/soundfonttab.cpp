#include "soundfonttab.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dialogs.h"
#include "sound/engine/soundfont.h"
#include "sound/engine/synthsetup.h"
#include "soundfontlist.h"

namespace qn {

namespace {

const QString kTitle = QStringLiteral("Quillnote");
const QString kFontFilter =
    QStringLiteral("Sound Fonts (*.sf2 *.sf3)|*.sf2;*.sf3|All Files (*.*)|*.*");
constexpr int kPathRole = Qt::UserRole;
enum Column { kNameColumn, kSizeColumn, kColumnCount };

QString megabytes(qint64 bytes) {
    return QStringLiteral("%1 MB").arg(static_cast<double>(bytes) / 1e6, 0, 'f', 1);
}

}  // namespace

SoundFontTab::SoundFontTab(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), m_dialogs(dialogs) {
    m_variableNote = new QLabel;
    m_variableNote->setWordWrap(true);
    m_variableNote->hide();

    m_list = new QTreeWidget;
    m_list->setObjectName(QStringLiteral("SoundFontList"));
    m_list->setColumnCount(kColumnCount);
    m_list->setHeaderLabels({tr("Sound font"), tr("Size")});
    m_list->setRootIsDecorated(false);
    // The size always in view; a long name gives way in its middle, its tooltip
    // holds the whole path.
    m_list->setTextElideMode(Qt::ElideMiddle);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);

    m_inUseLabel = new QLabel;
    m_inUseLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* browse = new QPushButton(tr("Browse..."));
    browse->setObjectName(QStringLiteral("SoundFontBrowse"));
    connect(browse, &QPushButton::clicked, this, &SoundFontTab::Browse_Click);

    auto* row = new QHBoxLayout;
    row->addWidget(m_inUseLabel, 1);
    row->addWidget(browse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_variableNote);
    layout->addWidget(m_list, 1);
    layout->addLayout(row);
}

void SoundFontTab::showFonts(const QString& inUse) {
    m_inUse = inUse;
    m_list->clear();
    for (const FoundSoundFont& font : findSoundFonts(soundFontFolders()))
        addFont(font);

    // The variable still decides at start-up, so say so beside a choice that would not.
    const QString variable = qEnvironmentVariable(kSoundFontVariable);
    m_variableNote->setVisible(!variable.isEmpty());
    m_variableNote->setText(
        tr("The environment variable %1 chooses the sound font at start-up (%2). A font "
           "chosen here plays from now on and is kept for starts without the variable.")
            .arg(QString::fromLatin1(kSoundFontVariable), variable));

    m_inUseLabel->setText(inUse.isEmpty() ? QString() : tr("In use: %1").arg(inUse));
    if (inUse.isEmpty()) return;
    QTreeWidgetItem* item = entry(inUse);
    QFont bold = item->font(kNameColumn);
    bold.setBold(true);
    for (int c = 0; c < kColumnCount; ++c)
        item->setFont(c, bold);
    m_list->setCurrentItem(item);
}

void SoundFontTab::Browse_Click() {
    const QString path = m_dialogs.openFileName(kFontFilter, 1);
    if (path.isEmpty()) return;
    QString why;
    if (!checkSoundFont(path, &why))
        return m_dialogs.message(QMessageBox::Warning, kTitle, tr("This file is not a sound font."),
                                 path);
    m_list->setCurrentItem(entry(path));
}

QString SoundFontTab::chosen() const {
    // The selection, not the current item: focus alone makes the first row current.
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? QString()
                              : selected.first()->data(kNameColumn, kPathRole).toString();
}

QTreeWidgetItem* SoundFontTab::addFont(const FoundSoundFont& font) {
    const QFileInfo file(font.path);
    QString name = file.fileName();
    // A link says which font it stands for: by name when beside it, else by path.
    if (!font.target.isEmpty()) {
        const QFileInfo target(font.target);
        name += QStringLiteral(" \u2192 ") +
                (target.absolutePath() == file.absolutePath() ? target.fileName() : font.target);
    }
    auto* item = new QTreeWidgetItem(m_list, {name, megabytes(font.bytes)});
    item->setData(kNameColumn, kPathRole, font.path);
    item->setToolTip(kNameColumn, font.target.isEmpty()
                                      ? font.path
                                      : font.path + QStringLiteral(" \u2192 ") + font.target);
    item->setTextAlignment(kSizeColumn, Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QTreeWidgetItem* SoundFontTab::entry(const QString& path) {
    const QFileInfo file(path);
    const QString absolute = QDir::cleanPath(file.absoluteFilePath());
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        if (item->data(kNameColumn, kPathRole).toString() == absolute) return item;
    }
    const QString target = file.isSymLink() ? file.canonicalFilePath() : QString();
    return addFont({absolute, target, file.size()});
}

}  // namespace qn
