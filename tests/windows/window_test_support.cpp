#include "window_test_support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

namespace pellimore::test {

std::vector<TestFactory>& TestClasses() {
  static std::vector<TestFactory> classes;
  return classes;
}

QByteArray BookBytes(const QByteArray& encoding, const QByteArray& titleBytes) {
  return QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"") + encoding +
         QByteArrayLiteral(
             "\"?>\r\n"
             "<FictionBook xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\">\r\n"
             "<description>\r\n"
             "<title-info>\r\n"
             "<genre>sf</genre>\r\n"
             "<author><first-name>John</first-name><last-name>Smith</last-name></author>\r\n"
             "<book-title>") +
         titleBytes +
         QByteArrayLiteral(
             "</book-title>\r\n"
             "<annotation><p>One</p>\r\n<p>Two</p></annotation>\r\n"
             "<lang>en</lang>\r\n"
             "</title-info>\r\n"
             "<document-info>\r\n"
             "<author><nickname>maker</nickname></author>\r\n"
             "<date value=\"2007-03-05\">2007</date>\r\n"
             "<id>ID-1</id>\r\n"
             "<version>1.5</version>\r\n"
             "</document-info>\r\n"
             "</description>\r\n"
             "<body><section><p>Body text</p></section></body>\r\n"
             "</FictionBook>\r\n");
}

QString WriteFile(const QString& folder, const QString& name, const QByteArray& bytes) {
  const QString path = QDir(folder).filePath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write a fixture");
  file.write(bytes);
  return path;
}

QString WriteBook(const QString& folder, const QString& name, const QByteArray& title,
                  const QByteArray& encoding) {
  return WriteFile(folder, name, BookBytes(encoding, title));
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

std::unique_ptr<TForm1> MakeWindow(const WindowSettings& settings) {
  auto window = std::make_unique<TForm1>(settings);
  window->dialogs().setScripted(true);
  window->show();
  QApplication::setActiveWindow(window.get());
  if (!QTest::qWaitForWindowActive(window.get())) qWarning("the main window did not become active");
  return window;
}

WorkingFolderGuard::WorkingFolderGuard() : m_folder(QDir::currentPath()) {}
WorkingFolderGuard::~WorkingFolderGuard() { QDir::setCurrent(m_folder); }

}  // namespace pellimore::test
