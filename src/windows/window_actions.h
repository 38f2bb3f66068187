#pragma once

#include <QKeySequence>
#include <QString>
#include <vector>

class QAction;
class QObject;

namespace pellimore {

// One command of the main window: its name, caption, hint and shortcut.
struct ActionEntry {
  const char* name;
  const char* caption;
  QKeySequence shortcut;
};

// ActionList1 holds only Act_GoEdit; ActionList2 holds the others, in this order.
const std::vector<ActionEntry>& ActionList1Entries();
const std::vector<ActionEntry>& ActionList2Entries();

// Creates the actions of entries as children of list, with caption, hint and shortcut.
std::vector<QAction*> CreateActions(QObject* list, const std::vector<ActionEntry>& entries);

}  // namespace pellimore
