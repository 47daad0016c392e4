#pragma once

// The menu bar and the toolbar: their items, captions, access keys, tool tips
// and check marks, each item tied to one Command.

#include <QMap>
#include <QObject>
#include <functional>

#include "command.h"

class QAction;
class QMainWindow;
class QMenu;

namespace qn {

class CommandMap : public QObject {
    Q_OBJECT
  public:
    // Builds the menus and the toolbar into `window`. Menu items whose command
    // is a toolbar button's go through `toolbarClick` with that button's index,
    // all others through `run`.
    CommandMap(QMainWindow& window, std::function<void(Command)> run,
               std::function<void(int)> toolbarClick);
    ~CommandMap() override;

    // The menu item of a command (named after the item: "New", "copy", "ChkLoop" ...).
    QAction* menuItem(Command command) const { return m_menuItems.value(command); }
    QAction* toolbarButton(int index) const { return m_toolbar.value(index); }
    QMenu* menu(const QString& name) const { return m_menus.value(name); }

    void setChecked(Command command, bool checked);
    bool isChecked(Command command) const;

  private:
    QAction* addItem(QMenu* menu, const char* name, const QString& caption, Command command,
                     bool checkable = false);

    QMap<Command, QAction*> m_menuItems;
    QMap<int, QAction*> m_toolbar;
    QMap<QString, QMenu*> m_menus;
    std::function<void(Command)> m_run;
    std::function<void(int)> m_toolbarClick;
};

}  // namespace qn
