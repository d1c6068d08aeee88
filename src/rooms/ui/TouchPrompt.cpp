#include "rooms/ui/TouchPrompt.h"

#include "rooms/ui/Touinonfmx.h"
#include "rooms/ui/Tshowmessagefmx.h"

namespace qor {

bool TouchPrompt::ask(const QString& question) {
    return m_question.ask(question);
}

void TouchPrompt::inform(const QString& message) {
    m_message.showMessage(message);
}

} // namespace qor
