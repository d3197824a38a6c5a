#pragma once

#include <string>

class CCommandString;

// One handler of the engine's dispatcher. A handler answers an empty string for a command it
// does not know, never an error, so that the next handler may try. It may rewrite the command
// for the handlers after it (the channel store removes the channel part).
class CCommandHandler {
public:
    virtual ~CCommandHandler() = default;
    virtual std::string Execute(CCommandString& command) = 0;
    // Answers a query that changes nothing, and answers empty for any command that would
    // change something: a value part, an operation, a heal.
    virtual std::string Query(CCommandString& command) const = 0;
};
