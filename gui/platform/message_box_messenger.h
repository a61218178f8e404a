#pragma once

#include "platform_services.h"

namespace orvanel {

// The platform's message boxes: each kind of message looks as its kind, and a
// failed save asks Retry, Quit Without Saving or Cancel.
class MessageBoxMessenger final : public Messenger {
 public:
  void Show(QWidget* parent, const QString& sentence, Kind kind) override;
  [[nodiscard]] SaveChoice AskAfterFailedSave(QWidget* parent, const QString& sentence) override;
};

}  // namespace orvanel
