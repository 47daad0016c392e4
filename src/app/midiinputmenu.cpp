#include "midiinputmenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

#include "midiinput.h"

namespace qn {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("MidiInputMenu", text);
}

void fill(QMenu& menu, MidiInput& input, const std::function<void(QString)>& report) {
    menu.clear();
    // A keyboard plugged in since it was remembered is listened to again.
    input.reconnect();
    const QStringList ports = input.ports();
    if (ports.isEmpty()) {
        menu.addAction(tr("No MIDI input"))->setEnabled(false);
        return;
    }
    for (const QString& port : ports) {
        QAction* item = menu.addAction(port);
        item->setCheckable(true);
        item->setChecked(port == input.current());
        QObject::connect(item, &QAction::triggered, &menu, [&input, port, report](bool checked) {
            if (!input.choose(checked ? port : QString()))
                report(tr("The MIDI input %1 could not be opened.").arg(port));
        });
    }
}

}  // namespace

QMenu* addMidiInputMenu(QMenu& play, MidiInput& input, std::function<void(QString)> report) {
    play.addSeparator();
    QMenu* menu = play.addMenu(tr("MIDI &Input"));
    menu->setObjectName(QStringLiteral("MidiInput"));
    // Until it first opens; the device is not asked before that.
    menu->addAction(tr("No MIDI input"))->setEnabled(false);
    QObject::connect(menu, &QMenu::aboutToShow, menu,
                     [menu, &input, report = std::move(report)] { fill(*menu, input, report); });
    return menu;
}

}  // namespace qn
