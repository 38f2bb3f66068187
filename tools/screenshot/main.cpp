// Draws the main window with a book open, offscreen, and saves it as a PNG:
//   pellimore-screenshot OUTPUT.png [BOOK]
// Without BOOK a small sample library is written to a temporary folder and its first book opened.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPixmap>
#include <QTemporaryDir>
#include <clocale>
#include <cstdio>

#include "text/charset.h"
#include "text/codepage.h"
#include "text/platform.h"
#include "windows/main_window.h"

namespace {

const char kSampleBook[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
    "<FictionBook xmlns=\"http://www.gribuser.ru/xml/fictionbook/2.0\">\r\n"
    "<description>\r\n"
    "<title-info>\r\n"
    "<genre>prose_classic</genre>\r\n"
    "<author><first-name>Лев</first-name><middle-name>Николаевич</middle-name>"
    "<last-name>Толстой</last-name></author>\r\n"
    "<book-title>Война и мир</book-title>\r\n"
    "<annotation><p>Роман-эпопея о русском обществе в эпоху войн против Наполеона.</p></annotation>\r\n"
    "<lang>ru</lang>\r\n"
    "</title-info>\r\n"
    "<document-info>\r\n"
    "<author><first-name>Иван</first-name><last-name>Петров</last-name></author>\r\n"
    "<program-used>Pellimore</program-used>\r\n"
    "<date value=\"2008-02-01\">2008</date>\r\n"
    "<src-url>http://example.org/books/1</src-url>\r\n"
    "<id>B2F3C2A1-0D4E-4F7B-9C61-3A1E5D7F2B90</id>\r\n"
    "<version>1.1</version>\r\n"
    "</document-info>\r\n"
    "</description>\r\n"
    "<body><section><p>Eh bien, mon prince.</p></section></body>\r\n"
    "</FictionBook>\r\n";

QString WriteSampleLibrary(const QString& root) {
  const QString folder = QDir(root).filePath(QStringLiteral("Library"));
  QDir().mkpath(folder);
  const char* const names[] = {"Tolstoy_L._Vojna_I_Mir.fb2", "Chekhov_A._Rasskazy.fb2",
                               "Gogol_N._Mertvye_Dushi.zip", "Pushkin_A._Evgenij_Onegin.fb2"};
  for (const char* name : names) {
    QFile file(QDir(folder).filePath(QLatin1String(name)));
    if (file.open(QIODevice::WriteOnly)) file.write(kSampleBook);
  }
  return QDir(folder).filePath(QLatin1String(names[0]));
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setApplicationDisplayName(QStringLiteral("Pellimore"));
  if (argc < 2) {
    std::fprintf(stderr, "usage: pellimore-screenshot OUTPUT.png [BOOK]\n");
    return 2;
  }
  pellimore::SetWorkingCodePage(1251);
  pellimore::SetSystemEncodingName("windows-1251");
  pellimore::SetShortDateFormat("dd.MM.yyyy");
  pellimore::SetDecimalMark('.');

  const QString output = QFileInfo(QFile::decodeName(argv[1])).absoluteFilePath();
  QTemporaryDir temporary;
  const QString book = argc > 2 ? QFileInfo(QFile::decodeName(argv[2])).absoluteFilePath()
                                : WriteSampleLibrary(temporary.path());

  pellimore::TForm1 window;
  window.show();
  window.ChooseFolder(QFileInfo(book).absolutePath());
  auto* files = window.findChild<QListWidget*>(QStringLiteral("FileListBox1"));
  const QList<QListWidgetItem*> found = files->findItems(QFileInfo(book).fileName(), Qt::MatchExactly);
  if (found.isEmpty()) {
    std::fprintf(stderr, "the book is not listed: %s\n", argv[argc > 2 ? 2 : 1]);
    return 1;
  }
  files->setCurrentItem(found.first());
  window.action(QStringLiteral("Act_GetFile"))->trigger();
  QApplication::processEvents();

  if (!window.grab().save(output, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%s\n", QFile::encodeName(output).constData());
  return 0;
}
