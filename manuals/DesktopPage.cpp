#include <algorithm>
#include <sstream>
#include <string_view>
#include <vector>

#include "manuals/Manuals.h"
#include "manuals/Roff.h"
#include "operations/OperationTable.h"
#include "pictures/Pictures.h"

namespace lumagrove::manuals {
namespace {

const char* DialogTitle(ParameterDialog dialog) {
    switch (dialog) {
        case ParameterDialog::None: break;
        case ParameterDialog::Parameters: return "Parameters";
        case ParameterDialog::EdgeParameters: return "Edge Detector Parameters";
    }
    return "";
}

// "sigma, from 1.0": the value as the command line names it, where it starts.
std::string StartingValue(const OptionDescriptor& option) {
    std::string_view name = option.flag;
    name.remove_prefix(2);
    return ".IR " + RoffQuoted(RoffLiteral(name)) + " \", from " + RoffLiteral(option.defaultText()) + "\"";
}

void WriteMenu(std::ostream& page) {
    page << ".SH MENU\n"
            "The image windows' menu; \"Action\" also opens with a right click.\n";
    for (const OperationEntry& entry : OperationTable()) {
        page << ".TP\n.B " << RoffQuoted(RoffText(PlainMenuPath(entry))) << '\n';
        if (entry.shortcut != nullptr) page << "(" << RoffText(entry.shortcut) << ")\n";
        page << RoffSentence(entry.menuSummary) << '\n';
        if (entry.command != nullptr) {
            page << "On the command line:\n.BR \"lumagrove\\-cli " << RoffLiteral(entry.command) << "\" .\n";
        }
    }
}

// A dialog's values are the options of the operations that show it: their
// help and the values the program starts from.
void WriteParameters(std::ostream& page) {
    page << ".SH PARAMETERS\n"
            "Two dialogs hold the values the operations use. They start as below and last until the\n"
            "program ends; an operation that needs them shows its dialog first, and cancelling it runs\n"
            "nothing.\n";
    for (const ParameterDialog dialog : {ParameterDialog::Parameters, ParameterDialog::EdgeParameters}) {
        std::vector<const OptionDescriptor*> options;
        for (const OperationEntry& entry : OperationTable()) {
            if (entry.dialog != dialog) continue;
            for (const OptionDescriptor* option : entry.options) {
                if (std::find(options.begin(), options.end(), option) == options.end()) options.push_back(option);
            }
        }
        page << ".TP\n.B " << RoffQuoted(DialogTitle(dialog)) << "\n.RS\n";
        for (const OptionDescriptor* option : options) {
            page << ".TP\n" << StartingValue(*option) << '\n' << RoffSentence(option->help) << '\n';
        }
        page << ".RE\n";
    }
}

}  // namespace

std::string DesktopPage() {
    std::ostringstream page;
    page << RoffHeader("LUMAGROVE")
         << ".SH NAME\nlumagrove \\- interactive workbench for 8-bit grayscale images\n"
            ".SH SYNOPSIS\n"
            ".B lumagrove\n.RI [ file ]\n.br\n"
            ".B lumagrove \\-\\-help\n.br\n"
            ".B lumagrove \\-\\-version\n"
            ".SH DESCRIPTION\n"
            ".B lumagrove\n"
            "opens its control window, and\n.I file\nwhen one is given: every word after the program's name,\n"
            "joined by single blanks, is one file name.\n"
            "Files also come in through\n.B Load Image\nand by dropping them on \"Drop files here:\".\n"
            ".PP\n"
            "A name ending in "
         << ListOfEndings(PictureFileFormats())
         << ", in any letter case, is read as a\n"
            "picture and made grey. Otherwise a name ending in .pgm, .pnm, .ppm, .pbm or .pam (any case, or\n"
            "\"pgm\" at the end) is read as a file of the netpbm family, made grey, one ending in \"xyz\" as\n"
            "XYZ coordinates (its sample point is shown; no window opens), anything else as a raw 640 x 480\n"
            "intensity file, which first shows two of its samples. A file shorter than its image is read with\n"
            "the rest white, and a box says so.\n"
            ".PP\n"
            "Each image opens in a window of its own, run by a thread of its own. Drag with the left button\n"
            "to select a rectangle; the point where the button is released is also the cut-off point of\n"
            "the two global Fourier filters, in any window. Every result opens in a new window titled\n"
            "\"Processed Image\", and its time is added to \"Performance data:\".\n"
            ".B Exit\n"
            "closes every image window, stopping any operation still running, and ends the program.\n";
    WriteMenu(page);
    WriteParameters(page);
    page << ".SH KEYS\n"
            ".TP\n.B Ctrl+O\nLoad an image, from any window.\n"
            ".TP\n.B Ctrl+Q\nExit, from any window.\n"
            ".TP\n.B Esc\nCancel the operation running in the window; no window opens, and \"Performance data:\"\n"
            "says how long it ran.\n"
            ".TP\n.B \"Ctrl+wheel, Ctrl++, Ctrl+\\-\"\nZoom about the point under the mouse, or the middle of the "
            "view.\n"
            ".TP\n.B \"Ctrl+0, Ctrl+1\"\nFit the image to the window; show it at its actual pixels.\n"
            ".TP\n.B Shift+wheel\nScroll sideways.\n";
    page << ".SH OPTIONS\n"
            "Either is answered without a display and opens no window; a file with one of these names\n"
            "opens as \"./\\-\\-help\".\n"
            ".TP\n.B \\-\\-help\nPrint a short usage text.\n"
            ".TP\n.B \\-\\-version\nPrint the version (and, for a build from a Git checkout, its commit).\n"
            ".SH EXIT STATUS\n"
            "0 once the program has been ended with\n.B Exit\nor the close box of its control window.\n"
            ".SH EXAMPLES\n"
            ".PP\nOpen an image:\n.RS\n.nf\nlumagrove scene.pgm\n.fi\n.RE\n"
            ".SH SEE ALSO\n.BR lumagrove\\-cli (1)\n";
    return page.str();
}

}  // namespace lumagrove::manuals
