#include "app/fileassociation.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

using qn::RegisterFileAssociation;

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void writeText(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// Points HOME and the XDG folders into a temporary directory for one test.
class FileAssociationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        qputenv("HOME", m_dir.filePath("home").toUtf8());
        qputenv("XDG_DATA_HOME", dataHome().toUtf8());
        qputenv("XDG_CONFIG_HOME", configHome().toUtf8());
    }
    void TearDown() override {
        for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"})
            m_saved.contains(name) ? qputenv(name, m_saved.value(name).toUtf8()) : qunsetenv(name);
    }

    QString dataHome() const { return m_dir.filePath("data"); }
    QString configHome() const { return m_dir.filePath("config"); }
    QString mimeApps() const { return configHome() + "/mimeapps.list"; }
    QString desktopEntry() const {
        return readText(dataHome() + "/applications/quillnote.desktop");
    }

    const QProcessEnvironment m_saved = QProcessEnvironment::systemEnvironment();
    QTemporaryDir m_dir;
};

TEST_F(FileAssociationTest, WritesTheFourFiles) {
    ASSERT_EQ(RegisterFileAssociation(), QString());

    const QString package = readText(dataHome() + "/mime/packages/quillnote-msf.xml");
    QXmlStreamReader xml(package);
    while (!xml.atEnd())
        xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    for (const char* part : {"type=\"application/x-quillnote-msf\"", "pattern=\"*.msf\"",
                             ">MIDI Source File</comment>"})
        EXPECT_TRUE(package.contains(part)) << part;

    const QString entry = desktopEntry();
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
    for (const char* line : {"\nMimeType=application/x-quillnote-msf;\n", "\nIcon=quillnote\n"})
        EXPECT_TRUE(entry.contains(line)) << line;

    const QImage icon(dataHome() + "/icons/hicolor/48x48/apps/quillnote.png");
    EXPECT_EQ(icon.size(), QSize(48, 48));
    EXPECT_GT(qAlpha(icon.pixel(24, 24)), 0);

    EXPECT_EQ(readText(mimeApps()),
              "[Default Applications]\napplication/x-quillnote-msf=quillnote.desktop\n");

    if (!QStandardPaths::findExecutable("update-mime-database").isEmpty()) {
        EXPECT_TRUE(QFile::exists(dataHome() + "/mime/application/x-quillnote-msf.xml"));
    }
    // Without it, every themed icon lookup probes the folder's whole theme layout.
    if (!QStandardPaths::findExecutable("gtk-update-icon-cache").isEmpty()) {
        EXPECT_TRUE(QFile::exists(dataHome() + "/icons/hicolor/icon-theme.cache"));
    }
}

TEST_F(FileAssociationTest, ExecQuotesPathsTheShellWouldSplit) {
    const std::pair<const char*, const char*> cases[] = {
        {nullptr, nullptr},  // this program, as the default
        {"/opt/Quill Note/quillnote", "\"/opt/Quill Note/quillnote\" %f"},
        {"/opt/a$b/quillnote", R"("/opt/a\\$b/quillnote" %f)"},
    };
    for (const auto& [executable, quoted] : cases) {
        ASSERT_EQ(RegisterFileAssociation(QString(executable)), QString());
        const QString exec = quoted ? quoted : QCoreApplication::applicationFilePath() + " %f";
        EXPECT_TRUE(desktopEntry().contains("\nExec=" + exec + "\n")) << quoted;
    }
}

TEST_F(FileAssociationTest, MergesIntoAnExistingMimeAppsList) {
    const QString ours = "application/x-quillnote-msf=quillnote.desktop";
    const std::tuple<const char*, QString, QString> cases[] = {
        {"replaces our key only",
         "[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\n"
         "image/png=viewer.desktop\napplication/x-quillnote-msf=old.desktop\n"
         "text/html=browser.desktop\n",
         "[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\n"
         "image/png=viewer.desktop\n" +
             ours + "\ntext/html=browser.desktop\n"},
        {"adds to the end of the group",
         "[Default Applications]\nimage/png=viewer.desktop\n\n[Removed "
         "Associations]\nx/y=z.desktop\n",
         "[Default Applications]\nimage/png=viewer.desktop\n" + ours +
             "\n\n[Removed Associations]\nx/y=z.desktop\n"},
        {"adds the group", "[Added Associations]\ntext/plain=gedit.desktop;",
         "[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\n" + ours +
             "\n"},
        {"drops a doubled key",
         "[Default Applications]\napplication/x-quillnote-msf=a.desktop\n"
         "application/x-quillnote-msf = b.desktop\n",
         "[Default Applications]\n" + ours + "\n"},
    };
    for (const auto& [name, before, after] : cases) {
        writeText(mimeApps(), before.toUtf8());
        ASSERT_EQ(RegisterFileAssociation(), QString()) << name;
        EXPECT_EQ(readText(mimeApps()), after) << name;
    }
}

TEST_F(FileAssociationTest, UnsetOrRelativeFoldersMeanTheHomeDefaults) {
    for (const char* value : {"", "relative/folder"}) {
        QDir(m_dir.filePath("home")).removeRecursively();
        for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME"})
            qputenv(name, value);
        ASSERT_EQ(RegisterFileAssociation(), QString());
        EXPECT_TRUE(
            QFile::exists(m_dir.filePath("home/.local/share/applications/quillnote.desktop")));
        EXPECT_TRUE(QFile::exists(m_dir.filePath("home/.config/mimeapps.list")));
    }
}

TEST_F(FileAssociationTest, UnwritableFolderGivesAnError) {
    // A plain file where a folder should be stops even a root user.
    writeText(m_dir.filePath("blocker"), "not a folder");
    const QString blocked = m_dir.filePath("blocker/inside");

    qputenv("XDG_DATA_HOME", blocked.toUtf8());
    EXPECT_TRUE(RegisterFileAssociation().contains("blocker"));

    // An existing list that cannot be read is left alone.
    qputenv("XDG_DATA_HOME", dataHome().toUtf8());
    ASSERT_TRUE(QDir().mkpath(mimeApps()));
    EXPECT_TRUE(RegisterFileAssociation().contains("mimeapps.list"));
    EXPECT_TRUE(QFileInfo(mimeApps()).isDir());
}

}  // namespace
