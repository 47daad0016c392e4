#include "optionsdialog.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs.h"
#include "pictures.h"
#include "settings.h"
#include "soundfonttab.h"
#include "staff/rgbnumber.h"

namespace qn {

namespace {

const QString kTitle = QStringLiteral("Quillnote");
const QString kPictureFilter =
    QStringLiteral("All Files (*.*)|*.*|Bitmap Files (*.bmp)|*.bmp|JPEG Files (*.jpg)|*.jpg");
constexpr QSize kPreviewSize{240, 170};  // about the client area's shape

QLineEdit* displayBox(const QString& name) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setReadOnly(true);
    return box;
}

}  // namespace

OptionsDialog::OptionsDialog(Settings& settings, Composition& composition, Dialogs& dialogs,
                             QWidget* parent)
    : QDialog(parent), m_settings(settings), m_composition(composition), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("OptionForm"));
    giveProgramIcon(*this);
    setWindowTitle(tr("Options / Properties"));
    setModal(false);

    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("OptTab"));
    m_tabs->addTab(buildGeneralTab(), tr("General"));
    m_tabs->addTab(buildPropertiesTab(), tr("Composition Properties"));
    m_soundTab = new SoundFontTab(dialogs);
    m_tabs->addTab(m_soundTab, tr("Sound"));

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Cancel"));
    connect(ok, &QPushButton::clicked, this, &OptionsDialog::OK_Click);
    // Cancel, Escape and the close box only hide the dialog; the reply stays "cancel".
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
}

QWidget* OptionsDialog::buildGeneralTab() {
    auto* tab = new QWidget;
    auto* grid = new QGridLayout(tab);

    m_imageList = new QComboBox;
    m_imageList->setObjectName(QStringLiteral("Imagelist"));
    m_imageList->addItems(pictureListNames());
    connect(m_imageList, &QComboBox::activated, this,
            [this](int index) { Imagelist_Click(m_imageList->itemText(index)); });
    auto* browse = new QPushButton(tr("Browse..."));
    browse->setObjectName(QStringLiteral("Browse"));
    connect(browse, &QPushButton::clicked, this, &OptionsDialog::Browse_Click);

    m_preview = new QLabel;
    m_preview->setObjectName(QStringLiteral("Preview"));
    m_preview->setFixedSize(kPreviewSize);
    m_preview->setFrameShape(QFrame::StyledPanel);
    m_preview->setAlignment(Qt::AlignCenter);

    m_colorBox = new QFrame;
    m_colorBox->setObjectName(QStringLiteral("BackColorBox"));
    m_colorBox->setFixedSize(60, 24);
    m_colorBox->setFrameShape(QFrame::Box);
    m_colorBox->setAutoFillBackground(true);
    auto* change = new QPushButton(tr("Change"));
    change->setObjectName(QStringLiteral("ChangeBackColor"));
    connect(change, &QPushButton::clicked, this, &OptionsDialog::ChangeBackColor_Click);

    grid->addWidget(new QLabel(tr("Background Image")), 0, 0);
    grid->addWidget(m_imageList, 0, 1);
    grid->addWidget(browse, 0, 2);
    grid->addWidget(new QLabel(tr("Preview")), 1, 0, Qt::AlignTop);
    grid->addWidget(m_preview, 1, 1, 1, 2);
    grid->addWidget(new QLabel(tr("Background Color")), 2, 0);
    grid->addWidget(m_colorBox, 2, 1);
    grid->addWidget(change, 2, 2);
    grid->setRowStretch(3, 1);
    return tab;
}

QWidget* OptionsDialog::buildPropertiesTab() {
    auto* tab = new QWidget;
    auto* form = new QFormLayout(tab);
    auto textBox = [this](const QString& name, std::string Composition::*field) {
        auto* box = new QLineEdit;
        box->setObjectName(name);
        connect(box, &QLineEdit::textEdited, this,
                [this, field](const QString& text) { m_composition.*field = text.toStdString(); });
        return box;
    };
    m_name = textBox(QStringLiteral("CompName"), &Composition::CompName);
    m_author = textBox(QStringLiteral("CompAuthor"), &Composition::CompositionAuthor);
    m_copyright = textBox(QStringLiteral("CompCopy"), &Composition::CompositionCopyright);
    form->addRow(tr("Composition Name"), m_name);
    form->addRow(tr("Author:"), m_author);
    form->addRow(tr("Copyright Information:"), m_copyright);
    for (int t = 0; t < kTrackCount; ++t) {
        m_noteCounts[t] = displayBox(QStringLiteral("TrakLen%1").arg(t));
        form->addRow(tr("Track %1 Note Count").arg(t + 1), m_noteCounts[t]);
    }
    m_length = displayBox(QStringLiteral("TimeBox"));
    m_length->setText(QStringLiteral("0:00"));
    form->addRow(tr("Length MIN:SEC"), m_length);
    return tab;
}

void OptionsDialog::showOptions() {
    m_state.open(m_settings);
    const int image = m_settings.BackgroundImage;
    showPreview(image, m_settings.BackgroundFile);
    m_imageList->setCurrentText(pictureNameOfNumber(image));

    m_name->setText(QString::fromStdString(m_composition.CompName));
    m_author->setText(QString::fromStdString(m_composition.CompositionAuthor));
    m_copyright->setText(QString::fromStdString(m_composition.CompositionCopyright));
    for (int t = 0; t < kTrackCount; ++t)
        m_noteCounts[t]->setText(QString::number(m_composition.NoteCount[t]));
    showColor(m_settings.BackColorValue);
    m_soundTab->showFonts(m_soundFontInUse ? m_soundFontInUse() : QString());
    m_composition.ComputeSongLength();
    m_length->setText(playingLengthText(m_composition.SongLength, m_composition.Division));

    show();
    raise();
    activateWindow();
}

void OptionsDialog::setSoundFontHandlers(std::function<QString()> inUse,
                                         std::function<void(const QString& path)> chosen) {
    m_soundFontInUse = std::move(inUse);
    m_soundFontChosen = std::move(chosen);
}

void OptionsDialog::Imagelist_Click(const QString& text) {
    if (m_state.chooseListEntry(text)) showPreview(m_state.pendingImage(), {});
}

void OptionsDialog::Browse_Click() {
    const QString path = m_dialogs.openFileName(kPictureFilter, 2);
    if (path.isEmpty()) return m_state.browsed(path, false);
    QPixmap picture;
    const bool loaded = picture.load(path);
    m_state.browsed(path, loaded);
    if (!loaded) return m_dialogs.message(QMessageBox::NoIcon, kTitle, tr("Could not load image"));
    showPreview(Settings::kPictureFile, path);
}

void OptionsDialog::ChangeBackColor_Click() {
    const QColor chosen =
        QColorDialog::getColor(colorFromRgbNumber(m_state.pendingColor()), this, tr("Color"));
    if (m_state.chooseColor(chosen.isValid() ? rgbNumberFromColor(chosen) : 0))
        showColor(m_state.pendingColor());
}

void OptionsDialog::OK_Click() {
    m_state.ok(m_settings, m_imageList->currentText());
    // Loading a font takes a while, so only a different one is handed on.
    const QString font = m_soundTab->chosen();
    if (m_soundFontChosen && !font.isEmpty() && font != m_soundTab->inUse())
        m_soundFontChosen(font);
    accept();
}

void OptionsDialog::showPreview(int number, const QString& file) {
    QPixmap picture;
    if (number == Settings::kPictureFile)
        picture.load(file);
    else
        picture = backgroundPicture(number);
    if (picture.isNull()) {
        m_preview->clear();
        return;
    }
    m_preview->setPixmap(
        picture.scaled(kPreviewSize - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void OptionsDialog::showColor(uint32_t rgb) {
    QPalette palette = m_colorBox->palette();
    palette.setColor(QPalette::Window, colorFromRgbNumber(rgb));
    m_colorBox->setPalette(palette);
}

}  // namespace qn
