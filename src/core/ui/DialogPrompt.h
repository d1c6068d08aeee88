#pragma once
#include "core/Prompt.h"

#include <QPointer>
#include <QWidget>

namespace qor {

// Questions and messages shown in message boxes over the active window.
class DialogPrompt final : public Prompt {
  public:
    bool ask(const QString& question) override;
    void inform(const QString& message) override;
    // A carriage return in the till's texts starts a new line.
    static QString display(QString text);
};

} // namespace qor
