// The steps of a client conversation as hxclient takes them from its command line or a script
// file: one step per argument or line, its fields separated by blanks, a field in double
// quotes keeping its blanks. Byte fields are written as parts joined by "+": plain text
// (sent in the code page), #n,n,... (bytes by number), x:hex, u16:n, u32:n, i32:n, z:n
// (n zero bytes), str:n:text (text padded with zeros to n bytes) and f:path (a file's bytes).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hx {

enum class TStepKind {
  Request,     // request            print the item
  Exec,        // exec NAME [P1 [P2]] execute a macro and wait for it
  Begin,       // begin NAME [P1 [P2]] start an execute, go on with the next steps
  End,         // end                wait for the execute that begin started
  Send,        // send CODE [PREFIX [PAYLOAD]] a frame (split when large)
  Counted,     // counted CODE BYTES [2-byte count][bytes]
  Raw,         // raw CODE [BYTES]   the bytes as they are
  Press,       // press CAPTION BUTTON
  Broadcast,   // activate           broadcast "WM_HXApplActivated" with wParam 1
  Connect,     // connect
  Disconnect,  // disconnect
  Close,       // close              "CloseEnabled", then the end of the conversation
  WaitExit,    // wait-exit          wait until the server ends
  Sleep,       // sleep MS
};

struct TClientStep {
  TStepKind kind = TStepKind::Request;
  // Exec, Begin: the execute string (lines joined by CR LF, code page bytes).
  std::string execute;
  // Send: the code, the frame's prefix and payload; Counted, Raw: the code and the bytes.
  int32_t code = 0;
  std::vector<uint8_t> prefix;
  std::vector<uint8_t> payload;
  std::vector<uint8_t> bytes;
  // Press.
  std::string caption;
  std::string button;
  int milliseconds = 0;
};

// The fields of a step; an unbalanced quote is an error.
std::optional<std::vector<std::string>> SplitFields(std::string_view text, std::string& error);

// Bytes of a byte field (see above).
std::optional<std::vector<uint8_t>> ParseBytes(std::string_view field, std::string& error);

// A macro parameter: #n,n,... gives bytes by number (type ids; 0 travels as 254), anything
// else is text sent in the code page.
std::optional<std::string> ParseMacroParam(std::string_view field, std::string& error);

std::optional<TClientStep> ParseStep(std::string_view text, std::string& error);

// The lines of a script file: blank lines and lines starting with "#" are skipped.
std::vector<std::string> ScriptLines(std::string_view text);

}  // namespace hx
