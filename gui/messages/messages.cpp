#include "messages.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <limits>

#include <QDir>
#include <QLocale>
#include <QStringList>

#include "estimator/errors.h"
#include "history/settings_store.h"
#include "main_words.h"

namespace orvanel {
namespace {

QString ArithmeticText(Fault fault, Quantity quantity) {
  switch (fault) {
    case Fault::kLimitReached:
      // At full speed the limit comes within minutes: the sentence says what now.
      if (quantity == Quantity::kPeopleAsked) {
        //: %1 is 2,147,483,647 as the user's locale writes it.
        return MainWords::tr(
                   "The tally has reached %1 virtual people, the most it can count. The trials "
                   "have stopped; Reset starts a new tally.")
            .arg(QLocale().toString(std::numeric_limits<std::int32_t>::max()));
      }
      if (quantity == Quantity::kCommonFactorsFound) {
        return MainWords::tr(
                   "The count of common factors found has reached %1, the most it can count. The "
                   "trials have stopped; Reset starts a new tally.")
            .arg(QLocale().toString(std::numeric_limits<std::int32_t>::max()));
      }
      break;
    case Fault::kOutOfRange:
      if (quantity == Quantity::kRelativelyPrimePairs) {
        return MainWords::tr(
            "The number of relatively prime pairs lies outside the range of a whole number of 32 "
            "bits.");
      }
      if (quantity == Quantity::kRandomNumber) {
        return MainWords::tr(
            "The random number lies outside the range of a whole number of 32 bits.");
      }
      break;
    case Fault::kDoesNotFit:
      if (quantity == Quantity::kRandomNumber) {
        return MainWords::tr("The random number does not fit into a whole number of 32 bits.");
      }
      if (quantity == Quantity::kCommonFactorBound) {
        return MainWords::tr(
            "The bound of the common-factor test does not fit into a whole number of 32 bits.");
      }
      break;
    case Fault::kInvalidResult:
      if (quantity == Quantity::kEstimate) {
        return MainWords::tr("Working out the estimate of pi gave an invalid result.");
      }
      if (quantity == Quantity::kRandomNumber) {
        return MainWords::tr("Working out the random number gave an invalid result.");
      }
      break;
    case Fault::kTooLarge:
      if (quantity == Quantity::kEstimate) {
        return MainWords::tr("Working out the estimate of pi gave a number too large to hold.");
      }
      if (quantity == Quantity::kRandomNumber) {
        return MainWords::tr("Working out the random number gave a number too large to hold.");
      }
      break;
    case Fault::kDivisionByZero:
      if (quantity == Quantity::kEstimate) {
        return MainWords::tr("Working out the estimate of pi needed a division by zero.");
      }
      break;
    case Fault::kNegativeSquareRoot:
      if (quantity == Quantity::kEstimate) {
        return MainWords::tr(
            "Working out the estimate of pi needed the square root of a negative number.");
      }
      break;
  }
  return {};
}

// The system's reason, in the user's language for the reasons a person may meet.
QString SystemReason(int error) {
  switch (error) {
    case 0:
      return MainWords::tr("the system gave no reason");
    case ENOENT:
      return MainWords::tr("there is no such file or folder");
    case EACCES:
    case EPERM:
      return MainWords::tr("permission denied");
    case ENOTDIR:
      return MainWords::tr("a part of the path is not a folder");
    case ENAMETOOLONG:
      return MainWords::tr("the name is too long");
    case EROFS:
      return MainWords::tr("the file system is read-only");
    case EIO:
      return MainWords::tr("the device reported an input or output error");
    case EMFILE:
    case ENFILE:
      return MainWords::tr("too many files are open");
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
      return MainWords::tr("there is no space left on the disk");
    case ELOOP:
      return MainWords::tr("the symbolic links on the way lead round in a circle");
    case EISDIR:
      return MainWords::tr("it is a folder");
    case EBUSY:
    case ETXTBSY:
      return MainWords::tr("another program is using it");
    default:
      return QString::fromLocal8Bit(std::strerror(error));
  }
}

// Why a settings store could not be read or written, as the end of a sentence.
QString StoreFaultText(const StoreFault& fault) {
  switch (fault.kind) {
    case StoreFault::Kind::kSystem:
      break;
    case StoreFault::Kind::kNotRegularFile:
      return MainWords::tr("it is not a regular file");
    case StoreFault::Kind::kNoAnswer:
    case StoreFault::Kind::kUnfinished:
      return MainWords::tr("the file system did not answer in time");
    case StoreFault::Kind::kNoThread:
      return MainWords::tr("the system could not start a thread to wait for the file system");
    case StoreFault::Kind::kUnreadableInPlace:
      return MainWords::tr(
                 "it could not be read when Orvanel started, and could not be set aside to keep "
                 "it (%1), so it is left as it is")
          .arg(SystemReason(fault.systemError));
    case StoreFault::Kind::kNoHome:
      return MainWords::tr("no home folder is known (HOME is not set)");
    case StoreFault::Kind::kTooLarge:
      return MainWords::tr("it is far too large to be a settings file");
    case StoreFault::Kind::kRefused:
      return MainWords::tr("the settings store refused access");
  }
  return SystemReason(fault.systemError);
}

// A value as the user typed it may be of any length; a few dozen characters
// say enough of it.
QString Shortened(const std::string& utf8) {
  constexpr int kShown = 40;
  const QString text = QString::fromStdString(utf8);
  if (text.size() <= kShown + 1) return text;
  int cut = kShown;
  if (text[cut - 1].isHighSurrogate()) --cut;
  return text.left(cut) + QChar(0x2026);
}

// A path as the platform writes it: with backslashes on Windows.
QString Path(const std::string& utf8) {
  return QDir::toNativeSeparators(QString::fromStdString(utf8));
}

QString FileOpenText(const FileOpenError& error) {
  const QString name = Path(error.Name());
  switch (error.Why()) {
    case FileOpenError::Reason::kFolder:
      return MainWords::tr("The file \"%1\" could not be opened: it is a folder.").arg(name);
    case FileOpenError::Reason::kNotRegular:
      return MainWords::tr("The file \"%1\" could not be opened: it is not a regular file.")
          .arg(name);
    case FileOpenError::Reason::kDevice:
      return MainWords::tr("The file \"%1\" could not be opened: it is a device, not a file.")
          .arg(name);
    case FileOpenError::Reason::kNoAnswer:
      return MainWords::tr(
                 "The file \"%1\" could not be opened: the file system did not answer in time.")
          .arg(name);
    case FileOpenError::Reason::kNoThread:
      return MainWords::tr(
                 "The file \"%1\" could not be opened: the system could not start a thread to "
                 "read it.")
          .arg(name);
    case FileOpenError::Reason::kSystem:
      break;
  }
  return MainWords::tr("The file \"%1\" could not be opened: %2.")
      .arg(name, SystemReason(error.SystemError()));
}

}  // namespace

QString ErrorText(const std::exception& error) {
  if (const auto* arithmetic = dynamic_cast<const ArithmeticError*>(&error)) {
    const QString text = ArithmeticText(arithmetic->Why(), arithmetic->Of());
    if (!text.isEmpty()) return text;
  } else if (const auto* open = dynamic_cast<const FileOpenError*>(&error)) {
    return FileOpenText(*open);
  } else if (const auto* read = dynamic_cast<const FileReadError*>(&error)) {
    return MainWords::tr("The file \"%1\" could not be read: %2.")
        .arg(Path(read->Name()), SystemReason(read->SystemError()));
  } else if (const auto* history = dynamic_cast<const HistoryError*>(&error)) {
    if (history->Why().kind == StoreFault::Kind::kUnfinished) {
      return MainWords::tr(
                 "Saving the tally in %1 did not finish in time: the file system did not "
                 "answer. Whichever tally lands there is the one the next start reads.")
          .arg(Path(history->Location()));
    }
    return MainWords::tr("The tally could not be saved in %1: %2.")
        .arg(Path(history->Location()), StoreFaultText(history->Why()));
  }
  return MainWords::tr("Something went wrong that should never happen: %1.")
      .arg(QString::fromLocal8Bit(error.what()));
}

QString LoadProblemText(const LoadedHistory& loaded, const QString& store_location) {
  const QString location = QDir::toNativeSeparators(store_location);
  using State = StoreCondition::State;
  QStringList sentences;
  if (loaded.store.state == State::kDamaged) {
    sentences << MainWords::tr(
                     "The saved tally could not be read from %1: the file is damaged. The tally "
                     "starts again from zero.")
                     .arg(location);
  } else if (loaded.store.state == State::kUnreadable) {
    sentences << MainWords::tr(
                     "The saved tally could not be read from %1: %2. The tally starts again from "
                     "zero.")
                     .arg(location, StoreFaultText(loaded.store.fault));
    if (loaded.store.setAsideOnSave) {
      sentences << MainWords::tr(
          "The next save keeps that file beside the new one, under a name that ends in "
          "\".unreadable-\" and the date.");
    }
  } else if (loaded.unusableCount) {
    const QString text = Shortened(loaded.unusableCount->text);
    sentences
        << (loaded.unusableCount->key == "Hits"
                ? MainWords::tr("The saved Hits \"%1\" in %2 cannot be used, so the tally starts "
                                "again from zero.")
                : MainWords::tr("The saved Total \"%1\" in %2 cannot be used, so the tally starts "
                                "again from zero."))
               .arg(text, location);
  } else if (loaded.unusableEstimate) {
    sentences << MainWords::tr(
                     "The saved Estimate \"%1\" in %2 cannot be used and starts again at 0.")
                     .arg(Shortened(loaded.unusableEstimate->text), location);
  }
  if (loaded.store.state == State::kReadable && loaded.store.holdsOtherLines) {
    sentences << MainWords::tr(
                     "The settings file %1 also holds lines that are not part of the tally. They "
                     "will be removed when the tally is next saved.")
                     .arg(location);
  }
  if (loaded.store.unwritable) {
    sentences << MainWords::tr("The tally will not be saved in %1: %2.")
                     .arg(location, StoreFaultText(*loaded.store.unwritable));
  }
  return sentences.join(' ');
}

bool LoadProblemNeedsTelling(const LoadedHistory& loaded) {
  return LoadProblemLoses(loaded) ||
         (loaded.store.state == StoreCondition::State::kReadable && loaded.store.holdsOtherLines);
}

bool LoadProblemLoses(const LoadedHistory& loaded) {
  return loaded.StartedFromZero() || loaded.store.unwritable.has_value();
}

QString NoCompletePairText(const QString& name, const QString& bytes) {
  return MainWords::tr(
             "The file \"%1\" holds no complete pair: only %2 of the 8 bytes a pair needs.")
      .arg(QDir::toNativeSeparators(name), bytes);
}

QString ImageNotSavedText(const QString& path, const FileReplacement& written) {
  QString reason;
  switch (written.outcome) {
    case FileReplacement::Outcome::kFolder:
      reason = MainWords::tr("it is a folder");
      break;
    case FileReplacement::Outcome::kNotRegular:
      reason = MainWords::tr("it is not a regular file");
      break;
    case FileReplacement::Outcome::kSystem:
    case FileReplacement::Outcome::kReplaced:
      reason = SystemReason(written.error);
      break;
  }
  return MainWords::tr("The image could not be saved as %1: %2. Choose another folder.")
      .arg(QDir::toNativeSeparators(path), reason);
}

QString OtherCopyDoesNotAnswerText() {
  return MainWords::tr(
      "Orvanel is running already, but it does not answer. This copy ends without touching the "
      "tally.");
}

void WriteToStandardError(const QString& sentence) {
  std::cerr << "Orvanel: " << sentence.toLocal8Bit().toStdString() << std::endl;
}

}  // namespace orvanel
