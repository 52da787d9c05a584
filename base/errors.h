// The exception base of the frameworks: a negative code and the message shown to the user.
#pragma once

#include <stdexcept>
#include <string>

namespace hx {

class EHXError : public std::runtime_error {
 public:
  EHXError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  int Code() const { return code_; }

 private:
  int code_;
};

}  // namespace hx
