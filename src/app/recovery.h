#pragma once

// Recovery copies of unsaved work: where they live, how they are named, and
// which of them were left behind by a run that never ended cleanly.
//
// Every window keeps its own copy, "PID-STARTTIME-N.msf" (the process, when it
// started, a count of the windows it opened), in the .msf format, with a side
// file "PID-STARTTIME-N.json" that names the document (its path, when it has
// one, and its name) and identifies the process (the boot and the process's
// start time, so a process number used again by another program does not count).
// A copy whose process is gone was left by a crash or a kill. The side file is
// written first; a copy that has lost it is still offered, as "Untitled".
//
// UI thread only.

#include <QDateTime>
#include <QLoggingCategory>
#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace qn {

Q_DECLARE_LOGGING_CATEGORY(lcRecovery)

struct RecoveryInfo {
    QString documentPath;  // the file the document was opened from or saved to; empty if none
    QString documentName;  // what the title shows
    bool operator==(const RecoveryInfo&) const = default;
};

struct RecoveryCopy {
    QString path;  // the .msf copy
    RecoveryInfo info;
    QDateTime written;  // the last autosave
};

// $XDG_STATE_HOME/Quillnote/recovery, by default ~/.local/state/Quillnote/recovery;
// under ~/.qttest while the toolkit's test mode is on.
QString defaultRecoveryFolder();

// This window's own copy; the folder is made when the copy is first written.
class RecoveryFile {
  public:
    explicit RecoveryFile(const QString& folder);

    const QString& path() const { return m_path; }
    // Writes the copy safely (side file first); false with `error` set when it could not.
    bool write(const std::string& msfText, const RecoveryInfo& info, QString* error);
    // No unsaved work any more: the copy and its side file go.
    void remove();

  private:
    QString m_folder;
    QString m_path;
    QString m_infoPath;
    std::optional<RecoveryInfo> m_written;  // what the side file holds
};

// Copies left by runs whose process is gone, newest first. Temporaries of
// saves that were interrupted there are removed on the way.
std::vector<RecoveryCopy> findAbandonedCopies(const QString& folder);

// Removes a copy and its side file.
void removeCopy(const QString& path);

}  // namespace qn
