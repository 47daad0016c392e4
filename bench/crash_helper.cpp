// The program side of bench/kill_during_save.sh, which kills it with SIGKILL.
//
//   crash_helper save-loop A.msf TARGET READY [COUNT]
//       Writes the expected contents TARGET.a and TARGET.b unless they exist (A
//       as saved, and A with every velocity changed), saves A to TARGET, creates READY, then
//       saves B, A, B ... to TARGET (COUNT saves, or until killed) exactly as
//       the window's Save does.
//   crash_helper edit SEED
//       The main window, offscreen, making 3 to 15 random edits 50 to 400 ms
//       apart, then idling; after each edit a line "edit MS HASH" (the time in
//       ms since the epoch, a hash of the composition's text).
//   crash_helper check
//       Starts the main window answering Yes to every question and prints
//       "offered N HASH": how many recoveries were offered, the hash of what
//       it shows.
//
// Settings and recovery copies go where XDG_CONFIG_HOME and XDG_STATE_HOME say.

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QSlider>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>

#include "app/dialogs.h"
#include "app/documentfile.h"
#include "app/mainwindow.h"
#include "app/pianokeys.h"
#include "model/documentcommands.h"
#include "model/msfwriter.h"
#include "staff/staffitems.h"
#include "staff/staffscene.h"

namespace qn::bench {
namespace {

class YesDialogs : public Dialogs {
  public:
    int recoveries = 0;
    bool askYesNo(const std::string& title, const std::string&) override {
        if (title == "Recover Unsaved Work") ++recoveries;
        return true;
    }
    std::string askText(const TextQuestion&) override { return "2"; }
    QString openFileName(const QString&, int) override { return {}; }
    QString saveFileName(const QString&, int) override { return {}; }
    void message(QMessageBox::Icon, const QString&, const QString&, const QString&) override {}
};

size_t hashOf(const Composition& c) {
    return std::hash<std::string>{}(writeMsf(c, c.CompName));
}

bool open(const QString& path, Composition& c) {
    EditState e;
    QString error;
    newComposition(c, e);
    if (openMsfFile(path, c, e, &error)) return true;
    std::fprintf(stderr, "crash_helper: %s\n", qUtf8Printable(error));
    return false;
}

int saveLoop(const QStringList& args) {
    if (args.size() < 3) return 2;
    const QString target = args[1];
    auto a = std::make_unique<Composition>();
    if (!open(args[0], *a)) return 2;
    auto b = std::make_unique<Composition>(*a);
    for (auto& velocities : b->NoteVelocity)
        for (uint8_t& v : velocities)
            v = static_cast<uint8_t>((v + 1) % 128);
    const std::string texts[2] = {msfTextForSave(*a, target.toStdString()),
                                  msfTextForSave(*b, target.toStdString())};
    QString error;
    const auto expect = [&](const char* suffix, const std::string& text) {
        return QFile::exists(target + suffix) || saveWholeFile(target + suffix, text, &error);
    };
    if (!expect(".a", texts[0]) || !expect(".b", texts[1]) ||
        !saveWholeFile(target, texts[0], &error) || !QFile(args[2]).open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "crash_helper: %s\n", qUtf8Printable(error));
        return 1;
    }
    const long count = args.size() > 3 ? args[3].toLong() : -1;
    for (long k = 1; count < 0 || k <= count; ++k) {
        if (!saveWholeFile(target, texts[k % 2], &error)) {
            std::fprintf(stderr, "crash_helper: %s\n", qUtf8Printable(error));
            return 1;
        }
    }
    return 0;
}

void randomEdit(MainWindow& w, std::mt19937& rng) {
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution(lo, hi)(rng); };
    EditState& e = w.editState();
    switch (pick(0, 3)) {
        case 0:
            emit w.findChild<PianoKeys*>()->clicked(pick(0, kPianoKeys - 1));
            return;
        case 1:
            w.staff().items().divisionSlider->setValue(pick(kMinDivision, kMaxDivision));
            return;
        default: {
            e.SelTrackFrom = e.SelTrackTo = pick(0, 3);
            e.SelStart = pick(0, 4);
            e.SelEnd = e.SelStart + pick(0, 4);
            w.staff().ShowSelection();
            constexpr Command kCommands[] = {Command::Copy,           Command::Paste,
                                             Command::Insert,         Command::Delete,
                                             Command::HigherPitch,    Command::LowerPitch,
                                             Command::IncreaseVolume, Command::FadeIn};
            w.run(kCommands[pick(0, std::size(kCommands) - 1)]);
        }
    }
}

// Edits at random moments, then nothing.
class Editor {
  public:
    Editor(MainWindow& w, unsigned seed) : m_window(w), m_rng(seed) {
        m_left = std::uniform_int_distribution(3, 15)(m_rng);
        next();
    }

  private:
    void next() {
        QTimer::singleShot(std::uniform_int_distribution(50, 400)(m_rng), &m_window, [this] {
            randomEdit(m_window, m_rng);
            std::printf("edit %lld %zu\n", QDateTime::currentMSecsSinceEpoch(),
                        hashOf(m_window.composition()));
            std::fflush(stdout);
            if (--m_left > 0) next();
        });
    }

    MainWindow& m_window;
    std::mt19937 m_rng;
    int m_left = 0;
};

}  // namespace
}  // namespace qn::bench

int main(int argc, char* argv[]) {
    using namespace qn;
    using namespace qn::bench;
    if (argc > 1 && std::strcmp(argv[1], "save-loop") == 0) {
        QCoreApplication app(argc, argv);
        return saveLoop(QCoreApplication::arguments().mid(2));
    }
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    const bool editing = args.value(0) == QLatin1String("edit");
    if (!editing && args.value(0) != QLatin1String("check")) {
        std::fputs("Usage: crash_helper save-loop A.msf TARGET READY [COUNT] | edit SEED | check\n",
                   stderr);
        return 2;
    }
    auto dialogs = std::make_unique<YesDialogs>();
    YesDialogs& answers = *dialogs;
    MainWindow window(StartOptions{}, std::move(dialogs));
    if (!window.start()) return 1;
    if (!editing) {
        std::printf("offered %d %zu\n", answers.recoveries, hashOf(window.composition()));
        return 0;
    }
    Editor editor(window, args.value(1).toUInt());
    return QApplication::exec();
}
