// tessaro-edid: prints the summary of an EDID file, as text or as one JSON object.
// Exit status: 0 valid, 1 defective, 2 unreadable or wrong usage.
#include "EdidDecoder.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

namespace {

const char Usage[] = "usage: tessaro-edid [--json] FILE.bin\n";

const char Help[] = "Prints what the EDID in FILE.bin (its raw bytes) holds and whether a display can\n"
                    "take it: header, checksums, block count, duplicate VICs.\n"
                    "\n"
                    "  --json     one JSON object instead of text\n"
                    "  --help     this text\n"
                    "  --version  the version\n"
                    "  --         what follows is the file name, even if it starts with '-'\n"
                    "\n"
                    "Exit status: 0 valid, 1 defective, 2 unreadable or wrong usage.\n";

} // namespace

int main(int argc, char **argv)
{
    bool json = false;
    bool options = true;
    const char *path = nullptr;
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (options && std::strcmp(arg, "--") == 0) {
            options = false;
        } else if (options && std::strcmp(arg, "--json") == 0) {
            json = true;
        } else if (options && (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0)) {
            std::cout << Usage << Help;
            return 0;
        } else if (options && std::strcmp(arg, "--version") == 0) {
            std::cout << "tessaro-edid " TESSARO_VERSION "\n";
            return 0;
        } else if (options && arg[0] == '-' && arg[1] != '\0') {
            std::cerr << "tessaro-edid: unknown option " << arg << "\n" << Usage;
            return 2;
        } else if (path) {
            std::cerr << "tessaro-edid: one file at a time\n" << Usage;
            return 2;
        } else {
            path = arg;
        }
    }
    if (!path) {
        std::cerr << Usage;
        return 2;
    }
    std::error_code ec;
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path, ec)) {
        std::cerr << "tessaro-edid: cannot read " << path << "\n";
        return 2;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        std::cerr << "tessaro-edid: cannot read " << path << "\n";
        return 2;
    }
    const edid::Info info = edid::decode(bytes);
    std::cout << (json ? edid::toJson(info) + "\n" : edid::toText(info));
    return info.valid() ? 0 : 1;
}
