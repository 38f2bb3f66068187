// The model meets the widgets here: the header record in exactly HeaderToWidgets and
// WidgetsToHeader, the code-page box, the save settings and the status bar beside them.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QToolButton>
#include <cmath>

#include "reading/description_reader.h"
#include "text/platform.h"
#include "ui_body_page.h"
#include "ui_description_page.h"
#include "ui_main_window.h"
#include "ui_settings_page.h"
#include "windows/charset_font.h"
#include "windows/main_window.h"
#include "windows/text_bridge.h"
#include "writing/output_naming.h"

namespace pellimore {

namespace {

const QColor kDateFromFileColour{192, 220, 192};
const QColor kScrollBarColour{200, 200, 200};

// Memos show LF line ends; the record holds CR LF.
QString MemoText(const std::string& bytes) {
  QString text = WorkingToQString(bytes);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

std::string MemoBytes(const QPlainTextEdit* memo) {
  QString text = memo->toPlainText();
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return QStringToWorking(text);
}

QChar GroupSeparator() { return DecimalMark() == ',' ? QLatin1Char(' ') : QLatin1Char(','); }

// The version number with thousands grouped and two decimals.
QString VersionText(const std::string& version) {
  // The record's number has a point whatever the locale; QString's conversions ignore the locale.
  const double value = QString::fromLatin1(version.data(), static_cast<qsizetype>(version.size())).toDouble();
  const QString digits = QString::number(std::fabs(value), 'f', 2);
  const qsizetype point = digits.indexOf(QLatin1Char('.'));
  QString whole = digits.left(point);
  for (qsizetype i = whole.size() - 3; i > 0; i -= 3) whole.insert(i, GroupSeparator());
  QString text = whole + QLatin1Char(DecimalMark()) + digits.mid(point + 1);
  return value < 0 ? QLatin1Char('-') + text : text;
}

std::string VersionBytes(const QString& text) {
  QString plain = text;
  plain.remove(GroupSeparator());
  return NormaliseVersion(QStringToWorking(plain));
}

// The masked date: empty when no digit was typed, a missing digit as a blank.
std::string DateBytes(const QLineEdit* edit) {
  QString text = edit->displayText();
  bool anyDigit = false;
  for (QChar c : text) anyDigit = anyDigit || c.isDigit();
  if (!anyDigit) return {};
  text.replace(QLatin1Char('_'), QLatin1Char(' '));
  return QStringToWorking(text);
}

void SetTabStop(QWidget* widget, bool tabStop) {
  widget->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

}  // namespace

void TForm1::HeaderToWidgets() {
  const HeaderRecord& header = m_workspace.header;
  for (const auto& [edit, member] : m_textFields) {
    edit->setText(WorkingToQString(header.*member));
    edit->setCursorPosition(0);
    edit->setModified(false);
  }
  QLineEdit* date = descriptionPage->ME_Date;
  date->setText(WorkingToQString(header.ME_Date));
  date->setModified(false);
  QPalette palette = date->palette();
  palette.setColor(QPalette::Base, m_workspace.meDateColour == DateColour::FromFile
                                       ? kDateFromFileColour
                                       : this->palette().color(QPalette::Base));
  date->setPalette(palette);
  descriptionPage->E_DI_Version->setText(VersionText(header.E_DI_Version));
  descriptionPage->E_DI_Version->setModified(false);

  descriptionPage->RB3->setChecked(header.DocAuthor == DocAuthorChoice::Add);
  descriptionPage->RB4->setChecked(header.DocAuthor == DocAuthorChoice::Replace);
  descriptionPage->RB5->setChecked(header.DocAuthor == DocAuthorChoice::Ignore);

  for (QPlainTextEdit* memo : {bodyPage->Memo3, bodyPage->Memo2}) {
    const std::string& bytes = memo == bodyPage->Memo3 ? header.Memo3 : header.Memo2;
    memo->setPlainText(MemoText(bytes));
    memo->document()->setModified(false);
  }
}

void TForm1::WidgetsToHeader() {
  // Only what the user changed is taken back, so the bytes of untouched fields stay exact.
  HeaderRecord& header = m_workspace.header;
  for (const auto& [edit, member] : m_textFields) {
    if (edit->isModified()) header.*member = QStringToWorking(edit->text());
  }
  if (descriptionPage->ME_Date->isModified()) header.ME_Date = DateBytes(descriptionPage->ME_Date);
  if (descriptionPage->E_DI_Version->isModified())
    header.E_DI_Version = VersionBytes(descriptionPage->E_DI_Version->text());

  if (descriptionPage->RB3->isChecked()) header.DocAuthor = DocAuthorChoice::Add;
  if (descriptionPage->RB4->isChecked()) header.DocAuthor = DocAuthorChoice::Replace;
  if (descriptionPage->RB5->isChecked()) header.DocAuthor = DocAuthorChoice::Ignore;

  if (bodyPage->Memo3->document()->isModified()) header.Memo3 = MemoBytes(bodyPage->Memo3);
  if (bodyPage->Memo2->document()->isModified()) header.Memo2 = MemoBytes(bodyPage->Memo2);
}

void TForm1::ShowCodePageBox() {
  const CodePageBox& box = m_workspace.codePage;
  ui->RadioButton1->setChecked(box.RadioButton1);
  ui->RadioButton2->setChecked(box.RadioButton2);
  SetTabStop(ui->RadioButton1, box.RadioButton1TabStop);
  SetTabStop(ui->RadioButton2, box.RadioButton2TabStop);
  ui->RadioButton1->setEnabled(box.RadioButton1Enabled);
  ui->RadioButton2->setEnabled(box.RadioButton2Enabled);
  ui->ComboBox2->setEnabled(box.ComboBox2Enabled);
  ui->ComboBox2->setCurrentIndex(box.ComboBox2Index);
  ui->ChBFix->setChecked(box.ChBFix);
}

void TForm1::ReadCodePageBox() {
  CodePageBox& box = m_workspace.codePage;
  box.RadioButton1 = ui->RadioButton1->isChecked();
  box.RadioButton2 = ui->RadioButton2->isChecked();
  box.ComboBox2Index = ui->ComboBox2->currentIndex();
  box.ChBFix = ui->ChBFix->isChecked();
}

void TForm1::ShowSaveSettings() {
  const pellimore::SaveSettings& settings = m_saveSettings;
  settingsPage->RadioButton3->setChecked(settings.mode == SaveMode::ReplaceSource);
  settingsPage->RadioButton4->setChecked(settings.mode == SaveMode::SaveToDir);
  settingsPage->E_Dir_To_Save->setText(PathToQString(settings.E_Dir_To_Save));
  settingsPage->ChBSubfolders->setChecked(settings.ChBSubfolders);
  settingsPage->RadioButton5->setChecked(settings.nameTemplate == NameTemplate::Cyrillic);
  settingsPage->RadioButton6->setChecked(settings.nameTemplate == NameTemplate::Transliterated);
  settingsPage->RadioButton7->setChecked(settings.nameTemplate == NameTemplate::NoRename);
  ui->ChBZip->setChecked(settings.ChBZip);
  settingsPage->RadioButton8->setChecked(settings.zipName == ZipNameFrom::Fb2FileName);
  settingsPage->RadioButton9->setChecked(settings.zipName == ZipNameFrom::ZipFileName);
  ApplySaveControls();
}

void TForm1::ReadSaveSettings() {
  pellimore::SaveSettings& settings = m_saveSettings;
  settings.mode = settingsPage->RadioButton3->isChecked() ? SaveMode::ReplaceSource : SaveMode::SaveToDir;
  settings.E_Dir_To_Save = QStringToPath(settingsPage->E_Dir_To_Save->text());
  settings.ChBSubfolders = settingsPage->ChBSubfolders->isChecked();
  if (settingsPage->RadioButton5->isChecked()) settings.nameTemplate = NameTemplate::Cyrillic;
  if (settingsPage->RadioButton6->isChecked()) settings.nameTemplate = NameTemplate::Transliterated;
  if (settingsPage->RadioButton7->isChecked()) settings.nameTemplate = NameTemplate::NoRename;
  settings.ChBZip = ui->ChBZip->isChecked();
  settings.zipName =
      settingsPage->RadioButton9->isChecked() ? ZipNameFrom::ZipFileName : ZipNameFrom::Fb2FileName;
}

void TForm1::ApplySaveControls() {
  const SaveControlsState state = UpdateSaveControls(m_saveSettings);
  QLineEdit* folder = settingsPage->E_Dir_To_Save;
  folder->setEnabled(state.E_Dir_To_Save);
  QPalette palette = folder->palette();
  palette.setColor(QPalette::Base,
                   state.E_Dir_To_Save ? this->palette().color(QPalette::Base) : kScrollBarColour);
  folder->setPalette(palette);
  settingsPage->SpeedButton5->setEnabled(state.SpeedButton5);
  settingsPage->ChBSubfolders->setEnabled(state.ChBSubfolders);
  settingsPage->GroupBox7->setEnabled(state.GroupBox7);
  for (QRadioButton* button :
       {settingsPage->RadioButton5, settingsPage->RadioButton6, settingsPage->RadioButton7}) {
    button->setEnabled(state.GroupBox7);
  }
}

void TForm1::ShowStatusPanels() {
  m_statusPanels[0]->setText(PathToQString(m_workspace.statusPanels[0]));
  m_statusPanels[1]->setText(WorkingToQString(m_workspace.statusPanels[1]));
  m_statusPanels[2]->setText(WorkingToQString(m_workspace.statusPanels[2]));
}

void TForm1::ApplyFieldsFont() {
  const CharsetId charset = m_workspace.codePage.FieldsCharset;
  if (charset == m_fontCharset) return;
  m_fontCharset = charset;
  const QFont font = FontForCharset(this->font(), charset);
  for (QWidget* field : m_charsetFields) {
    field->setFont(font);
    field->setProperty("fontCharset", static_cast<int>(charset));
  }
}

void TForm1::ShowModel() {
  HeaderToWidgets();
  ShowCodePageBox();
  ShowSaveSettings();
  ShowStatusPanels();
  ApplyFieldsFont();
}

void TForm1::ReadModel() {
  WidgetsToHeader();
  ReadCodePageBox();
  ReadSaveSettings();
}

void TForm1::ShowFailure(const char* what) {
  m_dialogs.ShowMessage(QStringLiteral("Pellimore"), FailureToQString(what));
}

}  // namespace pellimore
