#pragma once

#include <string>

namespace lumagrove::manuals {

// lumagrove-cli(1): every command of the operation table with its options
// and their defaults, the options every command takes, exit status, examples.
std::string CommandLinePage();

// lumagrove(1): the desktop, every entry of its menu with what it does and
// the parameters it starts from.
std::string DesktopPage();

// A bash completion for lumagrove-cli: commands, each command's options, and
// file names.
std::string BashCompletion();

// The MIME types of the file formats the program reads, one a line, from the
// format rows: the desktop entry and the software centres' metadata list them.
std::string MimeTypes();

}  // namespace lumagrove::manuals
