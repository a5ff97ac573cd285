// tessaro-edid: prints the summary of an EDID file, as text or as one JSON object.
// Exit status: 0 valid, 1 defective, 2 unreadable or wrong usage.
#include "EdidDecoder.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

int main(int argc, char **argv)
{
    bool json = false;
    const char *path = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0)
            json = true;
        else if (!path)
            path = argv[i];
        else
            path = nullptr, argc = 0;
    }
    if (!path) {
        std::cerr << "usage: tessaro-edid [--json] FILE.bin\n";
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
