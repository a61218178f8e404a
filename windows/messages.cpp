#include "messages.h"

#include <iostream>

namespace orvanel {
namespace {

QString Text(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

}  // namespace

QString ErrorText(const std::exception& error) {
  return QString::fromUtf8(error.what());
}

QString LoadProblemText(const LoadedHistory& loaded, const QString& location) {
  if (loaded.storeDamaged) {
    return QStringLiteral(
               "The saved tally could not be read from %1: the file is damaged. "
               "The tally starts again from zero.")
        .arg(location);
  }
  if (loaded.unusableCount) {
    return QStringLiteral(
               "The saved %1 \"%2\" in %3 cannot be used, so the tally starts again "
               "from zero.")
        .arg(Text(loaded.unusableCount->key), Text(loaded.unusableCount->text), location);
  }
  if (loaded.unusableEstimate) {
    return QStringLiteral("The saved Estimate \"%1\" in %2 cannot be used and starts again at 0.")
        .arg(Text(loaded.unusableEstimate->text), location);
  }
  return {};
}

void WriteToStandardError(const QString& sentence) {
  std::cerr << "Orvanel: " << sentence.toStdString() << std::endl;
}

}  // namespace orvanel
