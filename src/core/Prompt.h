#pragma once
#include <QString>

namespace qor {

// The one seam through which logic asks the operator a yes/no question or shows
// a message. The program installs a dialog-based prompt; tests install answers.
class Prompt {
  public:
    virtual ~Prompt() = default;
    virtual bool ask(const QString& question) = 0;
    virtual void inform(const QString& message) = 0;

    static Prompt& current();
    // Installs p (not owned); nullptr restores the default, which answers no and shows nothing.
    static void install(Prompt* p);
};

} // namespace qor
