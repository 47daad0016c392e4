#pragma once

// Writing a file so that a crash, a kill or a full disk at any moment leaves
// either the old file or the new one, never a mixture and never an empty file.
// The bytes go to a temporary file beside the target, are synced to the disk,
// and the temporary is renamed over the target, whose folder is synced too. A
// temporary is named ".NAME.quillnote-PID-XXXXXX.tmp"; one left by a process
// that was killed is removed on the next save of the same target.
//
// A target that exists but is no regular file (a pipe, /dev/null, a terminal)
// is written directly, never replaced; a folder or a disk device is refused.
// A symbolic link to a file keeps pointing to it: the file it names is replaced.
//
// SafeFile is a QIODevice, so whatever writes to one (a PDF writer, an audio
// file writer) can write safely; errorString() gives the system's reason.

#include <QIODevice>
#include <QString>

namespace qn {

class SafeFile : public QIODevice {
  public:
    explicit SafeFile(const QString& target, QObject* parent = nullptr);
    ~SafeFile() override;  // drops what was not committed

    // WriteOnly only.
    bool open(OpenMode mode) override;
    // Puts what was written in place of the target; false, with the old file
    // untouched and errorString() set, when that could not be done.
    bool commit();
    // Drops what was written; the target stays as it was.
    void cancelWriting();
    void close() override { cancelWriting(); }

    bool isSequential() const override { return m_sequential; }
    bool seek(qint64 pos) override;
    qint64 size() const override;
    QString fileName() const { return m_target; }

    // Tests only: the next save fails at this stage with this errno value.
    enum class Stage { None, Write, Sync, Rename };
    static void injectFault(Stage stage, int error);

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override;

  private:
    bool failOpen(const QString& reason);
    bool failCommit(int error);
    void dropTemporary();

    QString m_target;
    QByteArray m_final;      // the file that ends up replaced (links followed)
    QByteArray m_temporary;  // empty when writing directly or when done
    int m_fd = -1;
    bool m_direct = false;
    bool m_sequential = false;  // a pipe or a terminal: no seeking
    int m_writeError = 0;
};

}  // namespace qn
