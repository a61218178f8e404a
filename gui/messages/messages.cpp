#include "messages.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>

#include <QDir>
#include <QLocale>
#include <QStringList>

#include "base/error_number.h"
#include "base/terminal.h"
#include "estimator/errors.h"
#include "gui/widgets/window_text.h"
#include "history/settings_store.h"

namespace orvanel {
namespace {

QString ArithmeticText(Fault fault, Quantity quantity) {
  switch (fault) {
    case Fault::kLimitReached:
      // At full speed the limit comes within minutes: the sentence says what now.
      if (quantity == Quantity::kPeopleAsked) {
        //: %1 is 2,147,483,647 as the user's locale writes it.
        return WindowText::tr(
                   "The tally has reached %1 virtual people, the most it can count. The trials "
                   "have stopped; Reset starts a new tally.")
            .arg(QLocale().toString(std::numeric_limits<std::int32_t>::max()));
      }
      if (quantity == Quantity::kCommonFactorsFound) {
        return WindowText::tr(
                   "The count of common factors found has reached %1, the most it can count. The "
                   "trials have stopped; Reset starts a new tally.")
            .arg(QLocale().toString(std::numeric_limits<std::int32_t>::max()));
      }
      break;
    case Fault::kOutOfRange:
      if (quantity == Quantity::kRelativelyPrimePairs) {
        return WindowText::tr(
            "The number of relatively prime pairs lies outside the range of a whole number of 32 "
            "bits.");
      }
      if (quantity == Quantity::kRandomNumber) {
        return WindowText::tr(
            "The random number lies outside the range of a whole number of 32 bits.");
      }
      break;
    case Fault::kDoesNotFit:
      if (quantity == Quantity::kRandomNumber) {
        return WindowText::tr("The random number does not fit into a whole number of 32 bits.");
      }
      if (quantity == Quantity::kCommonFactorBound) {
        return WindowText::tr(
            "The bound of the common-factor test does not fit into a whole number of 32 bits.");
      }
      break;
    case Fault::kInvalidResult:
      if (quantity == Quantity::kEstimate) {
        return WindowText::tr("Working out the estimate of pi gave an invalid result.");
      }
      if (quantity == Quantity::kRandomNumber) {
        return WindowText::tr("Working out the random number gave an invalid result.");
      }
      break;
    case Fault::kTooLarge:
      if (quantity == Quantity::kEstimate) {
        return WindowText::tr("Working out the estimate of pi gave a number too large to hold.");
      }
      if (quantity == Quantity::kRandomNumber) {
        return WindowText::tr("Working out the random number gave a number too large to hold.");
      }
      break;
    case Fault::kDivisionByZero:
      if (quantity == Quantity::kEstimate) {
        return WindowText::tr("Working out the estimate of pi needed a division by zero.");
      }
      break;
    case Fault::kNegativeSquareRoot:
      if (quantity == Quantity::kEstimate) {
        return WindowText::tr(
            "Working out the estimate of pi needed the square root of a negative number.");
      }
      break;
  }
  return {};
}

// What a checked step was working out, and what went wrong in it, named each
// on its own: for a fault the sentences above never meet there, should it
// ever come.
QString QuantityName(Quantity quantity) {
  switch (quantity) {
    case Quantity::kPeopleAsked:
      return WindowText::tr("number of people asked");
    case Quantity::kCommonFactorsFound:
      return WindowText::tr("number of common factors found");
    case Quantity::kRelativelyPrimePairs:
      return WindowText::tr("number of relatively prime pairs");
    case Quantity::kEstimate:
      return WindowText::tr("estimate of pi");
    case Quantity::kRandomNumber:
      return WindowText::tr("random number");
    case Quantity::kCommonFactorBound:
      return WindowText::tr("bound of the common-factor test");
    case Quantity::kStoredCount:
      return WindowText::tr("stored count");
  }
  return {};
}

QString FaultName(Fault fault) {
  switch (fault) {
    case Fault::kLimitReached:
      return WindowText::tr("limit reached");
    case Fault::kOutOfRange:
      return WindowText::tr("out of the 32-bit range");
    case Fault::kDoesNotFit:
      return WindowText::tr("does not fit into 32 bits");
    case Fault::kInvalidResult:
      return WindowText::tr("invalid result");
    case Fault::kTooLarge:
      return WindowText::tr("too large");
    case Fault::kDivisionByZero:
      return WindowText::tr("division by zero");
    case Fault::kNegativeSquareRoot:
      return WindowText::tr("square root of a negative number");
  }
  return {};
}

// The system's reason, in the user's language for the reasons a person may meet.
QString SystemReason(int error) {
  switch (PlainErrorNumber(error)) {
    case 0:
      return WindowText::tr("the system gave no reason");
    case ENOENT:
      return WindowText::tr("there is no such file or folder");
    case EACCES:
    case EPERM:
      return WindowText::tr("permission denied");
    case ENOTDIR:
      return WindowText::tr("a part of the path is not a folder");
    case ENAMETOOLONG:
      return WindowText::tr("the name is too long");
    case EROFS:
      return WindowText::tr("the file system is read-only");
    case EIO:
      return WindowText::tr("the device reported an input or output error");
    case EMFILE:
    case ENFILE:
      return WindowText::tr("too many files are open");
    case ENOSPC:
      return WindowText::tr("there is no space left on the disk");
    case ELOOP:
      return WindowText::tr("the symbolic links on the way lead round in a circle");
    case EISDIR:
      return WindowText::tr("it is a folder");
    case EBUSY:
    case ETXTBSY:
      return WindowText::tr("another program is using it");
    default:
      return QString::fromLocal8Bit(std::strerror(error));
  }
}

// Why something could not be done with a file, as the end of a sentence.
QString FailureReason(const FileFailure& failure) {
  switch (failure.kind) {
    case FileFailure::Kind::kSystem:
      break;
    case FileFailure::Kind::kFolder:
      return WindowText::tr("it is a folder");
    case FileFailure::Kind::kNotRegular:
      return WindowText::tr("it is not a regular file");
    case FileFailure::Kind::kDevice:
      return WindowText::tr("it is a device, not a file");
    case FileFailure::Kind::kTooLarge:
      return WindowText::tr("it is far too large to be a settings file");
    case FileFailure::Kind::kNoAnswer:
    case FileFailure::Kind::kUnfinished:
      return WindowText::tr("the file system did not answer in time");
    case FileFailure::Kind::kNoThread:
      return WindowText::tr("the system could not start a thread to wait for the file system");
    case FileFailure::Kind::kNoHome:
      return WindowText::tr("no home folder is known (HOME is not set)");
    case FileFailure::Kind::kRefused:
      return WindowText::tr("the settings store refused access");
    case FileFailure::Kind::kUnreadableInPlace:
      return WindowText::tr(
                 "it could not be read when Orvanel started, and could not be set aside to keep "
                 "it (%1), so it is left as it is")
          .arg(SystemReason(failure.systemError));
    case FileFailure::Kind::kLeftUnread:
      return WindowText::tr(
          "the values there could not be read when Orvanel started, so they are left as they are");
  }
  return SystemReason(failure.systemError);
}

// A saved value of a kind that holds no number, `location` where it lies.
QString KindText(const UnusableValue& value, const QString& location) {
  const QString key = QString::fromStdString(value.key);
  switch (value.kind->what) {
    case UnusableKind::What::kTexts:
      return WindowText::tr("The saved %1 in %2 holds a list of texts, not a number.")
          .arg(key, location);
    case UnusableKind::What::kWrongSize:
      return WindowText::tr(
                 "The saved %1 in %2 is a number stored with the wrong size for its "
                 "kind.")
          .arg(key, location);
    case UnusableKind::What::kBinary:
      break;
  }
  return WindowText::tr("The saved %1 in %2 holds binary data, not a number.").arg(key, location);
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

}  // namespace

QString ErrorText(const std::exception& error) {
  if (const auto* arithmetic = dynamic_cast<const ArithmeticError*>(&error)) {
    const QString text = ArithmeticText(arithmetic->Why(), arithmetic->Of());
    if (!text.isEmpty()) return text;
    return WindowText::tr("Something went wrong that should never happen: %1: %2.")
        .arg(QuantityName(arithmetic->Of()), FaultName(arithmetic->Why()));
  } else if (const auto* open = dynamic_cast<const FileOpenError*>(&error)) {
    return WindowText::tr("The file “%1” could not be opened: %2.")
        .arg(Path(open->Name()), FailureReason(open->Why()));
  } else if (const auto* read = dynamic_cast<const FileReadError*>(&error)) {
    return WindowText::tr("The file “%1” could not be read: %2.")
        .arg(Path(read->Name()), FailureReason(read->Why()));
  } else if (const auto* history = dynamic_cast<const HistoryError*>(&error)) {
    if (history->Why().kind == FileFailure::Kind::kUnfinished) {
      return WindowText::tr(
                 "Saving the tally in %1 did not finish in time: the file system did not "
                 "answer. Whichever tally lands there is the one the next start reads.")
          .arg(Path(history->Location()));
    }
    return WindowText::tr("The tally could not be saved in %1: %2.")
        .arg(Path(history->Location()), FailureReason(history->Why()));
  }
  return WindowText::tr("Something went wrong that should never happen: %1.")
      .arg(QString::fromLocal8Bit(error.what()));
}

QString LoadProblemText(const LoadedHistory& loaded, const QString& store_location) {
  const QString location = QDir::toNativeSeparators(store_location);
  using State = StoreCondition::State;
  QStringList sentences;
  if (loaded.store.state == State::kDamaged) {
    sentences << WindowText::tr(
                     "The saved tally could not be read from %1: the file is damaged. The tally "
                     "starts again from zero.")
                     .arg(location);
  } else if (loaded.store.state == State::kUnreadable) {
    sentences << WindowText::tr(
                     "The saved tally could not be read from %1: %2. The tally starts again from "
                     "zero.")
                     .arg(location, FailureReason(loaded.store.fault));
    if (loaded.store.setAsideOnSave) {
      sentences << WindowText::tr(
          "The next save keeps that file beside the new one, under a name that ends in "
          "“.unreadable-” and the date.");
    }
  } else if (loaded.unusableCount && loaded.unusableCount->kind) {
    sentences << KindText(*loaded.unusableCount, location)
              << WindowText::tr("The tally starts again from zero.");
  } else if (loaded.unusableCount) {
    const QString text = Shortened(loaded.unusableCount->text);
    sentences
        << (loaded.unusableCount->key == "Hits"
                ? WindowText::tr("The saved Hits “%1” in %2 cannot be used, so the tally starts "
                                 "again from zero.")
                : WindowText::tr("The saved Total “%1” in %2 cannot be used, so the tally starts "
                                 "again from zero."))
               .arg(text, location);
  } else if (loaded.unusableEstimate && loaded.unusableEstimate->kind) {
    sentences << KindText(*loaded.unusableEstimate, location)
              << WindowText::tr("The estimate starts again at 0.");
  } else if (loaded.unusableEstimate) {
    sentences << WindowText::tr(
                     "The saved Estimate “%1” in %2 cannot be used and starts again at 0.")
                     .arg(Shortened(loaded.unusableEstimate->text), location);
  }
  if (loaded.store.state == State::kReadable && loaded.store.holdsOtherLines) {
    sentences << WindowText::tr(
                     "The settings file %1 also holds lines that are not part of the tally. They "
                     "will be removed when the tally is next saved.")
                     .arg(location);
  }
  if (loaded.store.unwritable) {
    sentences << WindowText::tr("The tally will not be saved in %1: %2.")
                     .arg(location, FailureReason(*loaded.store.unwritable));
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

QString NoCompletePairText(const QString& name, qint64 bytes) {
  const QString shown = QDir::toNativeSeparators(name);
  if (bytes == 0) return WindowText::tr("The file “%1” is empty; a pair needs 8 bytes.").arg(shown);
  if (bytes == 1)
    return WindowText::tr("The file “%1” holds only 1 byte; a pair needs 8.").arg(shown);
  return WindowText::tr("The file “%1” holds only %2 bytes; a pair needs 8.")
      .arg(shown, QLocale().toString(bytes));
}

QString ImageNotSavedText(const QString& path, const FileFailure& failure) {
  if (failure.kind == FileFailure::Kind::kUnfinished) {
    return WindowText::tr(
               "Saving the image as %1 did not finish in time: the file system did not answer.")
        .arg(QDir::toNativeSeparators(path));
  }
  return WindowText::tr("The image could not be saved as %1: %2. Choose another folder.")
      .arg(QDir::toNativeSeparators(path), FailureReason(failure));
}

QString OtherCopyDoesNotAnswerText() {
  return WindowText::tr(
      "Orvanel is running already, but it does not answer. This copy ends without touching the "
      "tally.");
}

void WriteToStandardError(const QString& sentence) {
  WriteToTerminal(stderr, ("Orvanel: " + sentence + "\n").toStdString());
}

}  // namespace orvanel
