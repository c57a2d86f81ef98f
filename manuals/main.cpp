// Writes one of the generated documents; the build runs it for each.
//   lumagrove-manuals cli-page|desktop-page|bash-completion|mime-types OUTPUT
#include <fstream>
#include <iostream>
#include <string_view>

#include "manuals/Manuals.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "Usage: lumagrove-manuals cli-page|desktop-page|bash-completion|mime-types OUTPUT\n";
        return 2;
    }
    const std::string_view kind = argv[1];
    std::string text;
    if (kind == "cli-page") {
        text = lumagrove::manuals::CommandLinePage();
    } else if (kind == "desktop-page") {
        text = lumagrove::manuals::DesktopPage();
    } else if (kind == "bash-completion") {
        text = lumagrove::manuals::BashCompletion();
    } else if (kind == "mime-types") {
        text = lumagrove::manuals::MimeTypes();
    } else {
        std::cerr << "lumagrove-manuals: unknown document '" << kind << "'\n";
        return 2;
    }
    std::ofstream file(argv[2], std::ios::binary);
    file << text;
    file.close();
    if (!file) {
        std::cerr << "lumagrove-manuals: could not write " << argv[2] << '\n';
        return 1;
    }
    return 0;
}
