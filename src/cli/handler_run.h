#pragma once

// Runs a form's handler as the window would and returns what it did.

#include "app/handler_outcome.h"
#include "app/main_form.h"

namespace cli {

// An error that escapes the handler is shown through the form's port and counts as a
// refusal.
template <class Handler>
app::HandlerOutcome OutcomeOf(app::MainForm& form, const Handler& handler) {
    app::HandlerOutcome outcome = app::HandlerOutcome::Refused({}, {});
    form.RunHandler([&] { outcome = handler(); });
    return outcome;
}

}  // namespace cli
