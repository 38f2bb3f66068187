#include "windows/window_actions.h"

#include <QAction>

namespace pellimore {

namespace {

QKeySequence Key(QKeyCombination key) { return QKeySequence(key); }

}  // namespace

const std::vector<ActionEntry>& ActionList1Entries() {
  static const std::vector<ActionEntry> entries = {
      {"Act_GoEdit", "", Key(Qt::Key_F2)},
  };
  return entries;
}

const std::vector<ActionEntry>& ActionList2Entries() {
  // Ctrl+Left is "Next" and Ctrl+Right is "Previous"; "Save" has no shortcut, Ctrl+S is "Save As...".
  static const std::vector<ActionEntry> entries = {
      {"Act_Save", "Save", {}},
      {"Act_next", "Next", Key(Qt::CTRL | Qt::Key_Left)},
      {"Act_Prev", "Previous", Key(Qt::CTRL | Qt::Key_Right)},
      {"Act_GetFile", "Open...", Key(Qt::Key_F5)},
      {"Act_AddToBatch", "Add To Batch list", Key(Qt::CTRL | Qt::Key_B)},
      {"Act_View", "View", Key(Qt::Key_F9)},
      {"Act_Unvisible", "Unvisible", Key(Qt::CTRL | Qt::Key_U)},
      {"Act_SelLangEn", "English", {}},
      {"Act_SelLangRu", "Russian", {}},
      {"Act_BeginEdit", "Do edit", Key(Qt::Key_F2)},
      {"Act_SaveAs", "Save As...", Key(Qt::CTRL | Qt::Key_S)},
      {"Act_DelFromBatch", "Delete from batch", {}},
      {"Act_ClearBatch", "Clear Batch list", {}},
      {"Act_SaveBatchToTxt", "Save to file", {}},
      {"Act_OpenBatchFromTxt", "Open from file", {}},
      {"Act_StartBatch", "Start", {}},
      {"Act_AddAllToBatch", "Add all to batch", {}},
  };
  return entries;
}

std::vector<QAction*> CreateActions(QObject* list, const std::vector<ActionEntry>& entries) {
  std::vector<QAction*> actions;
  for (const ActionEntry& entry : entries) {
    auto* action = new QAction(list);
    action->setObjectName(QLatin1String(entry.name));
    const QString caption = QString::fromUtf8(entry.caption);
    action->setText(caption);
    action->setToolTip(caption);
    action->setStatusTip(caption);
    action->setShortcut(entry.shortcut);
    actions.push_back(action);
  }
  return actions;
}

}  // namespace pellimore
