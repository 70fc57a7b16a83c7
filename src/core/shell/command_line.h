// Command lines and shell targets built from data (paths, addresses) so that each one
// stays exactly one argument.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace wendlix {

// `arg` in double quotes, escaped as the C runtime and CommandLineToArgvW parse it:
// backslashes before a quote and at the end doubled, inner quotes as \".
std::string QuoteCommandLineArgument(std::string_view arg);

// True when `text` starts with a URL scheme ("http:", "mailto:"; at least two letters,
// so "C:\x" is a path).
bool HasUrlScheme(std::string_view text);

// What may be handed to the shell as the thing to open. An address has its quotes,
// blanks, control characters and trailing backslashes percent-encoded, so that a
// handler's "%1" cannot be split; a path holding a quote or a control character (no file name can) is
// refused.
std::optional<std::string> SafeShellTarget(std::string_view target);

// True when `text` holds a double quote or a control character: inside a quoted
// argument either could end it, or the command line, early.
bool BreaksShellArgument(std::string_view text);

// `text` with its control characters shown as "?", for a message.
std::string PrintableText(std::string_view text);

// The message shown instead of handing `target` (a path or an address) to the shell.
std::string LaunchRefusedText(std::string_view target);

}  // namespace wendlix
