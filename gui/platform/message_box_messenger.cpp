#include "message_box_messenger.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

#include "gui/widgets/window_text.h"

namespace orvanel {
namespace {

// A message box breaks its lines wherever the text allows, and a path allows
// it after every slash: in the box, a line breaks only at a blank.
QString Unbroken(const QString& sentence) {
  QString text;
  for (const QChar c : sentence) {
    text += c;
    if (c == '/' || c == '\\' || c == '-' || c == '.' || c == '_') text += QChar(0x2060);
  }
  return text;
}

}  // namespace

void MessageBoxMessenger::Show(QWidget* parent, const QString& sentence, Kind kind) {
  const QString title = QCoreApplication::applicationName();
  const QString text = Unbroken(sentence);
  switch (kind) {
    case Kind::kNotice:
      QMessageBox::information(parent, title, text);
      break;
    case Kind::kWarning:
      QMessageBox::warning(parent, title, text);
      break;
    case Kind::kFailure:
      QMessageBox::critical(parent, title, text);
      break;
  }
}

Messenger::SaveChoice MessageBoxMessenger::AskAfterFailedSave(QWidget* parent,
                                                              const QString& sentence) {
  QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), Unbroken(sentence),
                  QMessageBox::NoButton, parent);
  QPushButton* retry = box.addButton(QMessageBox::Retry);
  QPushButton* quit =
      box.addButton(WindowText::tr("&Quit Without Saving"), QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(QMessageBox::Cancel);
  box.setDefaultButton(retry);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == retry) return SaveChoice::kRetry;
  if (box.clickedButton() == quit) return SaveChoice::kQuitWithoutSaving;
  return SaveChoice::kCancel;
}

}  // namespace orvanel
