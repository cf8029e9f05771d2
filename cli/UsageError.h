#pragma once

#include <stdexcept>

namespace qolmex::cli {

// An option whose file cannot be had (a trace to write, a trace to replay): the command ends
// with the usage error's exit code before it talks to a unit.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace qolmex::cli
