#include "server/core/server_services.h"

#include "base/msg_format.h"

namespace hx {

// "Операция '%S' в этой версии программы недоступна."
EServiceMissing::EServiceMissing(const char* operation)
    : EHXError(-1, FormatStr(29000, {operation})) {}

}  // namespace hx
