#pragma once
#include "core/Prompt.h"

namespace qor {

class Touinonfmx;
class Tshowmessagefmx;

// Questions and messages shown with the touch dialogs, for the touch screens:
// install it while a touch screen is up, and put the previous prompt back after.
class TouchPrompt final : public Prompt {
  public:
    TouchPrompt(Touinonfmx& question, Tshowmessagefmx& message) : m_question(question), m_message(message) {}
    bool ask(const QString& question) override;
    void inform(const QString& message) override;

  private:
    Touinonfmx& m_question;
    Tshowmessagefmx& m_message;
};

} // namespace qor
