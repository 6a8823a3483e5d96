// The one error type of the program: a message for the user, UTF-8.
#pragma once

#include <stdexcept>
#include <string>

namespace pellinor {

class Error : public std::runtime_error {
  public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace pellinor
