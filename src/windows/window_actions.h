#pragma once

#include <QKeySequence>
#include <QString>
#include <vector>

class QAction;
class QObject;

namespace pellimore {

// One command of the main window: its name, caption, hint and shortcut.
struct ActionSpec {
  const char* name;
  const char* caption;
  QKeySequence shortcut;
};

// ActionList1 holds only Act_GoEdit; ActionList2 holds the others, in this order.
const std::vector<ActionSpec>& ActionList1Specs();
const std::vector<ActionSpec>& ActionList2Specs();

// Creates the actions of specs as children of list, caption and hint from the spec.
std::vector<QAction*> CreateActions(QObject* list, const std::vector<ActionSpec>& specs);

}  // namespace pellimore
