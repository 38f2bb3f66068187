#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "windows/main_window.h"

class QTemporaryDir;

namespace pellimore::test {

// Every test class registers itself; the test main runs them in turn.
using TestFactory = std::function<std::unique_ptr<QObject>()>;
std::vector<TestFactory>& TestClasses();

template <class T>
struct RegisterTest {
  RegisterTest() {
    TestClasses().push_back([] { return std::make_unique<T>(); });
  }
};

// A small book: the declaration with encoding, author John Smith, the title's bytes as given.
QByteArray BookBytes(const QByteArray& encoding, const QByteArray& titleBytes);
// Writes a book (or any bytes) to dir/name and returns its full path.
QString WriteFile(const QString& folder, const QString& name, const QByteArray& bytes);
QString WriteBook(const QString& folder, const QString& name, const QByteArray& title,
                  const QByteArray& encoding = QByteArrayLiteral("windows-1251"));
QByteArray ReadFile(const QString& path);

// A shown, active main window whose dialogs are answered from a script (nothing is asked
// unless a test queues answers; an unanswered question is cancelled).
std::unique_ptr<TForm1> MakeWindow(const WindowSettings& settings = {});

// Restores the process's working folder when a test ends.
class WorkingFolderGuard {
 public:
  WorkingFolderGuard();
  ~WorkingFolderGuard();

 private:
  QString m_folder;
};

}  // namespace pellimore::test
