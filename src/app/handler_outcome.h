#pragma once

// What a handler did with the person's request, for callers that drive the form without a
// window (the command line): done, refused with the message shown, or nothing to do.

#include <string>

namespace app {

struct HandlerOutcome {
    enum class Kind { Done, Refused, NothingToDo };
    Kind kind = Kind::Done;
    std::string caption;  // the refusal's message
    std::string text;

    static HandlerOutcome Done() { return {}; }
    static HandlerOutcome NothingToDo() { return {Kind::NothingToDo, {}, {}}; }
    static HandlerOutcome Refused(std::string caption, std::string text) {
        return {Kind::Refused, std::move(caption), std::move(text)};
    }
    bool done() const { return kind == Kind::Done; }
    bool refusedWith(const std::string& refusalCaption) const {
        return kind == Kind::Refused && caption == refusalCaption;
    }
};

}  // namespace app
